#include "test_library.h"

#include "framework/errors.h"
#include "model/library_file.h"

#include <gtest/gtest.h>

using namespace qbtest;

namespace {

std::string FindError(const TLibrary& lib, const std::string& id) {
    try {
        lib.FindSegment(id);
    } catch (const EDataError& e) {
        return e.what();
    }
    return "found";
}

std::unique_ptr<TLibrary> ReadLibrary(const std::string& bytes, TTextStore* store = nullptr) {
    TMemoryStream stream(bytes);
    return ReadLibraryData(stream, store);
}

} // namespace

TEST(Library, FindSegmentByIdentifier) {
    SampleLibrary s;
    const TLibrary& lib = *s.lib;
    EXPECT_EQ(lib.FindSegment("Q2a"), s.q2a);
    EXPECT_EQ(lib.FindSegment("M2a"), s.id2a->MarkScheme.get());
    EXPECT_EQ(lib.FindSegment("E1"), s.id1->ExaminersReport.get());
    EXPECT_EQ(lib.FindSegment("N1"), s.id1->Note.get());
    EXPECT_EQ(lib.FindSegment("S4.1"), s.s41->Syllabus.get()); // the syllabus tree
    EXPECT_EQ(lib.FindSegment("R7"), s.r7->Resource.get());    // the resource tree

    EXPECT_EQ(FindError(lib, "M2b"), "No text for ID: M2b");
    EXPECT_EQ(FindError(lib, "Q"), "No text for ID: Q"); // the root identity, which holds nothing
    EXPECT_EQ(FindError(lib, "X2a"), "Invalid text type: X");
    EXPECT_EQ(FindError(lib, "T2a"), "Invalid text type: T"); // a free text is never a library text
    EXPECT_EQ(FindError(lib, "Q9"), "Invalid ID: Q9");
    EXPECT_EQ(FindError(lib, "S1"), "Invalid ID: S1"); // 1 is a question identity only
    EXPECT_EQ(FindError(lib, "X9"), "Invalid ID: X9");
    EXPECT_EQ(FindError(lib, ""), "Invalid ID: ");
}

TEST(Library, FindIdentityChoosesTheTreeByCharacter) {
    SampleLibrary s;
    EXPECT_EQ(s.lib->FindIdentity("2a", 'Q'), s.id2a);
    EXPECT_EQ(s.lib->FindIdentity("2a", ' '), s.id2a);
    EXPECT_EQ(s.lib->FindIdentity("4.1", 'S'), s.s41);
    EXPECT_EQ(s.lib->FindIdentity("8", 'R'), s.r8);
    EXPECT_EQ(s.lib->FindIdentity("2a", 'Z'), nullptr);
    EXPECT_EQ(s.lib->FindIdentity("2a", 'S'), nullptr);
    EXPECT_EQ(s.lib->FindIdentity("", 'R'), s.lib->ResourceRoot.get());
}

TEST(Library, WrittenAndReadBackUnchanged) {
    SampleLibrary s;
    const std::string bytes = LibraryBytes(*s.lib);
    // The program's writer and an independent encoder of the format agree.
    EXPECT_EQ(bytes, ReferenceEncoder(11).LibraryFile(*s.lib));
    EXPECT_EQ(bytes.substr(0, 6), RawStream().Int(11).Int(0).Int(0).Data());

    auto lib = ReadLibrary(bytes, s.store.get());
    EXPECT_EQ(LibraryBytes(*lib), bytes);
    EXPECT_EQ(lib->ObjectCount(), s.lib->ObjectCount());
    EXPECT_EQ(lib->Name, "Physics");

    // References point into the trees read, not to copies.
    auto* q2a = dynamic_cast<TQuestion*>(lib->FindSegment("Q2a"));
    ASSERT_NE(q2a, nullptr);
    EXPECT_EQ(q2a->Topics[0], Node(lib->TopicRoot.get(), "Mechanics/Energy"));
    EXPECT_EQ(q2a->Topics[1], Node(lib->TopicRoot.get(), "Waves/Sound"));
    EXPECT_EQ(q2a->QuestionType, Node(lib->QuestionTypeRoot.get(), "Structured"));
    EXPECT_EQ(q2a->Papers[1], Node(lib->PaperRoot.get(), "Paper 2"));
    auto* q3 = dynamic_cast<TQuestion*>(lib->FindSegment("Q3"));
    EXPECT_EQ(q3->Level, nullptr);
    EXPECT_EQ(q3->Resources[1], lib->FindIdentity("8", 'R'));
    TIdentityCategory* id1 = lib->FindIdentity("1", 'Q');
    ASSERT_EQ(id1->Related.size(), 1u);
    EXPECT_EQ(id1->Related[0], lib->FindIdentity("4.1", 'S'));
    EXPECT_EQ(id1->Question->Identity, id1);
    EXPECT_EQ(lib->FindSegment("Q1")->Chunk->GetLines(), std::vector<std::string>{"{\\rtf1 Q1}"});
}

TEST(Library, VersionsOutsideOneToElevenAreRefused) {
    SampleLibrary s;
    std::string bytes = LibraryBytes(*s.lib);
    for (int version : {12, 0, -1, 1000}) {
        std::string changed = RawStream().Int(version).Data() + bytes.substr(2);
        try {
            ReadLibrary(changed);
            ADD_FAILURE() << version;
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Incorrect library version") << version;
        }
    }
}

TEST(Library, VersionsSevenAndEightDifferInTheirHeader) {
    // Version 7 has one header integer, version 8 the second one of later versions.
    SampleLibrary s;
    for (int version : {7, 8}) {
        std::string bytes = ReferenceEncoder(version).LibraryFile(*s.lib);
        std::string header = RawStream().Int(version).Int(0).Data();
        if (version == 8) header = RawStream().Int(version).Int(0).Int(0).Data();
        ASSERT_EQ(bytes.substr(0, header.size()), header);
        auto lib = ReadLibrary(bytes, s.store.get());
        EXPECT_EQ(lib->Name, "Physics") << version;
        EXPECT_EQ(lib->FindSegment("Q2a")->Chunk->GetLines(),
                  std::vector<std::string>{"{\\rtf1 Q2a}"})
            << version;
    }
}

TEST(Library, ObjectCountCoversEveryTreeAndSegment) {
    SampleLibrary s;
    // 1 library; topics 6, types 4, levels 3, papers 3; question tree 6 identities,
    // 8 segments, syllabus 3 identities + 1 segment, resources 3 identities + 2
    // segments; every segment has a chunk.
    EXPECT_EQ(s.lib->ObjectCount(), 1 + 6 + 4 + 3 + 3 + 6 + 8 * 2 + 3 + 2 + 3 + 2 * 2);
}
