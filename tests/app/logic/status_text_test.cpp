#include "logic_fixture.h"

#include "app/logic/status_text.h"

TEST_F(LogicTest, StatusTextNamesThePositionInTheListWithTheListTotals) {
    EXPECT_EQ(BuildStatusText(app), "");
    TItemList* finder = app.SelectorList();
    app.SetCurrentList(finder, 1);
    app.SelectItem(finder->Item(1), finder, true);
    EXPECT_EQ(BuildStatusText(app),
              "  Item 2 of 3 in Question Finder, total marks: 9, time allowed: 12 min");

    app.SetSelection({finder->Item(0), finder->Item(2)}, finder);
    EXPECT_EQ(BuildStatusText(app), "  2 items, total marks: 6, time allowed: 8 min");
}

TEST_F(LogicTest, StatusTextUsesTheDocumentNameAndOmitsEmptyTotals) {
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    doc.InsertTextEntry(-1, "Heading", false, nullptr, 0, 0);
    app.SetCurrentList(&doc.EntryList(), 0);
    app.SelectItem(doc.EntryList().Item(0), &doc.EntryList(), true);
    EXPECT_EQ(BuildStatusText(app), "  Item 1 of 1 in Untitled");

    doc.SaveToFile((dir / "paper1.vqd").string());
    EXPECT_EQ(BuildStatusText(app), "  Item 1 of 1 in paper1.vqd");

    // Not at the current index: counted as a selection.
    app.SelectItem(Seg("Q1"), nullptr, false);
    EXPECT_EQ(BuildStatusText(app), "1 item, total marks: 3, time allowed: 4 min");
}

TEST_F(LogicTest, ClosingEveryDocumentWhileTheSecondOnesRowsAreShownLeavesNothingBehind) {
    TDocLogic& first = app.NewDocument();
    TDocLogic& second = app.NewDocument();
    second.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1);
    app.SetCurrentDoc(&first);
    // The viewer browses the second document's rows, then jumps to a mark scheme.
    app.SetCurrentList(&second.EntryList(), 0);
    app.SelectItem(second.EntryList().Item(0), &second.EntryList(), true);
    app.SelectItem(Seg("M1"), nullptr, false);

    Recorder rec(app);
    while (!app.Documents().empty()) app.CloseDocument(*app.Documents().front()); // Close All
    EXPECT_EQ(BuildStatusText(app), "1 item"); // reads the current list, if one is left
    ASSERT_EQ(rec.sets.size(), 2u);
    EXPECT_EQ(rec.sets[0], TCodeSet({ncCurrentDoc}));
    EXPECT_EQ(rec.sets[1], TCodeSet({ncCurrentList, ncHistory}));
    EXPECT_EQ(app.CurrentList(), nullptr);
    EXPECT_EQ(app.CurrentIndex(), -1);
    EXPECT_EQ(app.SelectedItem(), Seg("M1"));
}
