#include "test_library.h"

#include "framework/collections.h"
#include "framework/errors.h"
#include "model/library_file.h"
#include "model/selector.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qbtest;

namespace {

std::unique_ptr<TLibrary> ReadLibrary(const std::string& bytes, TTextStore* store = nullptr) {
    TMemoryStream stream(bytes);
    return ReadLibraryData(stream, store);
}

std::string ReadError(const std::string& bytes) {
    try {
        ReadLibrary(bytes);
    } catch (const EError& e) {
        return e.what();
    }
    return "no error";
}

// A hand-made version-11 library. Ordinals: 1 the library, 2 topics, 3 types,
// 4 levels, 5 papers, 6 questions, 7 syllabus, 8 resources; objects that the
// `topics` and `questions` field writers introduce get 9, 10, ... in that order, and
// `extra` writes their fields.
struct HandMade {
    std::function<void(RawStream&)> topics = [](RawStream& r) {
        r.Null().Str("Topics").Begin(0).End();
    };
    std::function<void(RawStream&)> questions = [](RawStream& r) { EmptyIdentity(r); };
    std::function<void(RawStream&)> extra = [](RawStream&) {};

    static void EmptyIdentity(RawStream& r, std::int32_t parent = -2) {
        r.Int(parent).Str("").Begin(0).End().Str("").Str("");
        for (int i = 0; i < 6; ++i)
            r.Null();
        r.Begin(0).End();
    }
    // Identity, chunk, marks, time, and the empty lists and references of a question.
    static void Question(RawStream& r, std::int32_t identity) {
        r.Ref(identity)
            .Null()
            .Int(1)
            .Int(2)
            .Begin(0)
            .End()
            .Null()
            .Null()
            .Begin(0)
            .End()
            .Begin(0)
            .End();
    }

    std::string Bytes() const {
        RawStream r;
        r.Int(11).Int(0).Int(0).Int(8).New("TLibrary");
        r.Str("Hand made");
        for (int i = 0; i < 4; ++i)
            r.New("TCategory");
        for (int i = 0; i < 3; ++i)
            r.New("TIdentityCategory");
        topics(r);
        for (const char* name : {"Types", "Levels", "Papers"})
            r.Null().Str(name).Begin(0).End();
        questions(r);
        EmptyIdentity(r);
        EmptyIdentity(r);
        extra(r);
        return r.Data();
    }
};

std::string WithTopicChild(std::int32_t childParent,
                           std::function<void(RawStream&)> childList = nullptr) {
    HandMade h;
    h.topics = [](RawStream& r) { r.Null().Str("Topics").Begin(1).New("TCategory").End(); };
    h.extra = [=](RawStream& r) {
        r.Int(childParent).Str("Child");
        if (childList)
            childList(r);
        else
            r.Begin(0).End();
    };
    return h.Bytes();
}

} // namespace

TEST(BadInput, HandMadeBaselineReads) {
    auto lib = ReadLibrary(WithTopicChild(2));
    ASSERT_EQ(lib->TopicRoot->Children.size(), 1u);
    EXPECT_EQ(lib->TopicRoot->Children[0]->Parent, lib->TopicRoot.get());
    EXPECT_EQ(lib->Name, "Hand made");
}

TEST(BadInput, TreeLinksThatDisagreeOrCycleAreDataErrors) {
    EXPECT_THROW(ReadLibrary(WithTopicChild(3)), EDataError);  // names another parent
    EXPECT_THROW(ReadLibrary(WithTopicChild(-2)), EDataError); // names no parent
    EXPECT_THROW(ReadLibrary(WithTopicChild(9)), EDataError);  // names itself
    // Children lists that loop back: the root below its child, the child below itself.
    EXPECT_THROW(ReadLibrary(WithTopicChild(2, [](RawStream& r) { r.Begin(1).Ref(2).End(); })),
                 EDataError);
    EXPECT_THROW(ReadLibrary(WithTopicChild(2, [](RawStream& r) { r.Begin(1).Ref(9).End(); })),
                 EDataError);
    // Parent links alone forming a cycle: the root names its child as parent.
    HandMade cycle;
    cycle.topics = [](RawStream& r) { r.New("TCategory").Str("Topics").Begin(1).Ref(9).End(); };
    cycle.extra = [](RawStream& r) { r.Ref(2).Str("Child").Begin(0).End(); };
    EXPECT_THROW(ReadLibrary(cycle.Bytes()), EDataError);
    // One category in two trees.
    HandMade shared;
    shared.topics = [](RawStream& r) { r.Null().Str("Topics").Begin(1).Ref(3).End(); };
    EXPECT_THROW(ReadLibrary(shared.Bytes()), EDataError);
}

TEST(BadInput, ObjectsOfTheWrongClassAreDataErrors) {
    // A question where a category belongs.
    EXPECT_THROW(
        ReadLibrary(WithTopicChild(2, [](RawStream& r) { r.Begin(1).New("TQuestion").End(); })),
        EDataError);
    HandMade questionAsChild;
    questionAsChild.topics = [](RawStream& r) {
        r.Null().Str("Topics").Begin(1).New("TQuestion").End();
    };
    questionAsChild.extra = [](RawStream& r) { HandMade::Question(r, 6); };
    EXPECT_THROW(ReadLibrary(questionAsChild.Bytes()), EDataError);
    // The library itself below a topic.
    EXPECT_THROW(ReadLibrary(WithTopicChild(2, [](RawStream& r) { r.Begin(1).Ref(1).End(); })),
                 EDataError);
    // A mark scheme in the question slot.
    HandMade wrongSlot;
    wrongSlot.questions = [](RawStream& r) {
        r.Null().Str("").Begin(0).End().Str("").Str("").New("TMarkScheme");
        for (int i = 0; i < 5; ++i)
            r.Null();
        r.Begin(0).End();
    };
    wrongSlot.extra = [](RawStream& r) { r.Ref(6).Null().Int(0).Int(0); };
    EXPECT_THROW(ReadLibrary(wrongSlot.Bytes()), EDataError);
    // A plain category inside an identity tree.
    HandMade plainInIdentityTree;
    plainInIdentityTree.questions = [](RawStream& r) {
        r.Null().Str("").Begin(1).New("TCategory").End().Str("").Str("");
        for (int i = 0; i < 6; ++i)
            r.Null();
        r.Begin(0).End();
    };
    plainInIdentityTree.extra = [](RawStream& r) { r.Ref(6).Str("plain").Begin(0).End(); };
    EXPECT_EQ(ReadError(plainInIdentityTree.Bytes()),
              "Invalid library: an identity tree holds a plain category");
    // A tree root that is no category at all.
    RawStream notACategory;
    notACategory.Int(11).Int(0).Int(0).Int(2).New("TLibrary").Str("x").New("TNote");
    EXPECT_THROW(ReadLibrary(notACategory.Data()), EDataError);
    // A library root that is a document.
    RawStream document;
    document.Int(11).Int(0).Int(0).Int(1).New("TDocument").Begin(0).End();
    EXPECT_THROW(ReadLibrary(document.Data()), EDataError);
}

TEST(BadInput, SegmentsThatDoNotBelongToTheirIdentity) {
    auto withQuestion = [](std::int32_t identity) {
        HandMade h;
        h.questions = [](RawStream& r) {
            r.Null().Str("").Begin(0).End().Str("").Str("").New("TQuestion");
            for (int i = 0; i < 5; ++i)
                r.Null();
            r.Begin(0).End();
        };
        h.extra = [=](RawStream& r) { HandMade::Question(r, identity); };
        return h.Bytes();
    };
    EXPECT_EQ(ReadLibrary(withQuestion(6))->FindSegment("Q")->Marks, 1);
    EXPECT_THROW(ReadLibrary(withQuestion(7)), EDataError);  // names the syllabus root
    EXPECT_THROW(ReadLibrary(withQuestion(-2)), EDataError); // names none

    // One chunk owned by two texts.
    HandMade sharedChunk;
    sharedChunk.questions = [](RawStream& r) {
        r.Null()
            .Str("")
            .Begin(0)
            .End()
            .Str("")
            .Str("")
            .New("TQuestion")
            .Null()
            .Null()
            .New("TMarkScheme");
        r.Null().Null().Begin(0).End();
    };
    sharedChunk.extra = [](RawStream& r) {
        r.Ref(6)
            .New("TTextChunk")
            .Int(0)
            .Int(0)
            .Begin(0)
            .End()
            .Null()
            .Null()
            .Begin(0)
            .End()
            .Begin(0)
            .End();
        r.Ref(6).Ref(11).Int(0).Int(0); // the mark scheme, with the question's chunk
        r.Int(0);                       // the chunk's offset
    };
    EXPECT_EQ(ReadError(sharedChunk.Bytes()), "Invalid object data: an object is owned twice");

    // A question whose topic is a category outside every tree.
    HandMade orphanTopic;
    orphanTopic.questions = [](RawStream& r) {
        r.Null().Str("").Begin(0).End().Str("").Str("").New("TQuestion");
        for (int i = 0; i < 5; ++i)
            r.Null();
        r.Begin(0).End();
    };
    orphanTopic.extra = [](RawStream& r) {
        r.Ref(6)
            .Null()
            .Int(0)
            .Int(0)
            .Begin(1)
            .New("TCategory")
            .End()
            .Null()
            .Null()
            .Begin(0)
            .End()
            .Begin(0)
            .End();
        r.Null().Str("loose").Begin(0).End();
    };
    EXPECT_EQ(ReadError(orphanTopic.Bytes()),
              "Invalid object data: objects that belong to nothing");
    // A topic list holding a note.
    HandMade noteAsTopic = orphanTopic;
    noteAsTopic.extra = [](RawStream& r) {
        r.Ref(6)
            .Null()
            .Int(0)
            .Int(0)
            .Begin(1)
            .New("TNote")
            .End()
            .Null()
            .Null()
            .Begin(0)
            .End()
            .Begin(0)
            .End();
        r.Null().Null().Int(0).Int(0);
    };
    EXPECT_THROW(ReadLibrary(noteAsTopic.Bytes()), EDataError);
}

TEST(BadInput, MissingTreesAndHeaderErrors) {
    RawStream r;
    r.Int(11).Int(0).Int(0).Int(1).New("TLibrary").Str("x");
    for (int i = 0; i < 7; ++i)
        r.Null();
    EXPECT_EQ(ReadError(r.Data()), "Invalid library: a category tree is missing");
    EXPECT_EQ(ReadError(""), "Stream read error");
    EXPECT_EQ(ReadError(RawStream().Int(11).Int(0).Int(0).Int(1).New("TBook").Data()),
              "Class TBook not found");
}

TEST(BadInput, EveryTruncationAndSingleByteChangeOfALibrary) {
    SampleLibrary s;
    const std::string bytes = LibraryBytes(*s.lib);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadLibrary(bytes.substr(0, n), s.store.get()), EError) << "prefix of " << n;

    // Whatever still reads after a change must be usable without crashing.
    int readable = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (int delta : {1, 0x7F, 0xFF}) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] + delta);
            std::unique_ptr<TLibrary> lib;
            try {
                lib = ReadLibrary(changed, s.store.get());
            } catch (const EError&) {
                continue;
            }
            ++readable;
            TQuestionSelector sel(*lib);
            const std::vector<TQuestion*> all = sel.Matches();
            for (TQuestion* q : all) {
                try {
                    // Two identities may spell the same identifier after a change, so
                    // the text found need not be this one.
                    lib->FindSegment(q->GetID());
                } catch (const EDataError&) {
                }
                if (q->Chunk) {
                    try {
                        q->Chunk->GetLines();
                    } catch (const EDataError&) {
                    }
                }
                if (!q->Topics.empty()) sel.SetTopic(q->Topics[0], false);
            }
            for (TDimension d : {TDimension::Identity, TDimension::Topic, TDimension::QuestionType,
                                 TDimension::Level, TDimension::Paper, TDimension::Resource})
                sel.Available(d);
        }
    }
    EXPECT_GT(readable, 0);
}

// 100,000 levels in a topic tree and in the question identity tree. Run with the
// default stack: every walk must be iterative.
TEST(BadInput, VeryDeepTrees) {
    constexpr int kDepth = 100000;
    SampleLibrary s;
    TCategory* topic = s.lib->TopicRoot.get();
    TCategory* firstTopic = nullptr;
    for (int i = 0; i < kDepth; ++i) {
        topic = topic->AddChild(std::make_unique<TCategory>("t" + std::to_string(i)));
        if (!firstTopic) firstTopic = topic;
    }
    TIdentityCategory* id = s.lib->QuestionRoot.get();
    TIdentityCategory* firstId = nullptr;
    for (int i = 0; i < kDepth; ++i) {
        id = id->AddChild(std::make_unique<TIdentityCategory>("z"));
        if (!firstId) firstId = id;
    }
    TQuestion* deep = s.Question(id, {topic}, s.mc, s.higher, {s.paper1}, {s.r7}, 1, 1);
    const std::string deepID(kDepth, 'z');

    EXPECT_EQ(topic->Depth(), kDepth);
    EXPECT_EQ(FullID(*id), deepID);
    EXPECT_EQ(FindByID(s.lib->QuestionRoot.get(), deepID), id);
    EXPECT_EQ(FindByID(s.lib->QuestionRoot.get(), deepID + "y"), nullptr);
    EXPECT_EQ(s.lib->FindSegment("Q" + deepID), deep);
    EXPECT_THROW(firstTopic->SetParent(topic), EDataError);
    int walked = 0;
    auto it = s.lib->TopicRoot->CreateIterator();
    while (it->Next())
        ++walked;
    EXPECT_EQ(walked, 6 + kDepth);
    const int count = s.lib->ObjectCount();
    EXPECT_EQ(count, 51 + 2 * kDepth + 2);

    const std::string bytes = LibraryBytes(*s.lib);
    auto lib = ReadLibrary(bytes, s.store.get());
    EXPECT_EQ(lib->ObjectCount(), count);
    EXPECT_EQ(LibraryBytes(*lib), bytes);
    TTextSegment* readDeep = lib->FindSegment("Q" + deepID);
    EXPECT_EQ(readDeep->Identity->Depth(), kDepth);

    TQuestionSelector sel(*lib);
    EXPECT_EQ(sel.Matches().size(), 5u);
    sel.SetTopic(Node(lib->TopicRoot.get(), "t0"), false);
    ASSERT_EQ(sel.Matches().size(), 1u);
    EXPECT_EQ(sel.Matches()[0], readDeep);
    EXPECT_EQ(sel.Available(TDimension::Topic)->Count(), 6 + kDepth);
    sel.SetIdentity(lib->FindIdentity("z", 'Q'), true);
    EXPECT_EQ(sel.Matches().size(), 1u);
    EXPECT_EQ(sel.Available(TDimension::Identity)->Count(), 6 + kDepth);

    // A failed read of the deep tree frees what it made.
    EXPECT_THROW(ReadLibrary(bytes.substr(0, bytes.size() - 1), s.store.get()), EError);
    // A deep tree handed out of its library and destroyed on its own.
    std::unique_ptr<TCategory> cut = firstTopic->SetParent(nullptr);
    EXPECT_EQ(cut->Depth(), 0);
}
