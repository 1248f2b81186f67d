#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_writer.h"

#include "rtf_writer_test_util.h"

#include <QList>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {
// A heading, two columns of questions with a column break, a section of columns of
// their own widths on a new page, then one column again. A section mark straight
// after a paragraph mark ends no paragraph of its own; the empty one before it stays.
const QByteArray kSections = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}}
\pard Heading\sect
\sectd\sbknone\cols2\colsx708\linebetcol\pard 1. First question\par\pard\column 2. Second question\par\par\sect
\sectd\sbkpage\cols2\colno1\colsr400\colw3000\colno2\colsr0\colw5900\pard Own widths\sect
\sectd\sbknone\pard One column again})";

QTextBlock BlockStarting(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().startsWith(text)) return b;
    return {};
}

struct TSection {
    int start = -1;
    int columns = 0;
    int gap = 0;
    bool line = false;
    QList<int> widths;
    bool operator==(const TSection&) const = default;
};

TSection SectionAt(const QTextDocument& doc, const QString& text) {
    const QTextBlockFormat f = BlockStarting(doc, text).blockFormat();
    if (!f.hasProperty(RtfProperty::SectionBreak)) return {};
    return {f.intProperty(RtfProperty::SectionBreak), f.intProperty(RtfProperty::SectionColumns),
            f.intProperty(RtfProperty::SectionColumnGap),
            f.boolProperty(RtfProperty::SectionLineBetween),
            f.property(RtfProperty::SectionColumnWidths).value<QList<int>>()};
}

void ExpectSections(const QTextDocument& doc) {
    EXPECT_EQ(SectionAt(doc, "Heading"), TSection{}); // a plain first section is not marked
    EXPECT_EQ(SectionAt(doc, "1. First"),
              (TSection{int(TRtfSectionBreak::None), 2, 708, true, {}}));
    EXPECT_TRUE(
        BlockStarting(doc, "2. Second").blockFormat().boolProperty(RtfProperty::ColumnBreakBefore));
    EXPECT_EQ(SectionAt(doc, "Own widths"),
              (TSection{int(TRtfSectionBreak::Page), 2, 720, false, {3000, 400, 5900, 0}}));
    EXPECT_EQ(SectionAt(doc, "One column"),
              (TSection{int(TRtfSectionBreak::None), 1, 720, false, {}}));
}
} // namespace

TEST(RtfSections, SectionsAndColumnsAreReadAndWrittenBack) {
    EnsureWriterTestApp();
    QTextDocument first;
    const TRtfExtras extras = LoadRtf(first, kSections);
    EXPECT_EQ(RtfDocumentPlainText(first), "Heading\n1. First question\n2. Second question\n\n"
                                           "Own widths\nOne column again");
    ExpectSections(first);
    // A page-breaking section starts the page itself; a second \pagebb would leave
    // an empty page in a word processor.
    EXPECT_TRUE(BlockStarting(first, "Own widths").blockFormat().pageBreakPolicy() &
                QTextFormat::PageBreak_AlwaysBefore);

    const QByteArray written = WriteRtf(first, extras);
    EXPECT_TRUE(
        written.contains("\\sect\r\n\\sectd\\footery720\\sbknone\\cols2\\colsx708\\linebetcol"))
        << written.toStdString();
    EXPECT_EQ(CountOf(written, "\\sect\r\n") + CountOf(written, "\\sect\\sectd"), 3);
    EXPECT_EQ(CountOf(written, "\\pagebb"), 0);
    EXPECT_EQ(CountOf(written, "\\column"), 1);
    QTextDocument second;
    LoadRtf(second, written);
    EXPECT_EQ(RtfDocumentPlainText(second), RtfDocumentPlainText(first));
    ExpectSections(second);
}
