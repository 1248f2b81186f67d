#pragma once

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "documents/doc_entry_list.h"
#include "documents/doc_form.h"
#include "documents/doc_form_creator.h"
#include "documents/file_commands.h"
#include "documents_fixture.h"
#include "empty_library.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <QApplication>
#include <QMdiArea>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

// File names from a script; an empty one (or none left) is a cancelled dialog.
class ScriptedDialogs : public TFileDialogs {
public:
    std::string ChooseDocumentToOpen() override { return Next(); }
    std::string ChooseDocumentToSave(const std::string& fileName) override {
        offered.push_back(fileName);
        return Next();
    }
    std::deque<std::string> names;
    std::vector<std::string> offered;

private:
    std::string Next() {
        if (names.empty()) return {};
        std::string n = names.front();
        names.pop_front();
        return n;
    }
};

// Questions Q1 to Q12 (Q1 worth 2 marks and 3 minutes) and a workspace whose document
// windows the creator makes.
struct TAppFirst {
    TAppFirst() { DocumentsTestApp(); } // before any widget of the fixture
};

class DocWindowTest : public ::testing::Test, private TAppFirst {
protected:
    void SetUp() override {
        auto lib = MakeEmptyLibrary("Bank");
        for (int i = 1; i <= 12; ++i) {
            auto* id = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>(
                std::to_string(i), "Question " + std::to_string(i)));
            auto q = std::make_unique<TQuestion>();
            if (i == 1) q->Marks = 2, q->Time = 3;
            id->SetSegment(std::move(q));
        }
        app.SetLibrary("Bank", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                       std::move(lib));
        dir = std::filesystem::temp_directory_path() /
              ("qb-docs-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        workspace.resize(800, 600);
    }
    void TearDown() override {
        for (TDocLogic* doc : std::vector<TDocLogic*>(app.Documents()))
            app.CloseDocument(*doc);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::filesystem::remove_all(dir);
    }

    TTextSegment* Seg(int i) { return app.Library()->FindSegment("Q" + std::to_string(i)); }
    // A new document holding questions first..last, with its window.
    TDocLogic& Document(int first, int last) {
        TDocLogic& doc = app.NewDocument();
        std::vector<TListItem> items;
        for (int i = first; i <= last; ++i)
            items.push_back(Seg(i));
        if (!items.empty()) doc.InsertEntries(items, -1);
        return doc;
    }
    TDocForm* Window(const TDocLogic& doc) {
        for (auto* form : workspace.findChildren<TDocForm*>())
            if (form->DocLogic() == &doc) return form;
        return nullptr;
    }
    std::string Path(const char* name) const { return (dir / name).string(); }

    ScriptedPrompts prompts;
    TAppLogic app{prompts};
    ScriptedDialogs dialogs;
    QMdiArea workspace;
    TDocFormCreator creator{app, dialogs, workspace, [] { return QSize(300, 250); }};
    std::filesystem::path dir;
};
