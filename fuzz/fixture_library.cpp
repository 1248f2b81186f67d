#include "fixture_library.h"

#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"

#include <string>

namespace {

template <class T>
T* AddSegment(TIdentityCategory& identity, const std::string& text, std::int16_t marks = 0) {
    auto segment = std::make_unique<T>();
    segment->Chunk = MakeChunk({"{\\rtf1\\ansi ", text, "\\par}"});
    segment->Marks = marks;
    return identity.SetSegment(std::move(segment));
}

TIdentityCategory* AddIdentity(TIdentityCategory& parent, const char* part, const char* title) {
    return parent.AddChild(std::make_unique<TIdentityCategory>(part, title));
}

} // namespace

std::unique_ptr<TLibrary> MakeFixtureLibrary() {
    auto lib = std::make_unique<TLibrary>();
    lib->Name = kFixtureLibraryName;
    lib->TopicRoot = std::make_unique<TCategory>("All topics");
    lib->QuestionTypeRoot = std::make_unique<TCategory>("All types");
    lib->LevelRoot = std::make_unique<TCategory>("All levels");
    lib->PaperRoot = std::make_unique<TCategory>("All papers");
    lib->QuestionRoot = std::make_unique<TIdentityCategory>();
    lib->QuestionRoot->Name = "All questions";
    lib->SyllabusRoot = std::make_unique<TIdentityCategory>();
    lib->SyllabusRoot->Name = "Syllabus";
    lib->ResourceRoot = std::make_unique<TIdentityCategory>();
    lib->ResourceRoot->Name = "All resources";

    TCategory* forces = lib->TopicRoot->AddChild(std::make_unique<TCategory>("Forces"));
    TCategory* waves = lib->TopicRoot->AddChild(std::make_unique<TCategory>("Waves"));
    TCategory* sound = waves->AddChild(std::make_unique<TCategory>("Sound"));
    TCategory* shortType = lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Short"));
    TCategory* longType = lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Long"));
    TCategory* core = lib->LevelRoot->AddChild(std::make_unique<TCategory>("Core"));
    TCategory* paper1 = lib->PaperRoot->AddChild(std::make_unique<TCategory>("Paper 1"));
    TCategory* paper2 = lib->PaperRoot->AddChild(std::make_unique<TCategory>("Paper 2"));

    TIdentityCategory* s4 = AddIdentity(*lib->SyllabusRoot, "4", "Waves");
    AddSegment<TSyllabus>(*s4, "Waves");
    TIdentityCategory* s41 = AddIdentity(*s4, ".1", "Sound");
    AddSegment<TSyllabus>(*s41, "Sound");

    TIdentityCategory* ds = AddIdentity(*lib->ResourceRoot, "DS", "Data sheet");
    AddSegment<TResource>(*ds, "Data sheet");
    TIdentityCategory* pw = AddIdentity(*lib->ResourceRoot, "PW", "Practical worksheet");
    AddSegment<TResource>(*pw, "Worksheet");

    TIdentityCategory* q1 = AddIdentity(*lib->QuestionRoot, "1", "Falling ball");
    auto* question1 = AddSegment<TQuestion>(*q1, "A ball falls.", 3);
    question1->Topics = {forces};
    question1->QuestionType = shortType;
    question1->Level = core;
    question1->Papers = {paper1};
    question1->Resources = {ds};
    AddSegment<TMarkScheme>(*q1, "g = 9.8", 3);
    AddSegment<TExaminersReport>(*q1, "Well answered.");
    AddSegment<TNote>(*q1, "Use the data sheet.");
    q1->Related = {s4};

    TIdentityCategory* q2 = AddIdentity(*lib->QuestionRoot, "2", "Echoes");
    TIdentityCategory* q2a = AddIdentity(*q2, "a", "Echo time");
    auto* question2a = AddSegment<TQuestion>(*q2a, "An echo returns.", 4);
    question2a->Topics = {sound, forces};
    question2a->QuestionType = longType;
    question2a->Papers = {paper1, paper2};
    question2a->Resources = {pw};
    AddSegment<TMarkScheme>(*q2a, "t = 2d/v", 4);
    TIdentityCategory* q2b = AddIdentity(*q2, "b", "Speed of sound");
    auto* question2b = AddSegment<TQuestion>(*q2b, "Find the speed.", 2);
    question2b->Topics = {sound};
    question2b->Level = core;
    AddSegment<TExaminersReport>(*q2b, "Units were often missing.");
    q2b->Related = {s41, q2a};

    TIdentityCategory* q3 = AddIdentity(*lib->QuestionRoot, "3", "Refraction");
    AddSegment<TQuestion>(*q3, "Light bends.", 1);
    return lib;
}

const TLibrary& FixtureLibrary() {
    static const std::unique_ptr<TLibrary> library = MakeFixtureLibrary();
    return *library;
}
