#include "output/richtext/text_streamer.h"

#include "framework/errors.h"
#include "model/text_store.h"
#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <gtest/gtest.h>

TEST(TextStreamer, LoadsTheFirstLineOfAChunk) {
    EnsureApplication();
    TRichTextControl control;
    TTextStreamer streamer(control);
    auto chunk = MakeMissingMarkSchemeChunk();
    chunk->GetLines().push_back("{\\rtf1 never shown}");
    streamer.LoadInto(*chunk);
    EXPECT_EQ(streamer.Chunk(), chunk.get());
    EXPECT_EQ(streamer.LineIndex(), 0);
    EXPECT_TRUE(control.PlainText().contains("No mark scheme available"));
    EXPECT_FALSE(control.PlainText().contains("never shown"));
}

TEST(TextStreamer, AChunkWithoutLinesIsAClearError) {
    EnsureApplication();
    TRichTextControl control;
    TTextStreamer streamer(control);
    TTextChunk empty;
    try {
        streamer.LoadInto(empty);
        FAIL() << "no error";
    } catch (const EDataError& e) {
        EXPECT_NE(std::string(e.what()).find("no lines"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(control.IsEmpty());
}

TEST(TextStreamer, SavesOneLineThatLoadsBackTheSameText) {
    EnsureApplication();
    TRichTextControl control;
    control.SetSelText("Caf\u00e9 \u03b1 \u2264 \u201cquoted\u201d\nsecond paragraph");
    control.SetSelStart(0);
    control.SetSelLength(4);
    control.SetFontBold(1);
    TTextStreamer streamer(control);

    TTextChunk chunk;
    streamer.SaveFrom(chunk);
    ASSERT_EQ(chunk.GetLines().size(), 1u);
    const std::string line = chunk.GetLines()[0];
    EXPECT_EQ(line.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(line.find('\0'), std::string::npos);

    TRichTextControl other;
    TTextStreamer(other).LoadInto(chunk);
    EXPECT_EQ(other.PlainText().left(control.PlainText().size()), control.PlainText());
    other.SetSelStart(0);
    other.SetSelLength(4);
    EXPECT_EQ(other.FontBold(), -1);

    // Saving appends: a chunk that already has a line gets a second one.
    streamer.SaveFrom(chunk);
    EXPECT_EQ(chunk.GetLines().size(), 2u);
    EXPECT_EQ(chunk.GetLines()[1], line);
}
