#pragma once

#include "app/logic/app_logic.h"
#include "empty_library.h"
#include "finder/browse_commands.h"
#include "finder/view_manager.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "qb_finder_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class QuietPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string&, bool) override { return TAnswer::No; }
    void Inform(const std::string&) override {}
};

// Answers from a script: an index into the candidates, or -1 for Cancel.
class ScriptedChooser : public TRelatedChooser {
public:
    bool Choose(const std::vector<TTextSegment*>& candidates, TTextSegment*& chosen) override {
        offered.push_back(candidates);
        const int answer = answers.empty() ? -1 : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (answer < 0) return false;
        chosen = candidates.at(std::size_t(answer));
        return true;
    }
    std::deque<int> answers;
    std::vector<std::vector<TTextSegment*>> offered;
};

// Questions 1 (with 1a, 1b) and 2 (no question, with 2a); 1 and 1a have mark schemes,
// 1 a report and a note. Links S1 (related to 1 and 2a) and S2 (related to 1b).
// Resources R1 and R2 have texts, R3 has none; question 1 uses R1, R2 and R3, 1a uses R1.
class FinderTest : public ::testing::Test {
protected:
    FinderTest() { TestApp(); } // before any widget of a derived fixture

    void SetUp() override {
        auto lib = MakeEmptyLibrary("Bank");
        auto* q1 = Identity(*lib->QuestionRoot, "1", "Forces");
        auto* q1a = Identity(*q1, "a", "Forces a");
        auto* q1b = Identity(*q1, "b", "Forces b");
        auto* q2 = Identity(*lib->QuestionRoot, "2", "Waves");
        auto* q2a = Identity(*q2, "a", "Waves a");
        auto* s1 = Identity(*lib->SyllabusRoot, "1", "Motion");
        auto* s2 = Identity(*lib->SyllabusRoot, "2", "Energy");
        auto* r1 = Identity(*lib->ResourceRoot, "1", "Ramp");
        auto* r2 = Identity(*lib->ResourceRoot, "2", "Spring");
        auto* r3 = Identity(*lib->ResourceRoot, "3", "Lost");
        for (auto* id : {q1, q1a, q1b, q2a})
            Text<TQuestion>(*id);
        Text<TMarkScheme>(*q1);
        Text<TMarkScheme>(*q1a);
        Text<TExaminersReport>(*q1);
        Text<TNote>(*q1);
        Text<TSyllabus>(*s1);
        Text<TSyllabus>(*s2);
        Text<TResource>(*r1);
        Text<TResource>(*r2);
        s1->Related = {q1, q2a};
        s2->Related = {q1b};
        q1->Related = {s1};
        static_cast<TQuestion*>(q1->Question.get())->Resources = {r1, r2, r3};
        static_cast<TQuestion*>(q1a->Question.get())->Resources = {r1};
        app.SetLibrary("Bank", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                       std::move(lib));
    }

    static TIdentityCategory* Identity(TIdentityCategory& parent, const char* id,
                                       const char* title) {
        return parent.AddChild(std::make_unique<TIdentityCategory>(id, title));
    }
    template <class T> static void Text(TIdentityCategory& identity) {
        auto text = std::make_unique<T>();
        const std::string words = identity.Title + " " + std::string(1, text->Kind());
        text->Chunk = MakeChunk({"{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
                                 "ROMAN;}}\\f0 ",
                                 words, "\\par -\\par}"});
        identity.SetSegment(std::move(text));
    }
    TTextSegment* Seg(const char* id) const { return app.Library()->FindSegment(id); }
    void Select(const char* id) { app.SelectItem(Seg(id), nullptr, true); }

    QuietPrompts prompts;
    TAppLogic app{prompts};
    TViewManager viewer;
    ScriptedChooser chooser;
};
