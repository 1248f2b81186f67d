#include "test_library.h"

#include "framework/errors.h"

#include <gtest/gtest.h>

using namespace qbtest;

namespace {

struct Row {
    std::string id;
    bool numbered;
    int number;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.id << (r.numbered ? "#" + std::to_string(r.number) : "");
}

// Each entry as its identifier (or title for a free text without identity) and number.
std::vector<Row> Rows(const TDocument& doc) {
    std::vector<Row> rows;
    for (const auto& e : doc.Entries) {
        std::string id = e->Segment->GetID();
        if (id.empty()) id = "'" + e->Segment->GetTitle() + "'";
        rows.push_back({id, e->Numbered, e->Numbered ? e->Number : 0});
    }
    return rows;
}

class Document : public ::testing::Test {
protected:
    TTextSegment* Seg(const char* id) { return s.lib->FindSegment(id); }
    SampleLibrary s;
    TDocument doc;
};

} // namespace

TEST_F(Document, InsertingRenumbersConsecutively) {
    doc.InsertEntries({Seg("Q3")}, -1, s.lib.get());
    doc.InsertEntries({Seg("Q1"), Seg("Q2a")}, 0, s.lib.get());
    EXPECT_EQ(Rows(doc), (std::vector<Row>{{"Q1", true, 1}, {"Q2a", true, 2}, {"Q3", true, 3}}));

    // A title between numbered questions changes no number until it is numbered.
    doc.InsertTextEntry(1, "Section B", false, nullptr, 0, 0);
    EXPECT_EQ(Rows(doc),
              (std::vector<Row>{
                  {"Q1", true, 1}, {"'Section B'", false, 0}, {"Q2a", true, 2}, {"Q3", true, 3}}));
    doc.ToggleNumbered(1);
    EXPECT_EQ(Rows(doc),
              (std::vector<Row>{
                  {"Q1", true, 1}, {"'Section B'", true, 2}, {"Q2a", true, 3}, {"Q3", true, 4}}));
    doc.ToggleNumbered(1);
    EXPECT_EQ(Rows(doc)[2], (Row{"Q2a", true, 2}));

    // Unnumbered kinds, and a category standing for its resource.
    doc.InsertEntries({Seg("N1"), Seg("S4.1"), s.r7, Seg("E1")}, -1, s.lib.get());
    EXPECT_EQ(Rows(doc).back(), (Row{"E1", true, 4}));
    EXPECT_EQ(Rows(doc)[4], (Row{"N1", false, 0}));
    EXPECT_EQ(Rows(doc)[6], (Row{"R7", false, 0}));
    EXPECT_EQ(doc.Entries[6]->Segment, Seg("R7"));

    doc.MoveEntry(7, 0);
    EXPECT_EQ(Rows(doc)[0], (Row{"E1", true, 1}));
    EXPECT_EQ(Rows(doc)[1], (Row{"Q1", true, 2}));
    doc.RemoveEntries({doc.Entries[0].get(), doc.Entries[2].get()});
    EXPECT_EQ(Rows(doc)[0], (Row{"Q1", true, 1}));
    EXPECT_EQ(Rows(doc)[1], (Row{"Q2a", true, 2}));
    EXPECT_EQ(doc.Entries.size(), 6u);
    EXPECT_EQ(doc.IndexOf(doc.Entries[1].get()), 1);
    EXPECT_EQ(doc.IndexOf(nullptr), -1);
}

TEST_F(Document, FailedOperationsLeaveTheDocumentAsItWas) {
    doc.InsertEntries({Seg("Q1")}, -1, s.lib.get());
    EXPECT_THROW(doc.InsertEntries({Seg("Q2a")}, 5, s.lib.get()), ERangeError);
    EXPECT_THROW(doc.InsertEntries({Seg("Q2a")}, -2, s.lib.get()), ERangeError);
    // Identity 2 has no resource: the whole insertion fails, the first item included.
    EXPECT_THROW(doc.InsertEntries({Seg("Q2a"), s.id2}, 0, s.lib.get()), EDataError);
    EXPECT_THROW(doc.MoveEntry(0, 1), ERangeError);
    EXPECT_THROW(doc.ToggleNumbered(1), ERangeError);
    EXPECT_THROW(doc.UpdateTextEntry(1, "x", false, nullptr, 0, 0), ERangeError);
    EXPECT_THROW(doc.InsertTextEntry(2, "x", false, nullptr, 0, 0), ERangeError);
    EXPECT_EQ(Rows(doc), (std::vector<Row>{{"Q1", true, 1}}));
}

TEST_F(Document, TextEntries) {
    doc.InsertTextEntry(-1, std::string(120, 'h'), true, MemoryText("{\\rtf1 typed}"), 7, 9);
    ASSERT_EQ(doc.Entries.size(), 1u);
    auto* owning = dynamic_cast<TOwningDocContent*>(doc.Entries[0].get());
    ASSERT_NE(owning, nullptr);
    EXPECT_TRUE(owning->Numbered);
    EXPECT_EQ(owning->Number, 1);
    EXPECT_EQ(owning->Text()->GetTitle(), std::string(100, 'h'));
    EXPECT_EQ(owning->Text()->Marks, 7);
    EXPECT_EQ(owning->Text()->Time, 9);
    EXPECT_EQ(owning->Text()->Chunk->GetLines()[0], "{\\rtf1 typed}");
    EXPECT_EQ(doc.ObjectCount(), 1 + 1 + 1 + 1);

    doc.UpdateTextEntry(0, "Retitled", false, MemoryText("{\\rtf1 new}"), 1, 2);
    EXPECT_EQ(doc.Entries[0].get(), owning); // an owning entry is updated in place
    EXPECT_FALSE(owning->Numbered);
    EXPECT_EQ(owning->Text()->GetTitle(), "Retitled");
    EXPECT_EQ(owning->Text()->Chunk->GetLines()[0], "{\\rtf1 new}");
    doc.UpdateTextEntry(0, "No text", false, nullptr, 1, 2);
    EXPECT_EQ(owning->Text()->Chunk, nullptr);
}

TEST_F(Document, UpdatingALibraryEntryMakesAFreeTextWithTheSameIdentity) {
    doc.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1, s.lib.get());
    doc.UpdateTextEntry(1, "Edited", true, MemoryText("{\\rtf1 edited}"), 8, 12);
    auto* owning = dynamic_cast<TOwningDocContent*>(doc.Entries[1].get());
    ASSERT_NE(owning, nullptr);
    EXPECT_EQ(owning->Text()->Identity, s.id2a);
    EXPECT_EQ(owning->Segment->GetID(), "T2a");
    EXPECT_EQ(owning->Text()->Marks, 8);
    EXPECT_EQ(owning->Number, 2);
    // The library question itself is untouched.
    EXPECT_EQ(s.id2a->Question.get(), s.q2a);
    EXPECT_EQ(s.id2a->Title, "Kinetic energy");
    EXPECT_EQ(s.q2a->Marks, 6);
}

TEST_F(Document, ClonesOfEntries) {
    doc.InsertEntries({Seg("Q1")}, -1, s.lib.get());
    doc.InsertTextEntry(-1, "Own", false, StoreText(*s.store, "{\\rtf1 stored}"), 2, 0);
    TDocument other;
    other.InsertEntries({doc.Entries[0].get(), doc.Entries[1].get()}, -1, s.lib.get());
    ASSERT_EQ(other.Entries.size(), 2u);
    EXPECT_EQ(other.Entries[0]->Segment, s.q1); // the library text is shared
    auto* source = dynamic_cast<TOwningDocContent*>(doc.Entries[1].get());
    auto* copy = dynamic_cast<TOwningDocContent*>(other.Entries[1].get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->Text(), source->Text()); // a free text is copied
    EXPECT_EQ(copy->Text()->GetTitle(), "Own");
    EXPECT_EQ(copy->Text()->Chunk->Store, nullptr);
    EXPECT_EQ(copy->Text()->Chunk->GetLines()[0], "{\\rtf1 stored}");
    EXPECT_FALSE(source->Text()->Chunk->IsLoaded());

    // Removing the original leaves the copy intact.
    doc.RemoveEntries({source});
    EXPECT_EQ(copy->Text()->Chunk->GetLines()[0], "{\\rtf1 stored}");
}

TEST_F(Document, MarkSchemeAndReportDocuments) {
    doc.InsertTextEntry(-1, "Test 1", false, nullptr, 0, 0);
    doc.InsertEntries({Seg("Q1"), Seg("Q2b"), Seg("N1")}, -1, s.lib.get());
    doc.InsertEntries({Seg("Q2a")}, -1, s.lib.get());
    doc.ToggleNumbered(3); // the note is numbered but is no question

    TDocument ms;
    ms.BuildMarkScheme(doc);
    EXPECT_EQ(Rows(ms), (std::vector<Row>{{"M1", true, 1}, {"T2b", true, 2}, {"M2a", true, 3}}));
    EXPECT_EQ(ms.Entries[0]->Segment, Seg("M1"));
    auto* missing = dynamic_cast<TOwningDocContent*>(ms.Entries[1].get());
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->Text()->GetTitle(), "Potential energy");
    EXPECT_EQ(missing->Text()->Marks, 2);
    EXPECT_EQ(missing->Text()->Chunk->GetLines()[0], MakeMissingMarkSchemeChunk()->GetLines()[0]);

    TDocument report;
    report.BuildReport(doc);
    EXPECT_EQ(Rows(report),
              (std::vector<Row>{{"E1", true, 1}, {"T2b", true, 2}, {"T2a", true, 3}}));
    auto* noReport = dynamic_cast<TOwningDocContent*>(report.Entries[2].get());
    EXPECT_NE(
        noReport->Text()->Chunk->GetLines()[0].find("  No Report available for this question."),
        std::string::npos);

    // An unnumbered question stays unnumbered in the derived document.
    doc.ToggleNumbered(1);
    TDocument ms2;
    ms2.BuildMarkScheme(doc);
    EXPECT_EQ(Rows(ms2), (std::vector<Row>{{"M1", false, 0}, {"T2b", true, 1}, {"M2a", true, 2}}));
}
