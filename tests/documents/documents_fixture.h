#pragma once

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "empty_library.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

inline QApplication& DocumentsTestApp() {
    static int argc = 1;
    static char name[] = "qb_documents_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Answers questions from a script (No when it runs out) and records what was said.
class ScriptedPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string& message, bool) override {
        asked.push_back(message);
        if (answers.empty()) return TAnswer::No;
        TAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void Inform(const std::string& message) override { informed.push_back(message); }
    std::deque<TAnswer> answers;
    std::vector<std::string> asked;
    std::vector<std::string> informed;
};

// Questions 1, 2 and 3 worth 4, 5 and 6 marks and 10, 0 and 5 minutes; question 1's
// text ends with the end mark.
class DocumentsTest : public ::testing::Test {
protected:
    DocumentsTest() { DocumentsTestApp(); }

    void SetUp() override {
        auto lib = MakeEmptyLibrary("Bank");
        const int marks[] = {4, 5, 6}, times[] = {10, 0, 5};
        for (int i = 0; i < 3; ++i) {
            const std::string id = std::to_string(i + 1);
            auto* identity = lib->QuestionRoot->AddChild(
                std::make_unique<TIdentityCategory>(id, "Question " + id));
            auto q = std::make_unique<TQuestion>();
            q->Marks = std::int16_t(marks[i]);
            q->Time = std::int16_t(times[i]);
            q->Chunk = MakeChunk({"{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
                                  "ROMAN;}}\\f0 Question ",
                                  id, "\\par -\\par}"});
            identity->SetSegment(std::move(q));
        }
        app.SetLibrary("Bank", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                       std::move(lib));
    }

    TTextSegment* Seg(const char* id) const { return app.Library()->FindSegment(id); }
    // A current document holding the given library texts.
    TDocLogic& Document(std::vector<const char*> ids) {
        TDocLogic& doc = app.NewDocument();
        std::vector<TListItem> items;
        for (const char* id : ids)
            items.push_back(Seg(id));
        if (!items.empty()) doc.InsertEntries(items, -1);
        doc.SetModified(false);
        app.SetCurrentDoc(&doc);
        return doc;
    }
    // Clicks entry `index` of the document, as its window does.
    void Click(TDocLogic& doc, int index) {
        TItemList& list = doc.EntryList();
        app.SetCurrentList(&list, index);
        app.SelectItem(list.Item(index), &list, true);
    }
    TDocContent* Entry(TDocLogic& doc, int index) {
        return doc.Document().Entries.at(std::size_t(index)).get();
    }

    ScriptedPrompts prompts;
    TAppLogic app{prompts};
};
