#include "logic_fixture.h"

#include "app/logic/codes.h"
#include "file_size_limit.h"
#include "framework/errors.h"
#include "model/categories.h"
#include "model/selector.h"

#include <fstream>

namespace {
TCodeSet Codes(std::initializer_list<int> c) {
    return TCodeSet(c);
}

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST_F(LogicTest, DocumentCreationAndCurrentDocNotifyTheirCodes) {
    Recorder rec(app);
    TDocLogic& doc = app.NewDocument();
    ASSERT_EQ(rec.sets.size(), 1u);
    EXPECT_EQ(rec.sets[0], Codes({ncDocCreate}));
    EXPECT_EQ(app.Documents().back(), &doc);
    EXPECT_EQ(doc.DisplayName(), "Untitled");

    app.SetCurrentDoc(&doc);
    app.SetCurrentDoc(&doc); // unchanged: silent
    ASSERT_EQ(rec.sets.size(), 2u);
    EXPECT_EQ(rec.sets[1], Codes({ncCurrentDoc}));
}

TEST_F(LogicTest, SetCurrentListStoresMinusOneForAnIndexOutOfRangeAndIgnoresRepeats) {
    Recorder rec(app);
    TItemList* list = app.SelectorList();
    ASSERT_EQ(list->Count(), 3);
    app.SetCurrentList(list, 3);
    EXPECT_EQ(app.CurrentIndex(), -1);
    app.SetCurrentList(list, 3);
    app.SetCurrentList(list, 1);
    EXPECT_EQ(app.CurrentIndex(), 1);
    EXPECT_EQ(rec.sets.size(), 2u);
}

TEST_F(LogicTest, SelectionHistoryAndBack) {
    TItemList* list = app.SelectorList();
    app.SetCurrentList(list, 0);
    app.SelectItem(list->Item(0), list, true);
    app.SelectItem(Seg("Q2a"), nullptr, false);
    ASSERT_EQ(app.History().size(), 1u);
    EXPECT_EQ(app.History()[0], list->Item(0));

    Recorder rec(app);
    app.Back();
    EXPECT_EQ(app.SelectedItem(), list->Item(0));
    EXPECT_TRUE(app.History().empty());
    // The restored item is the current list's current item: the list is its source again.
    EXPECT_EQ(app.SelectionSource(), list);
    EXPECT_EQ(rec.sets.back(), Codes({ncCurrentSelection, ncHistory}));
}

TEST_F(LogicTest, NewSearchResultSelectsItsFirstItemAndAnEmptyOneSelectsNothing) {
    Recorder rec(app);
    TCategory* q2 = app.Library()->QuestionRoot->Children[1].get();
    app.Selector()->SetIdentity(q2, true);
    EXPECT_EQ(rec.sets.back(),
              Codes({ncSelectorResult, ncCurrentList, ncHistory, ncCurrentSelection}));
    EXPECT_EQ(app.CurrentList(), app.SelectorList());
    EXPECT_EQ(app.SelectedItem(), Seg("Q2a"));

    auto empty = std::make_unique<TCategory>("Nothing");
    TCategory* topic = app.Library()->TopicRoot->AddChild(std::move(empty));
    app.Selector()->SetTopic(topic, false);
    EXPECT_TRUE(app.Selection().empty());
    EXPECT_EQ(app.SelectionSource(), nullptr);
    EXPECT_EQ(app.CurrentIndex(), -1);
}

TEST_F(LogicTest, AddToDocumentAsksOncePerDuplicateAndNoForAllChangesNothing) {
    TDocLogic& doc = app.NewDocument();
    doc.AddToDocument({Seg("Q1"), Seg("Q2a")}, -1);
    EXPECT_TRUE(prompts.asked.empty());
    ASSERT_EQ(doc.Document().Entries.size(), 2u);

    Recorder rec(doc);
    prompts.answers = {TAnswer::No, TAnswer::No};
    doc.AddToDocument({Seg("Q1"), doc.Document().Entries[1].get()}, -1);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0], "Untitled already contains Q1. Do you want to include it again?");
    EXPECT_EQ(doc.Document().Entries.size(), 2u);
    EXPECT_TRUE(rec.sets.empty());

    prompts.answers = {TAnswer::Yes};
    doc.AddToDocument({Seg("Q1")}, 0);
    ASSERT_EQ(doc.Document().Entries.size(), 3u);
    EXPECT_EQ(rec.sets.back(), Codes({ncModified, ncDocument}));
    EXPECT_EQ(doc.Document().Entries[2]->Number, 3);
}

TEST_F(LogicTest, ClosingTheCurrentDocumentClearsWhatCameFromIt) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1);
    app.SetCurrentDoc(&doc);
    app.SetCurrentList(&doc.EntryList(), 0);
    app.SelectItem(doc.EntryList().Item(0), &doc.EntryList(), true);
    app.SelectItem(doc.EntryList().Item(1), &doc.EntryList(), false);

    Recorder rec(app);
    Recorder relay(app.DocumentRelay());
    app.CloseDocument(doc);
    ASSERT_EQ(rec.sets.size(), 1u);
    EXPECT_EQ(rec.sets[0], Codes({ncCurrentDoc, ncCurrentSelection, ncCurrentList, ncHistory}));
    ASSERT_EQ(relay.sets.size(), 1u);
    EXPECT_EQ(relay.sets[0], Codes({ncDocDestroy}));
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_EQ(app.CurrentDoc(), nullptr);
    EXPECT_EQ(app.CurrentList(), nullptr);
    EXPECT_TRUE(app.Selection().empty());
    EXPECT_TRUE(app.History().empty());
}

TEST_F(LogicTest, ClosingAnotherDocumentLeavesStateButForgetsItsEntries) {
    TDocLogic& a = app.NewDocument();
    TDocLogic& b = app.NewDocument();
    b.InsertEntries({Seg("Q1")}, -1);
    app.SetCurrentDoc(&a);
    app.SelectItem(b.EntryList().Item(0), &b.EntryList(), true);
    app.SelectItem(Seg("Q2a"), app.SelectorList(), false); // b's entry goes to the history

    Recorder rec(app);
    app.CloseDocument(b);
    EXPECT_TRUE(rec.sets.empty());
    EXPECT_EQ(app.CurrentDoc(), &a);
    // The history held b's entry, now freed: Back must not bring it back.
    EXPECT_TRUE(app.History().empty());
}

TEST_F(LogicTest, ClipboardHoldsCopies) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertTextEntry(-1, "Title", false, MakeMissingMarkSchemeChunk(), 0, 0);
    Recorder rec(app);
    app.CopyToClipboard({doc.EntryList().Item(0), Seg("Q2b")});
    ASSERT_EQ(app.Clipboard().size(), 2u);
    EXPECT_NE(app.Clipboard()[0].get(), doc.EntryList().Item(0));
    EXPECT_EQ(app.Clipboard()[0]->Segment->GetTitle(), "Title");
    EXPECT_EQ(app.Clipboard()[1]->Segment, Seg("Q2b"));
    EXPECT_EQ(rec.sets.back(), Codes({ncClipboard}));
}

TEST_F(LogicTest, ReportWithoutDocumentsInformsAndAddsNothing) {
    EXPECT_EQ(app.CreateReportDocument(), nullptr);
    ASSERT_EQ(prompts.informed.size(), 1u);
    EXPECT_EQ(prompts.informed[0],
              "Please click on the test Document window before creating the Report");
    EXPECT_TRUE(app.Documents().empty());

    TDocLogic& test = app.NewDocument();
    test.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1);
    TDocLogic* report = app.CreateReportDocument();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(app.CurrentDoc(), &test);
    EXPECT_TRUE(report->Modified());
    EXPECT_EQ(report->Document().Entries.size(), 2u);
}

TEST_F(LogicTest, ReportComesFromTheCurrentTestOrElseTheFirstOpenTest) {
    TDocLogic& first = app.NewDocument();
    first.InsertEntries({Seg("Q1")}, -1);
    TDocLogic& second = app.NewDocument();
    second.InsertEntries({Seg("Q2a"), Seg("Q2b")}, -1);
    app.SetCurrentDoc(&second);
    EXPECT_EQ(app.CreateReportDocument()->Document().Entries.size(), 2u);
    EXPECT_EQ(app.CurrentDoc(), &second);

    // From a mark-scheme document (no questions) the report comes from the first test.
    TDocLogic& scheme = app.CreateMarkSchemeDocument();
    app.SetCurrentDoc(&scheme);
    EXPECT_EQ(app.CreateReportDocument()->Document().Entries.size(), 1u);
    EXPECT_EQ(app.CurrentDoc(), &first);
}

TEST_F(LogicTest, SaveLocksTheFileAndASecondOpenFails) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertEntries({Seg("Q1")}, -1);
    doc.InsertTextEntry(0, "Heading", false, MakeMissingReportChunk(), 0, 0);
    std::string path = (dir / "test.vqd").string();
    Recorder rec(doc);
    doc.SaveToFile(path);
    EXPECT_EQ(rec.sets.back(), Codes({ncModified, ncFilename}));
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.DisplayName(), "test.vqd");
    EXPECT_FALSE(std::filesystem::exists(dir / "~temp.vqd"));

    try {
        app.OpenDocument(path);
        FAIL() << "a locked file opened twice";
    } catch (const EError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Please check that the file is not already open, and that you have not "
                  "mis-typed the filename.\nThe file \"" + path +
                      "\" is already open in this program.");
    }
    EXPECT_EQ(app.Documents().size(), 1u);

    // Saved again in place, the free text still reads from the file.
    doc.SaveToFile(path);
    auto* text = dynamic_cast<TText*>(doc.Document().Entries[0]->Segment);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text->Chunk->GetLines().at(0).find("No Report available"), std::string::npos);

    app.CloseDocument(doc);
    TDocLogic& again = app.OpenDocument(path);
    EXPECT_EQ(again.Document().Entries.size(), 2u);
    EXPECT_EQ(again.Document().Entries[1]->Segment, Seg("Q1"));
}

TEST_F(LogicTest, FailedSaveLeavesFileDocumentAndTextsAsTheyWere) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertTextEntry(-1, "Typed", false, MakeMissingMarkSchemeChunk(), 2, 3);
    std::string path = (dir / "keep.vqd").string();
    doc.SaveToFile(path);
    std::string before = ReadAll(path);

    doc.InsertEntries({Seg("Q2b")}, -1);
    // A full disk makes every save fail.
    TFileSizeLimit full(16);
    EXPECT_THROW(doc.SaveToFile(path), EError);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.FileName(), path);
    auto* text = dynamic_cast<TText*>(doc.Document().Entries[0]->Segment);
    EXPECT_NE(text->Chunk->GetLines().at(0).find("No mark scheme"), std::string::npos);

    // An unsaved text survives a failed first save too.
    TDocLogic& fresh = app.NewDocument();
    fresh.InsertTextEntry(-1, "New", false, MakeMissingReportChunk(), 0, 0);
    EXPECT_THROW(fresh.SaveToFile((dir / "other.vqd").string()), EError);
    auto* t2 = dynamic_cast<TText*>(fresh.Document().Entries[0]->Segment);
    EXPECT_NE(t2->Chunk->GetLines().at(0).find("No Report"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "other.vqd"));
}

TEST_F(LogicTest, SavingOverAFileAnotherDocumentHoldsIsRefused) {
    TDocLogic& a = app.NewDocument();
    std::string path = (dir / "a.vqd").string();
    a.SaveToFile(path);
    std::string before = ReadAll(path);
    TDocLogic& b = app.NewDocument();
    b.InsertEntries({Seg("Q1")}, -1);
    EXPECT_THROW(b.SaveToFile(path), EError);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(b.FileName(), "");
}
