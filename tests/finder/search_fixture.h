#pragma once

#include "app/logic/app_logic.h"
#include "empty_library.h"
#include "finder/finder_host.h"
#include "finder/search_commands.h"
#include "finder/view_manager.h"
#include "finder_fixture.h"
#include "framework/stream.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <gtest/gtest.h>

#include <deque>

class FakeHost : public TFinderHost {
public:
    FakeHost() : area(new QMdiArea) {
        frame.setCentralWidget(area);
        frame.resize(900, 600);
    }
    QMainWindow* Frame() override { return &frame; }
    QMdiArea* Workspace() const override { return area; }
    bool ResourcePromptOption() const override { return prompt; }
    std::vector<std::string>& ResourcePromptList() override { return offered; }
    void ShowHelp(int context) override { helps.push_back(context); }

    QMainWindow frame;
    QMdiArea* area;
    bool prompt = true;
    std::vector<std::string> offered;
    std::vector<int> helps;
};

class AnswerScript : public TUserPrompts {
public:
    TAnswer Ask(const std::string& message, bool) override {
        asked.push_back(message);
        if (answers.empty()) return TAnswer::No;
        TAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void Inform(const std::string&) override {}
    std::deque<TAnswer> answers;
    std::vector<std::string> asked;
};

// Topics: Physics (Forces (Speed), Energy), Chemistry (acids). Levels: L1, L2.
// Questions 1 Speed/L1 with resource R1, 2 Energy/L2, 3 Chemistry/L1, 4 Forces/L2
// with resource R1. The library has no papers (a root without a name).
class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        auto lib = MakeEmptyLibrary("Test");
        lib->PaperRoot->Name.clear();
        lib->ResourceRoot->Name = "Resources";
        lib->QuestionRoot->Name = "Questions";
        TCategory* topics = lib->TopicRoot.get();
        physics = topics->AddChild(std::make_unique<TCategory>("Physics"));
        forces = physics->AddChild(std::make_unique<TCategory>("Forces"));
        speed = forces->AddChild(std::make_unique<TCategory>("Speed"));
        energy = physics->AddChild(std::make_unique<TCategory>("Energy"));
        chemistry = topics->AddChild(std::make_unique<TCategory>("Chemistry"));
        acids = chemistry->AddChild(std::make_unique<TCategory>("acids"));
        l1 = lib->LevelRoot->AddChild(std::make_unique<TCategory>("L1"));
        l2 = lib->LevelRoot->AddChild(std::make_unique<TCategory>("L2"));
        auto* r1 = lib->ResourceRoot->AddChild(std::make_unique<TIdentityCategory>("R1", "Ruler"));
        r1->Name = "R1";
        r1->SetSegment(std::make_unique<TResource>());
        resource = r1;
        struct Spec {
            const char* id;
            TCategory* topic;
            TCategory* level;
            bool withResource;
        };
        for (const Spec& s : {Spec{"1", speed, l1, true}, Spec{"2", energy, l2, false},
                              Spec{"3", chemistry, l1, false}, Spec{"4", forces, l2, true}}) {
            auto* id = lib->QuestionRoot->AddChild(
                std::make_unique<TIdentityCategory>(s.id, std::string("Question ") + s.id));
            id->Name = s.id;
            auto q = std::make_unique<TQuestion>();
            q->Topics.push_back(s.topic);
            q->Level = s.level;
            if (s.withResource) q->Resources.push_back(r1);
            questions.push_back(id->SetSegment(std::move(q)));
        }
        app.SetLibrary("Test", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                       std::move(lib));
    }
    TQuestionSelector& Selector() { return *app.Selector(); }

    AnswerScript prompts;
    TAppLogic app{prompts};
    TViewManager manager;
    TCategory *physics, *forces, *speed, *energy, *chemistry, *acids, *l1, *l2;
    TIdentityCategory* resource;
    std::vector<TQuestion*> questions;
};
