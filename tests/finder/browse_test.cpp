#include "finder_fixture.h"

#include "model/selector.h"

namespace {
class BrowseTest : public FinderTest {
protected:
    template <class C> bool Enabled() {
        if constexpr (std::is_constructible_v<C, TAppLogic&, TViewManager&>)
            return C(app, viewer).IsEnabled();
        else
            return C(app, viewer, chooser).IsEnabled();
    }
    template <class C> void Run() { TCommand::Run<C>(app, viewer, chooser); }
};
} // namespace

TEST_F(BrowseTest, UpwardJumpsFindTheNearestIdentityCarryingTheText) {
    Select("Q1a");
    Run<TRelatedMarkSchemeCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("M1a"));
    Run<TRelatedMarkSchemeCmd>(); // from a mark scheme: its parent's
    EXPECT_EQ(app.SelectedItem(), Seg("M1"));
    EXPECT_TRUE(viewer.Visible());

    Select("Q1b");
    Run<TRelatedExaminersReportCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("E1"));
    Select("Q2a");
    EXPECT_FALSE(Enabled<TRelatedNoteCmd>());
    EXPECT_FALSE(Enabled<TRelatedMarkSchemeCmd>());
}

TEST_F(BrowseTest, RelatedQuestionIsTheNearestAncestorsNeverTheQuestionItself) {
    Select("Q1b");
    Run<TRelatedQuestionsCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("Q1"));
    Select("Q2a"); // identity 2 carries no question, and nothing above it does
    EXPECT_FALSE(Enabled<TRelatedQuestionsCmd>());
    Select("M1a");
    Run<TRelatedQuestionsCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("Q1a"));
}

TEST_F(BrowseTest, LinkWithSeveralRelatedIdentitiesOffersTheirQuestions) {
    Select("S1");
    chooser.answers = {-1, 1};
    Run<TRelatedQuestionsCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("S1")); // Cancel views nothing
    Run<TRelatedQuestionsCmd>();
    ASSERT_EQ(chooser.offered.size(), 2u);
    EXPECT_EQ(chooser.offered[1], (std::vector<TTextSegment*>{Seg("Q1"), Seg("Q2a")}));
    EXPECT_EQ(app.SelectedItem(), Seg("Q2a"));
    EXPECT_EQ(app.History(), std::vector<TListItem>{Seg("S1")});

    Select("S2"); // one related identity: its question directly
    Run<TRelatedQuestionsCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("Q1b"));
    EXPECT_EQ(chooser.offered.size(), 2u);
}

TEST_F(BrowseTest, QuestionWithSeveralResourcesOffersThoseWithTextsAndCancelKeepsHistory) {
    Select("Q1");
    chooser.answers = {-1, 1};
    Run<TRelatedResourceCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("Q1"));
    EXPECT_TRUE(app.History().empty());
    Run<TRelatedResourceCmd>();
    EXPECT_EQ(chooser.offered[0], (std::vector<TTextSegment*>{Seg("R1"), Seg("R2")}));
    EXPECT_EQ(app.SelectedItem(), Seg("R2"));
    EXPECT_EQ(app.History(), std::vector<TListItem>{Seg("Q1")});

    Select("Q1a"); // one resource: no chooser
    Run<TRelatedResourceCmd>();
    EXPECT_EQ(app.SelectedItem(), Seg("R1"));
    EXPECT_EQ(chooser.offered.size(), 2u);
}

TEST_F(BrowseTest, ResourceOffersTheQuestionsThatUseIt) {
    Select("R1");
    chooser.answers = {1};
    Run<TRelatedQuestionsCmd>();
    ASSERT_EQ(chooser.offered.size(), 1u);
    EXPECT_EQ(chooser.offered[0], (std::vector<TTextSegment*>{Seg("Q1"), Seg("Q1a")}));
    EXPECT_EQ(app.SelectedItem(), Seg("Q1a"));
    EXPECT_FALSE(viewer.Visible());
}

TEST_F(BrowseTest, LinkJumpFollowsTheRelatedListAndIsNeverLeftOverFromAnEarlierItem) {
    TRelatedSyllabusCmd command(app, viewer, chooser);
    Select("Q1");
    EXPECT_TRUE(command.IsEnabled());
    command.Execute(nullptr);
    EXPECT_EQ(app.SelectedItem(), Seg("S1"));
    Select("M1"); // a mark scheme takes its identity's list
    EXPECT_EQ(command.IsEnabled(), true);
    Select("Q1b");
    EXPECT_FALSE(command.IsEnabled());
    auto text = Seg("Q1")->MakeText();
    Select("Q1");
    EXPECT_TRUE(command.IsEnabled());
    app.SelectItem(text.get(), nullptr, false); // an edited copy has no links
    EXPECT_FALSE(command.IsEnabled());
    Select("R1");
    EXPECT_FALSE(command.IsEnabled());
}

TEST_F(BrowseTest, PrevNextFollowTheCurrentListAndBackGivesTheSourceOnlyForTheCurrentEntry) {
    TItemList* list = app.SelectorList();
    ASSERT_EQ(list->Count(), 4);
    app.SetCurrentList(list, 0);
    app.SelectItem(list->Item(0), list, true);
    EXPECT_FALSE(Enabled<TPrevCmd>());
    Run<TRelatedMarkSchemeCmd>();
    TCommand::Run<TNextCmd>(app, viewer);
    EXPECT_TRUE(app.History().empty()); // stepping starts the history afresh
    EXPECT_EQ(app.CurrentIndex(), 1);
    EXPECT_EQ(app.SelectedItem(), list->Item(1));
    EXPECT_EQ(app.SelectionSource(), list);

    Run<TRelatedQuestionsCmd>(); // Q1a -> Q1: history holds Q1a, the current entry
    EXPECT_EQ(app.SelectionSource(), nullptr);
    TCommand::Run<TBackCmd>(app, viewer);
    EXPECT_EQ(app.SelectedItem(), list->Item(1));
    EXPECT_EQ(app.SelectionSource(), list);

    Select("S1");
    chooser.answers = {0};
    Run<TRelatedQuestionsCmd>();
    TCommand::Run<TBackCmd>(app, viewer);
    EXPECT_EQ(app.SelectedItem(), Seg("S1"));
    EXPECT_EQ(app.SelectionSource(), nullptr); // S1 is not the current entry

    app.SetCurrentList(list, 3);
    EXPECT_TRUE(Enabled<TPrevCmd>());
    EXPECT_FALSE(Enabled<TNextCmd>());
    app.SetCurrentList(list, -1);
    EXPECT_FALSE(Enabled<TNextCmd>());
}
