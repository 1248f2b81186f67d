// Lists and hidden text: read into the document, written back as a word processor
// reads them.
#include "output/rtf/rtf_list_marker.h"
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_writer.h"

#include "rtf_writer_test_util.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

namespace {
QByteArray Levels() {
    QFile file(QStringLiteral(QB_TEST_DATA_DIR "/rtf/lists_levels.rtf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTextBlock BlockWith(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().contains(text)) return b;
    return {};
}

int LevelOf(const QTextBlock& b) {
    return b.textList() ? b.textList()->format().intProperty(RtfProperty::ListLevel) : -1;
}
} // namespace

// Each list paragraph is an item of a real list at its level's indent, its
// marker hanging in the first-line indent; a level restarts under a new item of
// the level above, and \levelstartat sets the first number.
TEST(RtfLists, ReadAsListsWithLevels) {
    QTextDocument doc;
    LoadRtf(doc, Levels());
    const QTextBlock weight = BlockWith(doc, "Weight");
    ASSERT_NE(weight.textList(), nullptr);
    EXPECT_EQ(weight.textList()->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(LevelOf(weight), 1);
    EXPECT_EQ(weight.blockFormat().leftMargin(), 1440 / 15.0);
    EXPECT_EQ(weight.blockFormat().textIndent(), 0);
    EXPECT_EQ(weight.blockFormat().doubleProperty(RtfProperty::ListTextIndent), -360 / 15.0);
    EXPECT_EQ(weight.text(), "Weight"); // the \listtext marker is not doubled
    EXPECT_EQ(BlockWith(doc, "Forces").textList(), BlockWith(doc, "Energy").textList());
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Friction")), "(b)");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Kinetic")), "(a)");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Newtons")), "ii.");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Fifth")), "E)");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Roman two")), "II.");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Show working")), u"\u2022");
    EXPECT_EQ(RtfListMarker(BlockWith(doc, "Units")), u"\u25e6");
}

// Old-style numbering (\pn) numbers its paragraphs too; a marker whose paragraph
// names no list it can be in stays as text.
TEST(RtfLists, OldStyleNumberingAndStrayMarkers) {
    const char* rtf = R"({\rtf1\pard{\*\pn\pnlvlbody\pnucltr\pnstart2{\pntxta )}}\li720\fi-360)"
                      R"({\pntext B)\tab}One\par)"
                      R"(\pard{\*\pn\pnlvlbody\pnucltr\pnstart2{\pntxta )}}\li720\fi-360)"
                      R"({\pntext C)\tab}Two\par)"
                      R"(\pard{\listtext 9.\tab}\ls5 Stray\par})";
    EXPECT_EQ(RtfToPlainText(rtf), "B)\tOne\nC)\tTwo\n9.\tStray\n");
}

// Lists go out as \listtable and \ls with the marker as {\listtext} for readers
// without lists, and come back as the same lists; lists made in the editor (Qt's
// own, nested by indent) become levels of one list.
TEST(RtfLists, WrittenAsListTableAndReadBack) {
    EnsureWriterTestApp();
    QTextDocument doc;
    LoadRtf(doc, Levels());
    const QByteArray rtf = WriteRtf(doc, {});
    EXPECT_EQ(CountOf(rtf, "{\\*\\listtable"), 1);
    EXPECT_EQ(CountOf(rtf, "{\\*\\listoverridetable"), 1);
    EXPECT_EQ(CountOf(rtf, "\\ls1\\ilvl2"), 2);
    EXPECT_EQ(CountOf(rtf, "{\\listtext"), 13);
    EXPECT_EQ(CountOf(rtf, "\\pn"), 0);
    QTextDocument back;
    LoadRtf(back, rtf);
    EXPECT_EQ(RtfDocumentPlainText(back), RtfDocumentPlainText(doc));
    EXPECT_EQ(LevelOf(BlockWith(back, "Newtons")), 2);
    EXPECT_EQ(BlockWith(back, "Weight").blockFormat().leftMargin(), 1440 / 15.0);
    EXPECT_EQ(WriteRtf(back, {}), rtf);

    // Two texts read into one document, each with its list 1, keep their numbers.
    QTextDocument joined;
    QTextCursor end(&joined);
    const QByteArray text =
        R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;})"
        R"({\levelnumbers\'01;}}\listid1}}{\*\listoverridetable{\listoverride)"
        R"(\listid1\ls1}}\pard\ls1 Item\par\pard\ls1 Item\par})";
    InsertRtf(end, text);
    InsertRtf(end, text);
    QTextDocument joinedBack;
    LoadRtf(joinedBack, WriteRtf(joined, {}));
    EXPECT_EQ(RtfDocumentPlainText(joinedBack), "1.\tItem\n2.\tItem\n1.\tItem\n2.\tItem\n");

    QTextDocument made;
    QTextCursor cursor(&made);
    cursor.insertText("Top");
    cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertBlock();
    cursor.insertText("Inner");
    QTextListFormat inner;
    inner.setStyle(QTextListFormat::ListLowerAlpha);
    inner.setIndent(2);
    cursor.createList(inner);
    QTextDocument madeBack;
    LoadRtf(madeBack, WriteRtf(made, {}));
    EXPECT_EQ(RtfDocumentPlainText(madeBack), "1.\tTop\na.\tInner");
    EXPECT_EQ(LevelOf(BlockWith(madeBack, "Inner")), 1);
}

// Hidden text stays in the document, out of its plain text, and is written back
// as hidden.
TEST(RtfHidden, KeptAndWrittenBack) {
    EnsureWriterTestApp();
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1 Shown {\v hidden}visible\par})");
    EXPECT_EQ(doc.firstBlock().text(), "Shown hiddenvisible");
    EXPECT_EQ(RtfDocumentPlainText(doc), "Shown visible\n");
    const QByteArray rtf = WriteRtf(doc, {});
    EXPECT_EQ(CountOf(rtf, "\\v hidden\\v0"), 1) << rtf.toStdString();
    QTextDocument back;
    LoadRtf(back, rtf);
    EXPECT_EQ(RtfDocumentPlainText(back), "Shown visible\n");
}
