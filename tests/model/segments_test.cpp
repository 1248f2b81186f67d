#include "test_library.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "model/library_file.h"

#include <gtest/gtest.h>

using namespace qbtest;

namespace {
std::unique_ptr<TLibrary> ReadLibrary(const std::string& bytes, TTextStore* store = nullptr) {
    TMemoryStream stream(bytes);
    return ReadLibraryData(stream, store);
}
} // namespace

TEST(Segments, IdentifiersAreTheKindLetterAndTheFullIdentifier) {
    SampleLibrary s;
    EXPECT_EQ(s.q2a->GetID(), "Q2a");
    EXPECT_EQ(s.id2a->MarkScheme->GetID(), "M2a");
    EXPECT_EQ(s.id1->ExaminersReport->GetID(), "E1");
    EXPECT_EQ(s.id1->Note->GetID(), "N1");
    EXPECT_EQ(s.s41->Syllabus->GetID(), "S4.1");
    EXPECT_EQ(s.r7->Resource->GetID(), "R7");

    TText free;
    EXPECT_EQ(free.GetID(), "");
    free.Identity = s.id2a;
    EXPECT_EQ(free.GetID(), "T2a");
}

TEST(Segments, TitlesAreCutTo100Characters) {
    SampleLibrary s;
    std::string long120(120, 't');
    long120[99] = 'L';
    s.q1->SetTitle(long120);
    EXPECT_EQ(s.id1->Title, long120.substr(0, 100));
    EXPECT_EQ(s.id1->MarkScheme->GetTitle(), long120.substr(0, 100)); // shared by the identity

    TText text;
    text.SetTitle(long120);
    EXPECT_EQ(text.GetTitle(), long120.substr(0, 100));
}

TEST(Segments, MakeTextCopiesIdentityTitleMarksAndTimeButNoText) {
    SampleLibrary s;
    std::unique_ptr<TText> t = s.q2a->MakeText();
    EXPECT_EQ(t->Identity, s.id2a);
    EXPECT_EQ(t->GetTitle(), "Kinetic energy");
    EXPECT_EQ(t->Marks, 6);
    EXPECT_EQ(t->Time, 10);
    EXPECT_EQ(t->Chunk, nullptr);
    EXPECT_EQ(t->GetID(), "T2a");
    // The copy's title is its own.
    t->SetTitle("Changed");
    EXPECT_EQ(s.id2a->Title, "Kinetic energy");
}

TEST(Segments, EntriesAreNumberedByKind) {
    SampleLibrary s;
    EXPECT_TRUE(s.q1->MakeEntry()->Numbered);
    EXPECT_TRUE(s.id1->MarkScheme->MakeEntry()->Numbered);
    EXPECT_TRUE(s.id1->ExaminersReport->MakeEntry()->Numbered);
    EXPECT_FALSE(s.id1->Note->MakeEntry()->Numbered);
    EXPECT_FALSE(s.s41->Syllabus->MakeEntry()->Numbered);
    EXPECT_FALSE(s.r7->Resource->MakeEntry()->Numbered);
    EXPECT_EQ(s.q1->MakeEntry()->Segment, s.q1);
    EXPECT_EQ(dynamic_cast<TOwningDocContent*>(s.q1->MakeEntry().get()), nullptr);

    // A free text's entry owns a copy of it, chunk included.
    TText text;
    text.SetTitle("Heading");
    text.Chunk = MemoryText("{\\rtf1 body}");
    auto entry = text.MakeEntry();
    auto* owning = dynamic_cast<TOwningDocContent*>(entry.get());
    ASSERT_NE(owning, nullptr);
    EXPECT_FALSE(owning->Numbered);
    ASSERT_NE(owning->Text(), &text);
    EXPECT_EQ(owning->Segment, owning->Text());
    EXPECT_EQ(owning->Text()->GetTitle(), "Heading");
    ASSERT_NE(owning->Text()->Chunk, nullptr);
    EXPECT_EQ(owning->Text()->Chunk->GetLines(), std::vector<std::string>{"{\\rtf1 body}"});
}

TEST(Segments, ReleaseEmptiesTheIdentitySlot) {
    SampleLibrary s;
    s.id1->Note->Release();
    EXPECT_EQ(s.id1->Note, nullptr);
    EXPECT_THROW(s.lib->FindSegment("N1"), EDataError);
    EXPECT_NE(s.id1->MarkScheme, nullptr);

    TText text;
    text.Chunk = MemoryText("x");
    text.Release();
    EXPECT_EQ(text.Chunk, nullptr);
}

TEST(Segments, ObjectCountIncludesTheChunk) {
    TText text;
    EXPECT_EQ(text.ObjectCount(), 1);
    text.Chunk = MemoryText("x");
    EXPECT_EQ(text.ObjectCount(), 2);
}

TEST(Segments, FreeTextWithoutIdentityIsWrittenWithABlankTreeAndEmptyIdentifier) {
    TText text;
    text.SetTitle("Section A");
    text.Marks = 12;
    TMemoryStream stream;
    {
        TNetWriter writer(stream);
        writer.WriteRoot(text);
    }
    std::string expected = RawStream()
                               .Int(1)
                               .New("TText")
                               .Char(' ')
                               .Str("")
                               .Null()
                               .Int(12)
                               .Int(0)
                               .Str("Section A")
                               .Data();
    EXPECT_EQ(stream.Data(), expected);
}

TEST(Segments, OldLibraryFieldForms) {
    SampleLibrary s;
    ReferenceEncoder v1(1), v5(5), v8(8), v11(11);
    // Marks of more than 16 bits, as another tool may write them.
    for (auto* enc : {&v1, &v5, &v8, &v11})
        enc->rawMarks[s.q3] = 40000;

    for (auto [version, bytes] :
         {std::pair{1, v1.LibraryFile(*s.lib)}, std::pair{5, v5.LibraryFile(*s.lib)},
          std::pair{8, v8.LibraryFile(*s.lib)}, std::pair{11, v11.LibraryFile(*s.lib)}}) {
        SCOPED_TRACE("version " + std::to_string(version));
        auto lib = ReadLibrary(bytes, s.store.get());
        TTextSegment* q3 = lib->FindSegment("Q3");
        EXPECT_EQ(q3->Marks, -25536);
        EXPECT_EQ(q3->Time, 8);
        auto* q2a = dynamic_cast<TQuestion*>(lib->FindSegment("Q2a"));
        ASSERT_NE(q2a, nullptr);
        EXPECT_EQ(q2a->Topics.size(), 2u);
        EXPECT_EQ(q2a->Level->Name, "Higher");
        // The chunk offsets survive the extra boolean of versions below 6.
        EXPECT_EQ(lib->FindSegment("M2a")->Chunk->GetLines(),
                  std::vector<std::string>{"{\\rtf1 M2a}"});
        auto* q1 = dynamic_cast<TQuestion*>(lib->FindSegment("Q1"));
        if (version <= 8) {
            // No resources before version 9: empty lists, an empty resource tree,
            // and an empty resource (no text, no identity) in every identity.
            EXPECT_TRUE(q1->Resources.empty());
            EXPECT_EQ(lib->ResourceRoot->Name, "All resources");
            EXPECT_TRUE(lib->ResourceRoot->Children.empty());
            ASSERT_NE(lib->QuestionRoot->Resource, nullptr);
            EXPECT_EQ(lib->QuestionRoot->Resource->Chunk, nullptr);
            EXPECT_EQ(lib->QuestionRoot->Resource->Identity, nullptr);
            // Written again, the question carries an empty resource list.
            auto again = ReadLibrary(LibraryBytes(*lib), s.store.get());
            EXPECT_TRUE(dynamic_cast<TQuestion*>(again->FindSegment("Q1"))->Resources.empty());
            EXPECT_EQ(again->ResourceRoot->Name, "All resources");
        } else {
            ASSERT_EQ(q1->Resources.size(), 1u);
            EXPECT_EQ(FullID(*q1->Resources[0]), "7");
            EXPECT_EQ(lib->FindSegment("R7")->Chunk->GetLines(),
                      std::vector<std::string>{"{\\rtf1 R7}"});
        }
    }
}
