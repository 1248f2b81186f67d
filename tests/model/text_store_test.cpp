#include "test_library.h"

#include "framework/errors.h"
#include "framework/netreader.h"

#include <gtest/gtest.h>

using namespace qbtest;

namespace {

using Lines = std::vector<std::string>;

// A store whose stream holds exactly `bytes`.
std::unique_ptr<TTextStore> StoreOf(const std::string& bytes) {
    return std::make_unique<TTextStore>(std::make_unique<TMemoryStream>(bytes));
}

TTextChunk ChunkAt(TTextStore& store, std::int32_t offset) {
    TTextChunk chunk;
    chunk.Store = &store;
    chunk.Offset = offset;
    return chunk;
}

} // namespace

TEST(TextStore, LoadsLazilyFromItsOffset) {
    auto store = StoreOf("junk" + StoredText({}) + StoredText({"one", "", "three"}));
    TTextChunk empty = ChunkAt(*store, 4);
    EXPECT_FALSE(empty.IsLoaded());
    EXPECT_TRUE(empty.GetLines().empty()); // N = 0
    EXPECT_TRUE(empty.IsLoaded());

    TTextChunk three = ChunkAt(*store, 8);
    EXPECT_EQ(three.GetLines(), (Lines{"one", "", "three"}));

    // An empty text may be the last four bytes of its store.
    auto last = StoreOf("junk" + StoredText({}));
    EXPECT_TRUE(ChunkAt(*last, 4).GetLines().empty());

    // A zero byte ends its line.
    auto zero = StoreOf(StoredText({std::string("ab\0cd", 5)}));
    EXPECT_EQ(ChunkAt(*zero, 0).GetLines(), Lines{"ab"});

    // Without a store a chunk is an (empty) in-memory text.
    TTextChunk loose;
    loose.Offset = 1234;
    EXPECT_TRUE(loose.GetLines().empty());
}

TEST(TextStore, TextsRunningPastTheEndOrWithNegativeFieldsAreDataErrors) {
    const std::string good = StoredText({"hello"}); // 4 + 4 + 5 bytes
    struct Case {
        const char* what;
        std::string bytes;
        std::int32_t offset;
    };
    const Case cases[] = {
        {"offset past the end", good, 100},
        {"offset at the end", good, static_cast<std::int32_t>(good.size())},
        {"offset one past the end", good, static_cast<std::int32_t>(good.size()) + 1},
        {"offset inside the count", good, static_cast<std::int32_t>(good.size()) - 3},
        {"negative offset", good, -4},
        {"count cut short", good.substr(0, 3), 0},
        {"length cut short", good.substr(0, 6), 0},
        {"bytes cut short", good.substr(0, 12), 0},
        {"count beyond the bytes", Int32Bytes(1000000) + Int32Bytes(1) + "x", 0},
        {"huge count", Int32Bytes(INT32_MAX) + Int32Bytes(1) + "x", 0},
        {"negative count", Int32Bytes(-1) + Int32Bytes(1) + "x", 0},
        {"huge length", Int32Bytes(1) + Int32Bytes(INT32_MAX) + "x", 0},
        {"negative length", Int32Bytes(1) + Int32Bytes(-5) + "xxxxxxxx", 0},
        {"second line past the end", Int32Bytes(2) + Int32Bytes(1) + "x" + Int32Bytes(9) + "abc",
         0},
    };
    for (const auto& c : cases) {
        auto store = StoreOf(c.bytes);
        TTextChunk chunk = ChunkAt(*store, c.offset);
        EXPECT_THROW(chunk.GetLines(), EDataError) << c.what;
        EXPECT_FALSE(chunk.IsLoaded()) << c.what;
    }
}

TEST(TextStore, CloneCopiesLinesAndDropsTheSourceCache) {
    std::string bytes = StoredText({"first"});
    auto store = StoreOf(bytes);
    TTextChunk source = ChunkAt(*store, 0);
    source.GetLines();
    std::unique_ptr<TTextChunk> copy = source.Clone();
    EXPECT_EQ(copy->Store, nullptr);
    EXPECT_EQ(copy->GetLines(), Lines{"first"});
    EXPECT_FALSE(source.IsLoaded());

    // The next GetLines of the source reads the store again.
    TMemoryStream& s = MemoryOf(*store);
    s.Seek(8);
    s.Write("FIRST", 5);
    EXPECT_EQ(source.GetLines(), Lines{"FIRST"});
    EXPECT_EQ(copy->GetLines(), Lines{"first"});

    // An in-memory source keeps its lines; the copy is independent.
    auto mem = MemoryText("a");
    auto memCopy = mem->Clone();
    memCopy->GetLines().push_back("b");
    EXPECT_EQ(mem->GetLines(), Lines{"a"});
    EXPECT_TRUE(mem->IsLoaded());
}

TEST(TextStore, SaveToStoreAppendsAndRebinds) {
    auto store = StoreOf(std::string(1000, '.'));
    auto chunk = MemoryText("{\\rtf1 saved}");
    chunk->SaveToStore(*store);
    EXPECT_EQ(chunk->Offset, 1000);
    EXPECT_EQ(chunk->Store, store.get());
    EXPECT_FALSE(chunk->IsLoaded());
    const std::string& data = MemoryOf(*store).Data();
    ASSERT_EQ(data.size(), 1000u + 4 + 4 + 13);
    EXPECT_EQ(data.substr(1000), StoredText({"{\\rtf1 saved}"}));
    EXPECT_EQ(chunk->GetLines(), Lines{"{\\rtf1 saved}"});

    // From one store to another: afterwards the old store may go.
    auto other = StoreOf("xy");
    chunk->SaveToStore(*other);
    store.reset();
    EXPECT_EQ(chunk->Offset, 2);
    EXPECT_EQ(chunk->GetLines(), Lines{"{\\rtf1 saved}"});

    // A text that cannot be loaded is not saved, and the target is untouched.
    auto broken = StoreOf(Int32Bytes(5));
    TTextChunk bad = ChunkAt(*broken, 0);
    EXPECT_THROW(bad.SaveToStore(*other), EDataError);
    EXPECT_EQ(MemoryOf(*other).Data().size(), 2u + 4 + 4 + 13);
    EXPECT_EQ(bad.Store, broken.get());
}

TEST(TextStore, UnloadLinesKeepsTheOnlyCopyOfAnInMemoryText) {
    auto chunk = MemoryText("keep me");
    chunk->UnloadLines();
    EXPECT_EQ(chunk->GetLines(), Lines{"keep me"});

    auto store = StoreOf(StoredText({"stored"}));
    TTextChunk stored = ChunkAt(*store, 0);
    stored.GetLines();
    stored.UnloadLines();
    EXPECT_FALSE(stored.IsLoaded());
}

TEST(TextStore, PlaceholderTexts) {
    auto ms = MakeMissingMarkSchemeChunk();
    ASSERT_EQ(ms->GetLines().size(), 1u);
    EXPECT_EQ(ms->GetLines()[0],
              "{\\rtf1\\ansi\\ansicpg1252\\uc0 \\deff1{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
              "ROMAN;}}"
              "\\pard\\plain\\sa480\\f0\\fs24   No mark scheme available\\par\\par -\\par}");
    auto er = MakeMissingReportChunk();
    ASSERT_EQ(er->GetLines().size(), 1u);
    EXPECT_EQ(er->GetLines()[0], "{\\rtf1\\ansi\\ansicpg1252\\uc0 "
                                 "\\deff1{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}}"
                                 "\\pard\\plain\\sa480\\f0\\fs24   No Report available for this "
                                 "question.\\par\\par -\\par}");
    EXPECT_EQ(MakeChunk({"a", "", "bc"})->GetLines(), Lines{"abc"});
}

TEST(TextStore, ChunkFieldsByVersion) {
    RegisterModelClasses();
    auto store = StoreOf(StoredText({"x"}));
    for (int version : {5, 6}) {
        RawStream raw;
        raw.Int(1).New("TTextChunk");
        if (version < 6) raw.Bool(false);
        raw.Int(77);
        TMemoryStream stream(raw.Data());
        TNetReader reader(stream);
        reader.Version = version;
        reader.TextStore = store.get();
        auto chunk = reader.ReadRootAs<TTextChunk>();
        EXPECT_EQ(chunk->Offset, 77) << version;
        EXPECT_EQ(chunk->Store, store.get());
        EXPECT_EQ(reader.BytesLeft(), 0);
    }
}
