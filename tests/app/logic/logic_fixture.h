#pragma once

#include "app/logic/app_logic.h"
#include "app/logic/codes.h"
#include "app/logic/doc_logic.h"
#include "empty_library.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

// Answers questions from a script and records what was asked.
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

// Records every notification of one subject. Like every observer of a document, it
// lets go of a document that announces DocDestroy: the document is freed right after.
class Recorder {
public:
    explicit Recorder(TObservable& subject) : fSubject(&subject) {
        subject.AddObserver(MakeHandler<&Recorder::Changed>(this));
    }
    ~Recorder() {
        if (fSubject) fSubject->RemoveObserver(MakeHandler<&Recorder::Changed>(this));
    }
    void Changed(TObservable* sender, const TCodeSet& codes) {
        senders.push_back(sender);
        sets.push_back(codes);
        if (sender == fSubject && codes.Has(ncDocDestroy)) {
            fSubject->RemoveObserver(MakeHandler<&Recorder::Changed>(this));
            fSubject = nullptr;
        }
    }
    std::vector<TObservable*> senders;
    std::vector<TCodeSet> sets;

private:
    TObservable* fSubject;
};

// A library of three questions 1, 2a, 2b; question 1 has a mark scheme.
class LogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto lib = MakeEmptyLibrary("Test");
        auto* q1 = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("1", "One"));
        auto* q2 = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("2", "Two"));
        auto* q2a = q2->AddChild(std::make_unique<TIdentityCategory>("a", "Two a"));
        auto* q2b = q2->AddChild(std::make_unique<TIdentityCategory>("b", "Two b"));
        for (auto* id : {q1, q2a, q2b}) {
            auto q = std::make_unique<TQuestion>();
            q->Marks = 3;
            q->Time = 4;
            id->SetSegment(std::move(q));
        }
        q1->SetSegment(std::make_unique<TMarkScheme>());
        auto store = std::make_unique<TTextStore>(std::make_unique<TMemoryStream>());
        app.SetLibrary("Test", std::move(store), std::move(lib));
        dir = std::filesystem::temp_directory_path() /
              ("qb-logic-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
    TTextSegment* Seg(const char* id) { return app.Library()->FindSegment(id); }

    ScriptedPrompts prompts;
    TAppLogic app{prompts};
    std::filesystem::path dir;
};
