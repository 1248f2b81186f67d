#include "logic_fixture.h"

#include "app/logic/app_command.h"
#include "app/logic/codes.h"

namespace {

class FakeControl : public TCommandControl {
public:
    void SetEnabled(bool e) override { enabled = e; }
    void SetChecked(bool c) override { checked = c; }
    void SetClickHandler(std::function<void()> h) override { click = std::move(h); }
    bool enabled = false;
    bool checked = false;
    std::function<void()> click;
};

// Stand-ins with the enabling rules of the real commands and their trigger rows.
class SaveLikeCmd : public TAppCommand {
public:
    explicit SaveLikeCmd(TAppLogic& app) : TAppCommand(app, Triggers::CurrentDocModified) {}
    void Execute(void*) override { ++runs; }
    bool IsEnabled() const override { return App().CurrentDoc() && App().CurrentDoc()->Modified(); }
    int runs = 0;
};

class CloseLikeCmd : public TAppCommand {
public:
    explicit CloseLikeCmd(TAppLogic& app) : TAppCommand(app, Triggers::CurrentDoc) {}
    void Execute(void*) override {}
    bool IsEnabled() const override { return App().CurrentDoc() != nullptr; }
};

class BackLikeCmd : public TAppCommand {
public:
    explicit BackLikeCmd(TAppLogic& app) : TAppCommand(app, Triggers::History) {}
    void Execute(void*) override { App().Back(); }
    bool IsEnabled() const override { return !App().History().empty(); }
};

class NumberedLikeCmd : public TAppCommand {
public:
    explicit NumberedLikeCmd(TAppLogic& app)
        : TAppCommand(app, Triggers::CurrentDocSelectionDocument) {}
    void Execute(void*) override {}
    bool IsEnabled() const override { return Entry() != nullptr; }
    bool IsChecked() const override { return Entry() && Entry()->Numbered; }
    TDocContent* Entry() const { return dynamic_cast<TDocContent*>(App().SelectedItem()); }
};

class CountingCmd : public TCommand {
public:
    void Execute(void* sender) override { senders.push_back(sender); }
    static inline std::vector<void*> senders;
};

} // namespace

TEST_F(LogicTest, SaveFollowsAChangeInsideTheDocumentThroughTheRelay) {
    FakeControl menu, button;
    auto save = MakeCommand<SaveLikeCmd>(&menu, &button, app);
    EXPECT_FALSE(menu.enabled);
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    EXPECT_FALSE(button.enabled);
    doc.InsertEntries({Seg("Q1")}, -1); // only the document notifies
    EXPECT_TRUE(menu.enabled);
    EXPECT_TRUE(button.enabled);
    button.click();
    EXPECT_EQ(save->runs, 1);
}

TEST_F(LogicTest, CommandsNeedingADocumentTurnOffWhenTheLastOneCloses) {
    FakeControl closeMenu, saveMenu;
    auto close = MakeCommand<CloseLikeCmd>(&closeMenu, nullptr, app);
    auto save = MakeCommand<SaveLikeCmd>(&saveMenu, nullptr, app);
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    doc.InsertEntries({Seg("Q2a")}, -1);
    ASSERT_TRUE(closeMenu.enabled);
    ASSERT_TRUE(saveMenu.enabled);
    app.CloseDocument(doc);
    EXPECT_FALSE(closeMenu.enabled);
    EXPECT_FALSE(saveMenu.enabled);
}

TEST_F(LogicTest, CheckedStateAndHistoryDrivenCommands) {
    FakeControl numberMenu, backButton;
    auto number = MakeCommand<NumberedLikeCmd>(&numberMenu, nullptr, app);
    auto back = MakeCommand<BackLikeCmd>(nullptr, &backButton, app);
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    doc.InsertEntries({Seg("Q1"), Seg("Q2b")}, -1);
    app.SelectItem(doc.EntryList().Item(0), &doc.EntryList(), true);
    EXPECT_TRUE(numberMenu.enabled);
    EXPECT_TRUE(numberMenu.checked);
    doc.ToggleNumbered(0); // Document code through the relay
    EXPECT_FALSE(numberMenu.checked);

    EXPECT_FALSE(backButton.enabled);
    app.SelectItem(doc.EntryList().Item(1), &doc.EntryList(), false);
    EXPECT_TRUE(backButton.enabled);
    backButton.click();
    EXPECT_FALSE(backButton.enabled);
}

TEST_F(LogicTest, PlainCommandsRunWithoutControlsAndStayEnabled) {
    CountingCmd::senders.clear();
    TCommand::Run<CountingCmd>();
    ASSERT_EQ(CountingCmd::senders.size(), 1u);
    EXPECT_EQ(CountingCmd::senders[0], nullptr);

    FakeControl menu;
    {
        auto cmd = MakeCommand<CountingCmd>(&menu, nullptr);
        EXPECT_TRUE(menu.enabled);
        EXPECT_FALSE(menu.checked);
        menu.click();
        EXPECT_EQ(CountingCmd::senders.back(), &menu);
    }
    EXPECT_FALSE(menu.click); // a destroyed command leaves its control inert
}

TEST_F(LogicTest, DestroyedAppCommandsStopObserving) {
    std::size_t before = app.ObserverCount();
    std::size_t relayBefore = app.DocumentRelay().ObserverCount();
    {
        FakeControl menu;
        auto save = MakeCommand<SaveLikeCmd>(&menu, nullptr, app);
        EXPECT_EQ(app.ObserverCount(), before + 1);
        EXPECT_EQ(app.DocumentRelay().ObserverCount(), relayBefore + 1);
    }
    EXPECT_EQ(app.ObserverCount(), before);
    EXPECT_EQ(app.DocumentRelay().ObserverCount(), relayBefore);
}
