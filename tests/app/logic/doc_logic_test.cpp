#include "logic_fixture.h"

#include "app/logic/codes.h"

#include <functional>

namespace {

// Every edit of a document marks it modified, so that closing asks to save it, and
// announces the change once.
TEST_F(LogicTest, EveryEditMarksTheDocumentModified) {
    const std::pair<const char*, std::function<void(TDocLogic&)>> edits[] = {
        {"ToggleNumbered", [](TDocLogic& d) { d.ToggleNumbered(0); }},
        {"MoveEntry", [](TDocLogic& d) { d.MoveEntry(0, 1); }},
        {"RemoveEntries", [](TDocLogic& d) { d.RemoveEntries({d.Document().Entries[0].get()}); }},
        {"InsertEntries", [this](TDocLogic& d) { d.InsertEntries({Seg("Q2b")}, 0); }},
        {"InsertTextEntry",
         [](TDocLogic& d) {
             d.InsertTextEntry(0, "Title", false, MakeMissingReportChunk(), 0, 0);
         }},
    };
    for (const auto& [name, edit] : edits) {
        TDocLogic& doc = app.NewDocument();
        doc.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1);
        doc.SetModified(false);
        const bool numbered = doc.Document().Entries[0]->Numbered;
        {
            Recorder rec(doc);
            edit(doc);
            EXPECT_TRUE(doc.Modified()) << name;
            EXPECT_EQ(rec.sets, std::vector<TCodeSet>{TCodeSet({ncModified, ncDocument})}) << name;
        }
        if (std::string(name) == "ToggleNumbered") {
            EXPECT_NE(doc.Document().Entries[0]->Numbered, numbered);
        }
        app.CloseDocument(doc);
    }
}

} // namespace
