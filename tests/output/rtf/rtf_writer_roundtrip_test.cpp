// Reading what the writer wrote gives back the same document.
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_units.h"
#include "output/rtf/rtf_writer.h"

#include "rtf_writer_test_util.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>

namespace {
QTextCharFormat Times(double points = 12) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(points);
    return f;
}

// The appearance of a run, as far as the file can carry it. A run without a family
// of its own shows in the document's default font.
std::string Describe(const QTextCharFormat& f, const QTextDocument& doc) {
    QString family = f.fontFamilies().toStringList().value(0).toLower();
    if (family.isEmpty()) family = doc.defaultFont().family().toLower();
    if (family == u"liberation serif") family = QStringLiteral("times new roman");
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6 v%7 c%8 fg%9 bg%10 a%11")
        .arg(family)
        .arg(f.fontPointSize())
        .arg(f.fontWeight() >= QFont::DemiBold)
        .arg(f.fontItalic())
        .arg(int(f.underlineStyle()))
        .arg(f.fontStrikeOut())
        .arg(int(f.verticalAlignment()))
        .arg(int(f.fontCapitalization()))
        .arg(f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name())
        .arg(f.background().style() == Qt::NoBrush ? QString() : f.background().color().name())
        .arg(f.anchorHref())
        .toStdString();
}

// Every run of the main text: its text and appearance, paragraph by paragraph.
// Neighbouring fragments that look the same are one run.
std::vector<std::string> Runs(const QTextDocument& doc) {
    std::vector<std::string> runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString text;
        std::string look;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const std::string next = Describe(it.fragment().charFormat(), doc);
            if (next != look && !text.isEmpty()) {
                runs.push_back(text.toStdString() + " | " + look);
                text.clear();
            }
            look = next;
            text += it.fragment().text();
        }
        if (!text.isEmpty()) runs.push_back(text.toStdString() + " | " + look);
        runs.push_back("<par>");
    }
    return runs;
}

std::string DescribeBlock(const QTextBlockFormat& b) {
    std::string s = QStringLiteral("a%1 l%2 r%3 f%4 t%5 b%6 lh%7/%8 k%9%10 box%11 pb%12 w%13 tabs")
                        .arg(int(b.alignment() & Qt::AlignHorizontal_Mask))
                        .arg(b.leftMargin())
                        .arg(b.rightMargin())
                        .arg(b.textIndent())
                        .arg(b.topMargin())
                        .arg(b.bottomMargin())
                        .arg(b.lineHeightType())
                        .arg(b.lineHeight())
                        .arg(b.boolProperty(RtfProperty::KeepTogether))
                        .arg(b.boolProperty(RtfProperty::KeepWithNext))
                        .arg(b.boolProperty(RtfProperty::ParagraphBorder))
                        .arg(int(b.pageBreakPolicy()))
                        .arg(b.boolProperty(RtfProperty::WidowControl))
                        .toStdString();
    for (const QTextOption::Tab& t : b.tabPositions())
        s += " " + std::to_string(t.position) + ":" + std::to_string(int(t.type));
    if (b.hasProperty(QTextFormat::BackgroundBrush))
        s += " shade " + b.background().color().name().toStdString();
    return s;
}

std::unique_ptr<QTextDocument> ReadBack(const QTextDocument& doc, TRtfExtras* extras = nullptr,
                                        const TRtfExtras& written = {}) {
    auto back = std::make_unique<QTextDocument>();
    const TRtfExtras read = LoadRtf(*back, WriteRtf(doc, written));
    if (extras) *extras = read;
    return back;
}
} // namespace

TEST(RtfWriterRoundTrip, CharacterFormats) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QTextCursor cursor(&doc);
    const QTextCharFormat plain = Times();
    auto run = [&](const char* text, auto change) {
        QTextCharFormat f = plain;
        change(f);
        cursor.insertText(QString::fromUtf8(text), f);
    };
    run("plain ", [](QTextCharFormat&) {});
    run("bold ", [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); });
    run("italic ", [](QTextCharFormat& f) { f.setFontItalic(true); });
    run("under ", [](QTextCharFormat& f) { f.setFontUnderline(true); });
    run("dotted ", [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DotLine); });
    run("dashed ", [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DashUnderline); });
    run("wave ", [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); });
    run("struck ", [](QTextCharFormat& f) { f.setFontStrikeOut(true); });
    run("x", [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run("2", [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    run(" caps", [](QTextCharFormat& f) { f.setFontCapitalization(QFont::AllUppercase); });
    run(" small", [](QTextCharFormat& f) { f.setFontCapitalization(QFont::SmallCaps); });
    run(" big", [](QTextCharFormat& f) { f.setFontPointSize(26); });
    run(" half", [](QTextCharFormat& f) { f.setFontPointSize(10.5); });
    run(" sans", [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Arial")}); });
    run(" mono", [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Courier New")}); });
    // A name outside code page 1252 goes into the font table as \uN.
    run(" greek",
        [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("\u03a9mega Sans")}); });
    run(" red", [](QTextCharFormat& f) { f.setForeground(QColor(200, 10, 20)); });
    run(" marked", [](QTextCharFormat& f) { f.setBackground(QColor(255, 255, 0)); });
    run(" all", [](QTextCharFormat& f) {
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setForeground(QColor(0, 0, 255));
    });
    run(" link", [](QTextCharFormat& f) {
        f.setAnchor(true);
        f.setAnchorHref(QStringLiteral("https://example.org/"));
    });
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.insertText(QStringLiteral("\u03b1\u2264\u03b2 caf\u00e9 \u2014 \u4e2d\u6587 \U0001F600 "
                                     "\\{}\ttab\u00a0nbsp"),
                      plain);
    const auto back = ReadBack(doc);
    EXPECT_EQ(Runs(*back), Runs(doc));
    EXPECT_EQ(RtfDocumentPlainText(*back), RtfDocumentPlainText(doc));
}

TEST(RtfWriterRoundTrip, ParagraphFormats) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QTextCursor cursor(&doc);
    std::vector<QTextBlockFormat> formats(6);
    formats[0].setAlignment(Qt::AlignHCenter);
    formats[0].setTopMargin(32);
    formats[0].setBottomMargin(16);
    formats[0].setProperty(RtfProperty::ParagraphBorder, true);
    formats[1].setAlignment(Qt::AlignRight);
    formats[1].setLeftMargin(96);
    formats[1].setRightMargin(48);
    formats[1].setTextIndent(-24);
    formats[2].setAlignment(Qt::AlignJustify);
    formats[2].setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    formats[2].setProperty(RtfProperty::KeepTogether, true);
    formats[2].setProperty(RtfProperty::KeepWithNext, true);
    formats[2].setProperty(RtfProperty::WidowControl, true);
    formats[3].setLineHeight(20, QTextBlockFormat::FixedHeight);
    formats[3].setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    formats[3].setBackground(QColor(0xCC, 0xDD, 0xEE));
    formats[4].setLineHeight(24, QTextBlockFormat::MinimumHeight);
    formats[4].setTabPositions(
        {{48, QTextOption::LeftTab}, {96, QTextOption::RightTab}, {144, QTextOption::CenterTab}});
    formats[5].setTextIndent(96);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i == 0)
            cursor.setBlockFormat(formats[0]);
        else
            cursor.insertBlock(formats[i], Times());
        cursor.insertText(QStringLiteral("paragraph %1\twith a tab").arg(i), Times());
    }
    const auto back = ReadBack(doc);
    ASSERT_EQ(back->blockCount(), doc.blockCount());
    for (QTextBlock a = doc.begin(), b = back->begin(); a.isValid(); a = a.next(), b = b.next()) {
        EXPECT_EQ(DescribeBlock(b.blockFormat()), DescribeBlock(a.blockFormat()))
            << a.text().toStdString();
        EXPECT_EQ(b.text(), a.text());
    }
}

TEST(RtfWriterRoundTrip, TablesKeepGridSpansWidthsAndText) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Question 1"), Times());
    QTextTableFormat tf;
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                  QTextLength(QTextLength::FixedLength, 60),
                                  QTextLength(QTextLength::FixedLength, 90)});
    tf.setBorder(1);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setCellPadding(5);
    tf.setCellSpacing(0);
    QTextTable* table = cursor.insertTable(3, 3, tf);
    table->mergeCells(0, 0, 2, 1);
    table->mergeCells(2, 1, 1, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() == r && cell.column() == c)
                cell.firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(r).arg(c),
                                                      Times());
        }
    QTextCursor two = table->cellAt(1, 2).lastCursorPosition();
    two.insertBlock();
    two.insertText(QStringLiteral("second line"), Times());
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.insertText(QStringLiteral("after the table"), Times());

    const auto back = ReadBack(doc);
    EXPECT_EQ(RtfDocumentPlainText(*back), RtfDocumentPlainText(doc));
    QTextTable* read = nullptr;
    for (QTextFrame* f : back->rootFrame()->childFrames())
        if ((read = qobject_cast<QTextTable*>(f))) break;
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->rows(), 3);
    ASSERT_EQ(read->columns(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QTextTableCell a = table->cellAt(r, c), b = read->cellAt(r, c);
            EXPECT_EQ(b.row(), a.row()) << r << "," << c;
            EXPECT_EQ(b.column(), a.column()) << r << "," << c;
            EXPECT_EQ(b.rowSpan(), a.rowSpan()) << r << "," << c;
            EXPECT_EQ(b.columnSpan(), a.columnSpan()) << r << "," << c;
            QTextCursor ca(a.firstCursorPosition()), cb(b.firstCursorPosition());
            ca.setPosition(a.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            cb.setPosition(b.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            EXPECT_EQ(cb.selectedText(), ca.selectedText());
            const QTextTableCellFormat fb = b.format().toTableCellFormat();
            EXPECT_EQ(fb.topBorder(), 1.0);
            EXPECT_EQ(fb.leftPadding(), 5.0);
        }
    const QList<QTextLength> widths = read->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_EQ(widths[0].rawValue(), 120);
    EXPECT_EQ(widths[1].rawValue(), 60);
    EXPECT_EQ(widths[2].rawValue(), 90);
}

TEST(RtfWriterRoundTrip, PicturesKeepTheirPixelsAndSize) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QImage image(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            image.setPixel(x, y, qRgba(x * 30, y * 50, 99, 255));
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure")), image);
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Figure: "), Times());
    QTextImageFormat picture;
    picture.setName(QStringLiteral("figure"));
    picture.setWidth(70);
    picture.setHeight(50);
    cursor.insertImage(picture);

    const auto back = ReadBack(doc);
    QTextImageFormat read;
    for (auto it = back->begin().begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            read = it.fragment().charFormat().toImageFormat();
    ASSERT_TRUE(read.isValid());
    EXPECT_DOUBLE_EQ(read.width(), 70);
    EXPECT_DOUBLE_EQ(read.height(), 50);
    const QImage pixels =
        back->resource(QTextDocument::ImageResource, QUrl(read.name())).value<QImage>();
    ASSERT_EQ(pixels.size(), image.size());
    EXPECT_EQ(pixels.convertToFormat(QImage::Format_ARGB32), image);
}

// A picture in a shape no text wraps around is sized to its shape and floats at its
// offset from its references, and is written back as such a shape.
TEST(RtfWriterRoundTrip, FloatingShapeKeepsItsBoxAndReferences) {
    EnsureWriterTestApp();
    const QByteArray png = PngOf(4, 3, Qt::blue);
    QTextDocument doc;
    LoadRtf(doc, "{\\rtf1 A\\par {\\shp{\\*\\shpinst\\shpleft100\\shptop-3000\\shpright4100"
                 "\\shpbottom-1000\\shpwr3\\shpfblwtxt1\\shpbxignore\\shpbyignore{\\sp{\\sn "
                 "posrelh}{\\sv 3}}"
                 "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw7781\\pich4605 " +
                     png.toHex() + "}}}}}\\par}");
    const auto back = ReadBack(doc);
    for (const QTextDocument* d : {&doc, back.get()}) {
        QTextImageFormat read;
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    read = it.fragment().charFormat().toImageFormat();
        ASSERT_TRUE(read.isValid());
        EXPECT_DOUBLE_EQ(read.width(), TFormatUnits(TTwips(4000)).Value());
        EXPECT_DOUBLE_EQ(read.height(), TFormatUnits(TTwips(2000)).Value());
        EXPECT_EQ(read.property(RtfProperty::FloatingBox).toRect(), QRect(100, -3000, 4000, 2000));
        EXPECT_EQ(read.intProperty(RtfProperty::FloatingAcross), int(TRtfFloatAcross::Character));
        EXPECT_EQ(read.intProperty(RtfProperty::FloatingDown), int(TRtfFloatDown::Paragraph));
        EXPECT_TRUE(read.boolProperty(RtfProperty::FloatingBehind));
    }
}

TEST(RtfWriterRoundTrip, FooterComesBack) {
    EnsureWriterTestApp();
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("body"), Times());
    TRtfExtras extras;
    extras.footer.present = true;
    extras.footer.text = QStringLiteral("Orrin High School\t");
    extras.footer.pageNumberAt = int(extras.footer.text.size());
    TRtfExtras read;
    const auto back = ReadBack(doc, &read, extras);
    EXPECT_TRUE(read.footer.present);
    EXPECT_EQ(read.footer.text, extras.footer.text);
    EXPECT_EQ(read.footer.pageNumberAt, extras.footer.pageNumberAt);
    EXPECT_EQ(read.footer.pointSize, 9.0);
    EXPECT_TRUE(read.footer.italic);
    EXPECT_EQ(RtfDocumentPlainText(*back), QStringLiteral("body"));
}

// Every corpus text, read, written and read again, keeps its text; written a
// second time it gives the same bytes, so nothing drifts with each save.
TEST(RtfWriterRoundTrip, CorpusTextsAreStable) {
    EnsureWriterTestApp();
    const QDir dir(QStringLiteral(QB_TEST_DATA_DIR "/rtf"));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        QTextDocument first;
        const TRtfExtras extras = LoadRtf(first, file.readAll());
        const QByteArray written = WriteRtf(first, extras);
        EXPECT_TRUE(BracesBalance(written)) << name.toStdString();
        QTextDocument second;
        const TRtfExtras extrasAgain = LoadRtf(second, written);
        EXPECT_EQ(RtfDocumentPlainText(second), RtfDocumentPlainText(first)) << name.toStdString();
        EXPECT_EQ(Runs(second), Runs(first)) << name.toStdString();
        EXPECT_EQ(extrasAgain.footer.text, extras.footer.text) << name.toStdString();
        EXPECT_EQ(WriteRtf(second, extrasAgain), written) << name.toStdString();
    }
}

// What the reader takes from a word processor's table comes back from our own
// file: position, paddings, double lines, row heights and a nested table.
TEST(RtfWriterRoundTrip, TablePlacementPaddingHeightsAndNesting) {
    EnsureWriterTestApp();
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1\trowd\trgaph108\trleft1440\trrh700\clpadl90\clpadfl3)"
                 R"(\clbrdrt\brdrdb\brdrw15\cellx4000\clpadb60\clpadfb3\cellx6000)"
                 R"(\pard\intbl a\cell\pard\intbl\itap2 n1\nestcell n2\nestcell)"
                 R"({\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par})"
                 R"(\pard\intbl\itap1 b\cell\row\pard End\par})");
    const auto back = ReadBack(doc);
    EXPECT_EQ(RtfDocumentPlainText(*back), RtfDocumentPlainText(doc));
    auto firstTable = [](QTextDocument& d) {
        return qobject_cast<QTextTable*>(d.rootFrame()->childFrames().value(0));
    };
    QTextTable* a = firstTable(doc);
    QTextTable* b = firstTable(*back);
    ASSERT_TRUE(a && b);
    // The nested row's definition does not replace the outer row's.
    EXPECT_EQ(a->format().columnWidthConstraints().value(1).rawValue(), 2000 / 15.0);
    EXPECT_EQ(b->format().leftMargin(), a->format().leftMargin());
    EXPECT_EQ(b->format().property(RtfProperty::RowHeights).value<QList<int>>(), QList<int>{700});
    const QTextTableCellFormat fa = a->cellAt(0, 0).format().toTableCellFormat();
    const QTextTableCellFormat fb = b->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(fb.topPadding(), fa.topPadding());
    EXPECT_EQ(fb.leftPadding(), fa.leftPadding());
    EXPECT_EQ(fb.topBorderStyle(), QTextFrameFormat::BorderStyle_Double);
    EXPECT_EQ(fb.topBorder(), fa.topBorder());
    EXPECT_EQ(b->cellAt(0, 1).format().toTableCellFormat().bottomPadding(), 60 / 15.0);
    ASSERT_EQ(b->childFrames().size(), 1);
    const auto* nested = qobject_cast<QTextTable*>(b->childFrames().front());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->rows(), 1);
    EXPECT_EQ(nested->columns(), 2);
}
