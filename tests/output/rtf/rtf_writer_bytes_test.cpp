// What the writer puts out for known documents.
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_writer.h"

#include "rtf_writer_test_util.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
QTextCharFormat Face(const char* family, double points = 12) {
    QTextCharFormat f;
    f.setFontFamilies({QString::fromLatin1(family)});
    f.setFontPointSize(points);
    return f;
}

// A document whose default font is the texts' own, so that \f0 is that font.
void UseTimes(QTextDocument& doc) {
    doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
}

QByteArray WriteOne(const QString& text, const QTextCharFormat& format) {
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor(&doc).insertText(text, format);
    return WriteRtf(doc);
}
} // namespace

TEST(RtfWriterBytes, HeaderFontAndColourTables) {
    EnsureWriterTestApp();
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("serif "), Face("Times New Roman"));
    QTextCharFormat red = Face("Arial");
    red.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("red"), red);
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << rtf.constData();
    // The document's face and Times New Roman are one entry, under the texts' name.
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}"
                             "{\\f1\\fswiss\\fcharset0 Arial;}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.contains("serif \\f1\\cf1 red}"));
    EXPECT_TRUE(rtf.endsWith('}'));
    EXPECT_TRUE(BracesBalance(rtf));
}

TEST(RtfWriterBytes, TextIsEscapedAndEveryOtherCharacterIsUnicodeWithAFallback) {
    EnsureWriterTestApp();
    const QString text = QStringLiteral("a\\b{c}\td\u00a0e\u00adf\u2011g caf\u00e9 \u2014 \u03b1 "
                                        "\u0101 \u2264 \U0001F600\u0001 line\u2028next\fpage");
    const QByteArray rtf = WriteOne(text, Face("Times New Roman"));
    EXPECT_TRUE(rtf.contains("a\\\\b\\{c\\}\\tab d\\~e\\-f\\_g caf\\'e9 \\'97 \\u945 ? "
                             "\\u257 a \\u8804 < \\u-10179 ?\\u-8704 ? line\\line next\\page page"))
        << rtf.constData();
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "7-bit output";
    EXPECT_TRUE(BracesBalance(rtf));
}

TEST(RtfWriterBytes, CharacterFormatsSwitchOnAndOff) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    const QTextCharFormat plain = Face("Times New Roman");
    auto run = [&](const char* text, auto change) {
        QTextCharFormat f = plain;
        change(f);
        cursor.insertText(QString::fromLatin1(text), f);
        cursor.insertText(QStringLiteral("|"), plain);
    };
    run("bold", [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); });
    run("ital", [](QTextCharFormat& f) { f.setFontItalic(true); });
    run("dots", [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DotLine); });
    run("double", [](QTextCharFormat& f) {
        f.setFontUnderline(true);
        f.setProperty(RtfProperty::UnderlineKind, int(TRtfUnderlineKind::Double));
    });
    run("gone", [](QTextCharFormat& f) { f.setFontStrikeOut(true); });
    run("up",
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run("down",
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    run("caps", [](QTextCharFormat& f) { f.setFontCapitalization(QFont::SmallCaps); });
    run("big", [](QTextCharFormat& f) { f.setFontPointSize(20.5); });
    run("back", [](QTextCharFormat& f) { f.setBackground(QColor(0, 0, 255)); });
    run("hide", [](QTextCharFormat& f) { f.setProperty(RtfProperty::Hidden, true); });
    const QByteArray rtf = WriteRtf(doc);
    for (const char* expected :
         {"\\b bold\\b0 |", "\\i ital\\i0 |", "\\uld dots\\ulnone |", "\\uldb double\\ulnone |",
          "\\strike gone\\strike0 |", "\\super up\\nosupersub |", "\\sub down\\nosupersub |",
          "\\scaps caps\\scaps0 |", "\\fs41 big\\fs24 |", "\\chcbpat1\\cb1 back\\chcbpat0\\cb0 |",
          "\\v hide\\v0 |"})
        EXPECT_TRUE(rtf.contains(expected)) << expected << "\n" << rtf.constData();
}

TEST(RtfWriterBytes, ParagraphFormats) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(b);
    cursor.insertText(QStringLiteral("centred"));
    b = {};
    b.setAlignment(Qt::AlignJustify);
    b.setLeftMargin(96); // 96 units are an inch: 1440 twips
    b.setRightMargin(48);
    b.setTextIndent(-24);
    b.setTopMargin(16);
    b.setBottomMargin(8);
    b.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    cursor.insertBlock(b);
    cursor.insertText(QStringLiteral("indented"));
    b = {};
    b.setLineHeight(20, QTextBlockFormat::FixedHeight);
    b.setProperty(RtfProperty::KeepTogether, true);
    b.setProperty(RtfProperty::KeepWithNext, true);
    b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(b);
    cursor.insertText(QStringLiteral("exact"));
    b = {};
    b.setLineHeight(20, QTextBlockFormat::MinimumHeight);
    b.setProperty(RtfProperty::ParagraphBorder, true);
    QList<QTextOption::Tab> tabs{{48, QTextOption::LeftTab},
                                 {96, QTextOption::RightTab},
                                 {144, QTextOption::CenterTab},
                                 {192, QTextOption::DelimiterTab, u'.'}};
    b.setTabPositions(tabs);
    b.setProperty(RtfProperty::TabLeaders,
                  QVariantList{int(TRtfTabLeader::None), int(TRtfTabLeader::Dot)});
    cursor.insertBlock(b);
    cursor.insertText(QStringLiteral("boxed"));
    const QByteArray rtf = WriteRtf(doc);
    for (const char* expected :
         {"\\pard\\plain\\qc centred\\par",
          "\\pard\\plain\\qj\\li1440\\ri720\\fi-360\\sb240\\sa120"
          "\\sl360\\slmult1 indented\\par",
          "\\pard\\plain\\sl-300\\slmult0\\keep\\keepn\\pagebb exact\\par",
          "\\sl300\\slmult0\\brdrt\\brdrs\\brdrw15\\brsp40\\brdrl\\brdrs\\brdrw15\\brsp40"
          "\\brdrb\\brdrs\\brdrw15\\brsp40\\brdrr\\brdrs\\brdrw15\\brsp40"
          "\\tx720\\tqr\\tldot\\tx1440\\tqc\\tx2160\\tqdec\\tx2880 boxed}"})
        EXPECT_TRUE(rtf.contains(expected)) << expected << "\n" << rtf.constData();
}

TEST(RtfWriterBytes, ParagraphMarksAndBreaks) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("before"));
    // An empty paragraph's height comes from its mark's format.
    QTextBlockFormat breakAfter;
    breakAfter.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
    cursor.insertBlock(breakAfter, Face("Times New Roman", 28));
    cursor.insertBlock(QTextBlockFormat(), Face("Times New Roman"));
    cursor.insertText(QStringLiteral("-"));
    cursor.insertBlock();
    const QByteArray rtf = WriteRtf(doc);
    // The break after the empty paragraph moves onto the next one; the end mark
    // paragraph ends with \par and the empty last one has none.
    EXPECT_TRUE(
        rtf.contains("before\\par\r\n\\pard\\plain\\fs56\\par\r\n\\pard\\plain\\pagebb -\\par"
                     "\r\n\\pard\\plain}"))
        << rtf.constData();
}

TEST(RtfWriterBytes, FooterCarriesItsTextAndThePageNumberField) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor(&doc).insertText(QStringLiteral("body"));
    EXPECT_FALSE(WriteRtf(doc).contains("{\\footer"));

    TRtfExtras extras;
    extras.footer.present = true;
    extras.footer.text = QStringLiteral("Orrin High School\t");
    extras.footer.pageNumberAt = int(extras.footer.text.size());
    QByteArray rtf = WriteRtf(doc, extras);
    EXPECT_TRUE(rtf.contains("\\paperw11880\\paperh16848\\margl1440\\margr1440\\margt1440"
                             "\\margb1440\\sectd\\footery720"));
    EXPECT_TRUE(rtf.contains("{\\footer\\pard\\plain\\ql\\tqr\\tx9000\\fs18\\i Orrin High School"
                             "\\tab{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"))
        << rtf.constData();

    extras.footer.text = QStringLiteral("Page  of 3");
    extras.footer.pageNumberAt = 5;
    extras.footer.pointSize = 10;
    extras.footer.italic = false;
    rtf = WriteRtf(doc, extras);
    EXPECT_TRUE(rtf.contains("\\tx9000\\fs20 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of 3"
                             "\\par}"));
    extras.footer.pageNumberAt = 999; // past the end: after the text
    EXPECT_TRUE(WriteRtf(doc, extras).contains("of 3{\\field"));
    extras.footer.pageNumberAt = -1;
    EXPECT_FALSE(WriteRtf(doc, extras).contains("\\field"));
}

TEST(RtfWriterBytes, TablesWriteRowDefinitionsSpansAndCells) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    QTextTableFormat tf;
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 96),
                                  QTextLength(QTextLength::FixedLength, 48),
                                  QTextLength(QTextLength::FixedLength, 48)});
    tf.setBorder(1);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderBrush(Qt::black);
    tf.setCellPadding(4);
    QTextTable* table = cursor.insertTable(3, 3, tf);
    table->mergeCells(0, 0, 2, 1); // down
    table->mergeCells(2, 1, 1, 2); // across
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("tall"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("b"));
    table->cellAt(2, 1).firstCursorPosition().insertText(QStringLiteral("wide"));
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(200, 200, 200));
    shaded.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    table->cellAt(1, 2).setFormat(shaded);
    const QByteArray rtf = WriteRtf(doc);

    // The empty paragraph QTextDocument keeps in front of a table is not written.
    EXPECT_TRUE(rtf.contains("\r\n\\trowd\\trgaph60\\trleft60\\trpaddl60\\trpaddfl3"));
    EXPECT_EQ(CountOf(rtf, "\\trowd"), 3);
    EXPECT_EQ(CountOf(rtf, "\\row"), 3);
    EXPECT_EQ(CountOf(rtf, "\\cell\r\n"), 8); // 9 positions, one covered across
    EXPECT_EQ(CountOf(rtf, "\\clvmgf"), 1);
    EXPECT_EQ(CountOf(rtf, "\\clvmrg"), 1);
    EXPECT_TRUE(rtf.contains("\\clbrdrt\\brdrs\\brdrw15\\brdrcf1\\clbrdrl\\brdrs\\brdrw15\\brdrcf1"
                             "\\clbrdrb\\brdrs\\brdrw15\\brdrcf1\\clbrdrr\\brdrs\\brdrw15\\brdrcf1"
                             "\\cellx1500"));
    EXPECT_TRUE(rtf.contains("\\clvertalc"));
    EXPECT_TRUE(rtf.contains("\\clcbpat2"));
    // The cell spanning two columns ends at the second one's edge.
    EXPECT_TRUE(rtf.contains("\\cellx1500\\clvertalt"));
    EXPECT_TRUE(rtf.contains("\\pard\\plain\\intbl tall\\cell"));
    EXPECT_TRUE(rtf.contains("\\pard\\plain\\intbl wide\\cell\r\n\\row"));
    const qsizetype lastRow = rtf.lastIndexOf("\\trowd");
    EXPECT_EQ(CountOf(rtf.mid(lastRow, rtf.indexOf("\\pard", lastRow) - lastRow), "\\cellx"), 2);
    EXPECT_TRUE(rtf.contains("\\cellx2940\\pard"));
    EXPECT_TRUE(BracesBalance(rtf));
}

TEST(RtfWriterBytes, NestedTablesUseTheNestingWords) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("above"));
    QTextTable* outer = cursor.insertTable(1, 2);
    outer->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("left"));
    QTextCursor inCell = outer->cellAt(0, 1).firstCursorPosition();
    inCell.insertText(QStringLiteral("holds"));
    inCell.insertBlock();
    QTextTable* inner = inCell.insertTable(1, 2);
    inner->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("x"));
    inner->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("y"));
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.contains("above\\par\r\n\\trowd"));
    EXPECT_TRUE(rtf.contains("\\intbl\\itap2 x\\nestcell"));
    EXPECT_TRUE(rtf.contains("\\intbl\\itap2 y\\nestcell"));
    EXPECT_TRUE(rtf.contains("{\\*\\nesttableprops\\trowd"));
    EXPECT_TRUE(rtf.contains("\\nestrow}{\\nonesttables\\par}"));
    EXPECT_EQ(CountOf(rtf, "\\cell\r\n"), 2);
    EXPECT_EQ(CountOf(rtf, "\\row\r\n"), 1);
    EXPECT_TRUE(BracesBalance(rtf));
}

TEST(RtfWriterBytes, PicturesArePngInHex) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("red")), image);
    QTextCursor cursor(&doc);
    QTextImageFormat natural;
    natural.setName(QStringLiteral("red"));
    cursor.insertImage(natural);
    QTextImageFormat scaled = natural;
    scaled.setWidth(96); // the height follows the picture's proportions
    cursor.insertImage(scaled);
    QTextImageFormat missing;
    missing.setName(QStringLiteral("nowhere"));
    cursor.insertImage(missing);
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\pict\\pngblip\\picw4\\pich3\\picwgoal60\\pichgoal45\r\n89504e47"));
    EXPECT_TRUE(rtf.contains("{\\pict\\pngblip\\picw4\\pich3\\picwgoal1440\\pichgoal1080\r\n"));
    EXPECT_EQ(CountOf(rtf, "\\pict"), 2);

    // Bytes kept from the file go back out unchanged, but only under known words.
    QTextDocument kept;
    QTextImageFormat metafile;
    metafile.setName(QStringLiteral("frame"));
    metafile.setWidth(96);
    metafile.setHeight(48);
    metafile.setProperty(RtfProperty::PictureData, QByteArray("\x01\x02\xfe", 3));
    metafile.setProperty(RtfProperty::PictureType, QStringLiteral("emfblip"));
    metafile.setProperty(RtfProperty::PictureExtent, QSize(2540, 1270));
    QTextCursor(&kept).insertImage(metafile);
    QTextImageFormat hostile = metafile;
    hostile.setProperty(RtfProperty::PictureType, QStringLiteral("par}{\\evil"));
    QTextCursor(&kept).insertImage(hostile);
    const QByteArray out = WriteRtf(kept);
    EXPECT_TRUE(out.contains(
        "{\\pict\\emfblip\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\r\n0102fe\r\n}"));
    EXPECT_FALSE(out.contains("evil"));
    EXPECT_TRUE(BracesBalance(out));
}

TEST(RtfWriterBytes, SymbolFontTextAndLinks) {
    EnsureWriterTestApp();
    QTextDocument doc;
    UseTimes(doc);
    QTextCursor cursor(&doc);
    // In the Symbol font's own encoding "a" is alpha: letters must go out as \u.
    cursor.insertText(QStringLiteral("a1 (x)"), Face("Symbol"));
    QTextCharFormat link = Face("Times New Roman");
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.org/a\"b"));
    link.setFontUnderline(true);
    cursor.insertText(QStringLiteral("site"), link);
    cursor.insertText(QStringLiteral(" after"), Face("Times New Roman"));
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\f1\\ftech\\fcharset2 Symbol;}"));
    EXPECT_TRUE(rtf.contains("\\f1\\u97 ?1 (\\u120 ?)"));
    EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a%22b\"}}"
                             "{\\fldrslt{\\f0\\ul site}}}\\f0  after"))
        << rtf.constData();
}

TEST(RtfWriterFile, SaveWritesTheWholeFileOrNothing) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("saved text"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("out.rtf"));
    QString error;
    ASSERT_TRUE(SaveRtfFile(doc, {}, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), WriteRtf(doc));
    file.close();

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.rtf"));
    EXPECT_FALSE(SaveRtfFile(doc, {}, missing, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(SaveRtfFile(doc, {}, dir.path(), nullptr)); // a folder, not a file
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.rtf")});
}

// A superscript at the end of a paragraph ends before the paragraph mark, so that
// a word processor keeps the paragraphs apart; a tab stop the file gives twice
// (in the style and in the paragraph) is written once.
TEST(RtfWriterBytes, ParagraphEndsCloseSuperscriptAndTabsAreWrittenOnce) {
    EnsureWriterTestApp();
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1{\stylesheet{\s1\tqr\tldot\tx9000 Marks;}})"
                 R"(\pard\s1\tqr\tldot\tx9000 x{\super 2}\tab [2]{\super 3}\par\pard next\par})");
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.contains("\\super 3\\nosupersub\\par")) << rtf.constData();
    EXPECT_EQ(CountOf(rtf, "\\tx9000"), 1) << rtf.constData();
}
