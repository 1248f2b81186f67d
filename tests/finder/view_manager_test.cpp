#include "finder/view_manager.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Log {
    void Changed(TObservable*, const TCodeSet& codes) { sets.push_back(codes); }
    std::vector<TCodeSet> sets;
};
} // namespace

TEST(ViewManager, VisibleNotifiesOnChangeOnlyDockedAlways) {
    TViewManager m;
    Log log;
    m.AddObserver(MakeHandler<&Log::Changed>(&log));
    m.Show();
    m.Show();
    m.SetDocked(false);
    m.SetDocked(false);
    m.Hide();
    ASSERT_EQ(log.sets.size(), 4u);
    EXPECT_EQ(log.sets[0], TCodeSet({vcVisible}));
    EXPECT_EQ(log.sets[1], TCodeSet({vcDocked}));
    EXPECT_EQ(log.sets[2], TCodeSet({vcDocked}));
    EXPECT_FALSE(m.Visible());
}

TEST(ViewManager, ShowKindSendsKindOnlyWhenItChanges) {
    TTSListManager m;
    Log log;
    m.AddObserver(MakeHandler<&Log::Changed>(&log));
    m.ShowKind(TListKind::MarkScheme);
    m.ShowKind(TListKind::MarkScheme);
    m.ShowKind(TListKind::Syllabus);
    ASSERT_EQ(log.sets.size(), 3u);
    EXPECT_EQ(log.sets[0], TCodeSet({vcVisible, vcKind}));
    EXPECT_EQ(log.sets[1], TCodeSet({vcVisible}));
    EXPECT_EQ(log.sets[2], TCodeSet({vcVisible, vcKind}));
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.Kind(), TListKind::Syllabus);
}

#include "finder/view_commands.h"

namespace {
struct Flag : TCommandControl {
    void SetEnabled(bool) override {}
    void SetChecked(bool c) override { checked = c; }
    void SetClickHandler(std::function<void()> h) override { click = std::move(h); }
    bool checked = false;
    std::function<void()> click;
};
} // namespace

TEST(ViewCommands, DockFollowsItsManagerAndCloseOnlyMinimises) {
    TViewManager finder;
    Flag menu;
    auto dock = MakeCommand<TDockQFCmd>(&menu, nullptr, finder);
    finder.SetDocked(true);
    EXPECT_TRUE(menu.checked);
    menu.click();
    EXPECT_FALSE(finder.Docked());
    EXPECT_FALSE(menu.checked);

    bool minimised = false;
    finder.Show();
    TCommand::Run<TCloseQFCmd>([&] { minimised = true; });
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(finder.Visible());

    bool restored = false;
    finder.Hide();
    TCommand::Run<TViewQFCmd>(finder, [&] { restored = true; });
    EXPECT_TRUE(restored);
    EXPECT_TRUE(finder.Visible());
}
