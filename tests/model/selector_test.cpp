#include "test_library.h"

#include "framework/collections.h"
#include "model/selector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace qbtest;

namespace {

class Selector : public ::testing::Test {
protected:
    Selector() : sel(*s.lib) { sel.AddObserver(MakeHandler<&Selector::Changed>(this)); }
    ~Selector() override { sel.RemoveObserver(MakeHandler<&Selector::Changed>(this)); }
    void Changed(TObservable* sender, const TCodeSet& codes) {
        EXPECT_EQ(sender, &sel);
        EXPECT_TRUE(codes.Empty());
        ++notifications;
    }
    std::vector<TQuestion*> Matches() const { return sel.Matches(); }
    std::set<TCategory*> Available(TDimension d) const {
        std::unique_ptr<TSet> set = sel.Available(d);
        std::set<TCategory*> out;
        auto it = set->Iterator();
        while (void* e = it->NextElement())
            out.insert(static_cast<TCategory*>(e));
        EXPECT_EQ(out.size(), static_cast<std::size_t>(set->Count()));
        return out;
    }
    TCategory* T(const char* path) const { return Node(s.lib->TopicRoot.get(), path); }

    SampleLibrary s;
    TQuestionSelector sel;
    int notifications = 0;
};

using Qs = std::vector<TQuestion*>;

} // namespace

TEST_F(Selector, WithoutCriteriaEveryQuestionInIdentityOrder) {
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a, s.q2b, s.q3}));
    for (TDimension d : {TDimension::Identity, TDimension::Topic, TDimension::QuestionType,
                         TDimension::Level, TDimension::Paper, TDimension::Resource}) {
        EXPECT_EQ(sel.Filter(d), nullptr);
        EXPECT_EQ(sel.Current(d), sel.Root(d));
    }
    EXPECT_EQ(sel.Current(TDimension::Resource), s.lib->ResourceRoot.get());
}

TEST_F(Selector, ChoosingARootClearsTheCriterion) {
    sel.SetTopic(s.lib->TopicRoot.get(), false); // nothing to clear: no change, no notification
    EXPECT_EQ(notifications, 0);
    sel.SetTopic(T("Mechanics"), false);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a, s.q2b}));
    EXPECT_EQ(sel.Current(TDimension::Topic), T("Mechanics"));
    sel.SetTopic(T("Mechanics"), false); // the same again: nothing happens
    EXPECT_EQ(notifications, 1);
    sel.SetTopic(s.lib->TopicRoot.get(), false);
    EXPECT_EQ(sel.Filter(TDimension::Topic), nullptr);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a, s.q2b, s.q3}));
    EXPECT_EQ(notifications, 2);
}

TEST_F(Selector, NarrowingFiltersTheMatchesAndAnythingElseRecomputes) {
    sel.SetTopic(T("Mechanics"), false);
    sel.SetTopic(T("Mechanics/Energy"), false); // deeper: refines the current list
    EXPECT_EQ(Matches(), (Qs{s.q2a, s.q2b}));
    sel.SetTopic(T("Mechanics"), false); // up: recomputes
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a, s.q2b}));

    sel.SetTopic(T("Mechanics/Forces"), false);
    EXPECT_EQ(Matches(), (Qs{s.q1}));
    sel.SetTopic(T("Mechanics/Energy"), false); // sideways: recomputes, not refines
    EXPECT_EQ(Matches(), (Qs{s.q2a, s.q2b}));
    EXPECT_EQ(notifications, 5);
}

// A criterion from another library's tree matches nothing it does not contain, and
// positions left in categories by another selector do not confuse this one.
TEST_F(Selector, ForeignCriteriaAndStaleOrdinalsAreHandled) {
    TCategory stranger("Stranger");
    stranger.TreeOrdinal = T("Mechanics")->TreeOrdinal;
    sel.SetTopic(&stranger, false);
    EXPECT_TRUE(Matches().empty());
    EXPECT_EQ(sel.Available(TDimension::Level)->Count(), 0);
    sel.SetTopic(s.lib->TopicRoot.get(), false);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a, s.q2b, s.q3}));
}

TEST_F(Selector, CriteriaOfDifferentDimensionsCombine) {
    sel.SetTopic(T("Mechanics/Energy"), false);
    sel.SetPaper(s.paper1, false); // q2b has no papers: out as soon as any paper is chosen
    EXPECT_EQ(Matches(), (Qs{s.q2a}));
    sel.SetPaper(s.lib->PaperRoot.get(), false);
    EXPECT_EQ(Matches(), (Qs{s.q2a, s.q2b}));

    sel.SetLevel(s.lib->LevelRoot.get(), false); // no level criterion yet: nothing happens
    sel.SetTopic(s.lib->TopicRoot.get(), false);
    sel.SetLevel(s.foundation, false);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2b})); // q3 has no level
    sel.SetResource(s.r8, false);
    EXPECT_EQ(Matches(), (Qs{s.q2b}));
    sel.SetResource(s.lib->ResourceRoot.get(), false);
    sel.SetIdentity(s.id2, false);
    EXPECT_EQ(Matches(), (Qs{s.q2b}));
    sel.SetQuestionType(s.mc, false);
    EXPECT_TRUE(Matches().empty());
    EXPECT_EQ(notifications, 9);
}

TEST_F(Selector, ResetClearsEveryOtherCriterionFirst) {
    sel.SetTopic(T("Mechanics"), false);
    sel.SetPaper(s.paper1, false);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2a}));
    sel.SetLevel(s.foundation, true);
    EXPECT_EQ(sel.Filter(TDimension::Topic), nullptr);
    EXPECT_EQ(sel.Filter(TDimension::Paper), nullptr);
    EXPECT_EQ(sel.Filter(TDimension::Level), s.foundation);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2b}));

    // Reset with the criterion already chosen still starts afresh.
    sel.SetTopic(T("Mechanics/Energy"), false);
    EXPECT_EQ(Matches(), (Qs{s.q2b}));
    sel.SetTopic(T("Mechanics/Energy"), true);
    EXPECT_EQ(sel.Filter(TDimension::Level), nullptr);
    EXPECT_EQ(Matches(), (Qs{s.q2a, s.q2b}));
    EXPECT_EQ(notifications, 5);
}

TEST_F(Selector, AvailableIgnoresExactlyItsOwnCriterion) {
    TCategory* topics = s.lib->TopicRoot.get();
    // With nothing chosen, every topic in use, with its ancestors.
    EXPECT_EQ(Available(TDimension::Topic), (std::set<TCategory*>{topics, T("Mechanics"), s.forces,
                                                                  s.energy, T("Waves"), s.sound}));

    sel.SetLevel(s.foundation, false);
    sel.SetTopic(s.forces, false);
    EXPECT_EQ(Matches(), (Qs{s.q1}));
    // Topics of the Foundation questions (q1, q2b), whatever the topic criterion says.
    EXPECT_EQ(Available(TDimension::Topic),
              (std::set<TCategory*>{topics, T("Mechanics"), s.forces, s.energy}));
    // Levels of the questions on forces, whatever the level criterion says.
    EXPECT_EQ(Available(TDimension::Level),
              (std::set<TCategory*>{s.lib->LevelRoot.get(), s.foundation}));
    // Other dimensions take the current matches.
    EXPECT_EQ(Available(TDimension::Resource),
              (std::set<TCategory*>{s.lib->ResourceRoot.get(), s.r7}));
    EXPECT_EQ(Available(TDimension::Paper),
              (std::set<TCategory*>{s.lib->PaperRoot.get(), s.paper1}));

    sel.SetTopic(s.sound, true);
    sel.SetResource(s.r8, false);
    EXPECT_EQ(Matches(), (Qs{s.q3}));
    // Resources of the questions on sound (q2a has none, q3 has 7 and 8).
    EXPECT_EQ(Available(TDimension::Resource),
              (std::set<TCategory*>{s.lib->ResourceRoot.get(), s.r7, s.r8}));
    // Topics of the questions using resource 8: q2b (energy), q3 (sound).
    EXPECT_EQ(Available(TDimension::Topic),
              (std::set<TCategory*>{topics, T("Mechanics"), s.energy, T("Waves"), s.sound}));
    EXPECT_EQ(Available(TDimension::Identity),
              (std::set<TCategory*>{s.lib->QuestionRoot.get(), s.id3}));
    EXPECT_EQ(Available(TDimension::QuestionType),
              (std::set<TCategory*>{s.lib->QuestionTypeRoot.get(), s.practical}));
    EXPECT_TRUE(Available(TDimension::Level).empty()); // q3 has no level

    sel.SetIdentity(s.id2, true);
    EXPECT_EQ(
        Available(TDimension::Identity),
        (std::set<TCategory*>{s.lib->QuestionRoot.get(), s.id1, s.id2, s.id2a, s.id2b, s.id3}));
}

TEST_F(Selector, TextFilterNarrowsTheCriteriaResultEitherWayRound) {
    using Set = TQuestionSelector::TQuestionSet;
    sel.SetTextFilter(std::make_shared<Set>(Set{s.q3, s.q2b, s.q1}));
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2b, s.q3})); // in the criteria's order
    sel.SetTopic(T("Mechanics"), false);
    EXPECT_EQ(Matches(), (Qs{s.q1, s.q2b}));
    sel.SetTopic(T("Mechanics/Energy"), false); // refining keeps the text filter
    EXPECT_EQ(Matches(), (Qs{s.q2b}));
    sel.SetTextFilter(nullptr);
    EXPECT_EQ(Matches(), (Qs{s.q2a, s.q2b}));
    sel.SetTextFilter(nullptr); // nothing to clear: no notification
    EXPECT_EQ(notifications, 4);
}
