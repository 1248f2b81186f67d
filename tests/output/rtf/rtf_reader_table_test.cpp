#include "output/rtf/rtf_reader.h"

#include "rtf_writer_test_util.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {
QTextTable* FirstTable(QTextDocument& doc) {
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* t = qobject_cast<QTextTable*>(it.currentFrame())) return t;
    return nullptr;
}

QList<QTextImageFormat> Images(const QTextDocument& doc) {
    QList<QTextImageFormat> images;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
    return images;
}

quint32 Crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG file whose header claims the given size; its pixel data is not there.
QByteArray PngHeaderOnly(quint32 w, quint32 h) {
    QByteArray ihdr = "IHDR";
    for (quint32 v : {w, h})
        for (int i = 3; i >= 0; --i)
            ihdr.append(char(v >> (8 * i)));
    ihdr.append(QByteArray::fromHex("0802000000"));
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d") + ihdr;
    const quint32 crc = Crc32(ihdr);
    for (int i = 3; i >= 0; --i)
        png.append(char(crc >> (8 * i)));
    return png;
}

QByteArray PngBytes(int w, int h) {
    return PngOf(w, h);
}
} // namespace

TEST(RtfReaderTable, CellsWidthsBordersAndMerges) {
    QTextDocument doc;
    LoadRtf(
        doc,
        R"({\rtf1{\colortbl;\red255\green255\blue0;}Before\par)"
        R"(\trowd\trgaph108\trleft0\clbrdrt\brdrs\brdrw30\clbrdrb\brdrs\clcbpat1\clvertalc\cellx1440)"
        R"(\cellx4320\clvmgf\cellx5760\pard\intbl A\cell B\par B2\cell C\cell\row)"
        R"(\trowd\trgaph108\cellx720\cellx1440\cellx4320\clvmrg\cellx5760\pard\intbl d\cell e\cell f\cell\cell\row)"
        R"(\pard After\par})");
    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    // The union of the rows' cell edges makes four columns.
    EXPECT_EQ(table->columns(), 4);
    EXPECT_EQ(table->rows(), 2);
    const auto widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 4);
    EXPECT_EQ(widths[0].rawValue(), 48.0);
    EXPECT_EQ(widths[2].rawValue(), 192.0);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(table->cellAt(0, 3).rowSpan(), 2);
    const QTextTableCellFormat a = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(a.topBorder(), 2.0);
    EXPECT_EQ(a.topBorderStyle(), QTextFrameFormat::BorderStyle_Solid);
    EXPECT_EQ(a.bottomBorder(), 1.0); // a hairline at least one unit wide
    EXPECT_EQ(a.leftBorderStyle(), QTextFrameFormat::BorderStyle_None);
    EXPECT_EQ(a.background().color(), QColor(255, 255, 0));
    EXPECT_EQ(a.verticalAlignment(), QTextCharFormat::AlignMiddle);
    EXPECT_EQ(a.leftPadding(), 108 / 15.0);
    EXPECT_EQ(RtfDocumentPlainText(doc), "Before\nA\tB\nB2\tC\nd\te\tf\t\nAfter\n");
}

// A merge down a long table goes on in new cells of at most 64 rows; widths wider
// than a page are cut to the page.
TEST(RtfReaderTable, LongMergesAreCutAndTablesWiderThanThePaperFitTheText) {
    QByteArray rtf = R"({\rtf1\trowd\clvmgf\cellx99999\pard\intbl top\cell\row)";
    for (int r = 1; r < 150; ++r)
        rtf += R"(\trowd\clvmrg\cellx99999\pard\intbl\cell\row)";
    QTextDocument doc;
    LoadRtf(doc, rtf + "}");
    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 150);
    EXPECT_EQ(table->cellAt(0, 0).rowSpan(), 64);
    EXPECT_EQ(table->cellAt(64, 0).row(), 64);
    EXPECT_EQ(table->cellAt(64, 0).rowSpan(), 64);
    EXPECT_EQ(table->cellAt(149, 0).row(), 128);
    EXPECT_EQ(table->format().columnWidthConstraints().value(0).rawValue(), 9360 / 15.0);

    // Widths in large units of their own keep their proportions across the text.
    LoadRtf(doc, R"({\rtf1\paperw11906\margl1134\margr1134)"
                 R"(\trowd\cellx29564\cellx57203\cellx65532\pard\intbl a\cell b\cell c\cell\row})");
    table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    const double text = (11906 - 2 * 1134) / 15.0;
    EXPECT_NEAR(widths[0].rawValue(), text * 29564 / 65532, 0.5);
    EXPECT_NEAR(widths[0].rawValue() + widths[1].rawValue() + widths[2].rawValue(), text, 0.5);
}

TEST(RtfReaderTable, NestedTablesKeepTheirTextInOrder) {
    const QByteArray rtf =
        R"({\rtf1\trowd\cellx3000\cellx6000\pard\intbl Outer\cell\pard\intbl\itap2 n1\nestcell{\nonesttables\tab})"
        R"(n2\nestcell{\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par})"
        R"(\pard\intbl\itap2 n3\nestcell n4\nestcell{\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow})"
        R"({\nonesttables\par}\pard\intbl\itap1 tail\cell\row\pard End})";
    EXPECT_EQ(RtfToPlainText(rtf), "Outer\tn1\tn2\nn3\tn4\ntail\nEnd");
}

TEST(RtfReaderTable, RowsWithoutRowEndAndRaggedRowsAreKept) {
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\trowd\cellx1000\pard\intbl a\cell b\cell c})"), "a\tb\tc\n");
    EXPECT_EQ(
        RtfToPlainText(
            R"({\rtf1\pard\intbl x\cell\row\trowd\cellx100\cellx200\cellx300\intbl 1\cell 2\cell 3\cell\row})"),
        "x\n1\t2\t3\t\n");
}

TEST(RtfReaderPicture, PngJpegAndDibAreDecodedAndSized) {
    const QByteArray png = PngBytes(40, 20);
    QByteArray rtf = "{\\rtf1 {\\pict\\pngblip\\picw40\\pich20 " + png.toHex() +
                     "}{\\pict\\pngblip\\picwgoal1500\\pichgoal750\\picscalex50\\picscaley200 " +
                     png.toHex() + "}{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " +
                     png + "}}";
    QTextDocument doc;
    LoadRtf(doc, rtf);
    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 3);
    EXPECT_EQ(images[0].width(), 40.0);
    EXPECT_EQ(images[0].height(), 20.0);
    EXPECT_EQ(images[1].width(), 50.0); // 1500 twips = 100 units, at 50 %
    EXPECT_EQ(images[1].height(), 100.0);
    const QImage decoded =
        doc.resource(QTextDocument::ImageResource, QUrl(images[2].name())).value<QImage>();
    EXPECT_EQ(decoded.size(), QSize(40, 20));
    EXPECT_EQ(decoded.pixelColor(5, 5), QColor(Qt::red));

    // A packed DIB: BITMAPINFOHEADER and 24-bit pixels, rows padded to 4 bytes.
    QByteArray dib(40, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            dib[at + i] = char(v >> (8 * i));
    };
    put32(0, 40), put32(4, 2), put32(8, 2), dib[12] = 1, dib[14] = 24;
    dib += QByteArray::fromHex("0000ff00ff000000"
                               "ff000000ff000000")
               .left(16);
    QTextDocument dibDoc;
    LoadRtf(dibDoc, "{\\rtf1{\\pict\\dibitmap0\\picw2\\pich2 " + dib.toHex() + "}}");
    const auto dibImages = Images(dibDoc);
    ASSERT_EQ(dibImages.size(), 1);
    const QImage dibImage =
        dibDoc.resource(QTextDocument::ImageResource, QUrl(dibImages[0].name())).value<QImage>();
    EXPECT_EQ(dibImage.size(), QSize(2, 2));
}

TEST(RtfReaderPicture, MetafilesAndBadPicturesShowAsFramesOfTheirSize) {
    // 50 megapixels is the limit; this PNG header claims 10000 x 10000.
    const QByteArray huge = PngHeaderOnly(10000, 10000);
    const QByteArray rtf = "{\\rtf1{\\pict\\wmetafile8\\picw2540\\pich1270 0100}"
                           "{\\pict\\pngblip\\picwgoal1440\\pichgoal1440 " +
                           huge.toHex() +
                           "}"
                           "{\\pict\\jpegblip\\picw30\\pich10 ffd8ffe000}{\\pict\\emfblip}}";
    QTextDocument doc;
    LoadRtf(doc, rtf);
    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 4);
    // 2540 x 1270 hundredths of a millimetre: one inch by half an inch.
    EXPECT_NEAR(images[0].width(), 96.0, 0.01);
    EXPECT_NEAR(images[0].height(), 48.0, 0.01);
    EXPECT_EQ(images[1].width(), 96.0);
    EXPECT_EQ(images[2].width(), 30.0);
    // The metafile's bytes go along for writing it back.
    EXPECT_EQ(images[0].property(RtfProperty::PictureData).toByteArray(),
              QByteArray::fromHex("0100"));
    EXPECT_EQ(images[0].stringProperty(RtfProperty::PictureType), "wmetafile8");
    EXPECT_EQ(images[0].property(RtfProperty::PictureExtent).toSize(), QSize(2540, 1270));
    EXPECT_EQ(images[1].property(RtfProperty::PictureData).toByteArray(), huge);
    EXPECT_FALSE(images[3].hasProperty(RtfProperty::PictureData)); // no data at all
    for (const QTextImageFormat& f : images) {
        const QImage frame =
            doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        EXPECT_FALSE(frame.isNull());
        EXPECT_LE(frame.width(), 256);
    }
}

TEST(RtfReaderPicture, PicturesFromTheCorpusLoad) {
    QFile f(QStringLiteral(QB_TEST_DATA_DIR "/rtf/lo_pictures.rtf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    LoadRtf(doc, f.readAll());
    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 3);
    for (const QTextImageFormat& image : images)
        EXPECT_FALSE(doc.resource(QTextDocument::ImageResource, QUrl(image.name()))
                         .value<QImage>()
                         .isNull());
}

// Padding comes from the cell, else the row (unless its unit voids it), else half
// the gap; \clpadl is the top and \clpadt the left, as word processors read them.
// The table's edge stands the row's left padding before \trleft.
TEST(RtfReaderTable, PaddingShadingAndRowHeights) {
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1{\colortbl;\red0\green0\blue255;})"
                 R"(\trowd\trgaph108\trleft1440\trrh600\trpaddt30\trpaddft3\trpaddb45\trpaddfb0)"
                 R"(\clpadl90\clpadfl3\clpadt150\clpadft3\clshdng2500\clcfpat1\cellx3000)"
                 R"(\clbrdrt\brdrdb\brdrw15\cellx4000\pard\intbl a\cell b\cell\row})");
    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    const QTextTableCellFormat a = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(a.topPadding(), 90 / 15.0);
    EXPECT_EQ(a.leftPadding(), 150 / 15.0);
    EXPECT_EQ(a.bottomPadding(), 0.0);
    EXPECT_EQ(a.rightPadding(), 108 / 15.0);
    EXPECT_EQ(a.background().color(), QColor(191, 191, 255)); // a quarter blue on white
    const QTextTableCellFormat b = table->cellAt(0, 1).format().toTableCellFormat();
    EXPECT_EQ(b.topPadding(), 30 / 15.0);
    EXPECT_EQ(b.topBorderStyle(), QTextFrameFormat::BorderStyle_Double);
    EXPECT_EQ(b.topBorder(), 3.0);
    EXPECT_EQ(table->format().leftMargin(), (1440 - 108) / 15.0);
    EXPECT_EQ(table->format().property(RtfProperty::RowHeights).value<QList<int>>(),
              QList<int>{600});

    // The empty paragraph of a cell merged into the one before adds no line to it.
    LoadRtf(doc,
            R"({\rtf1\trowd\clmgf\cellx1000\clmrg\cellx2000\pard\intbl joined\cell\cell\row})");
    table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    const QTextTableCell joined = table->cellAt(0, 0);
    EXPECT_EQ(joined.firstCursorPosition().block(), joined.lastCursorPosition().block());
}

TEST(RtfReaderTable, TextBoxBecomesABorderedBoxBeforeItsAnchor) {
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1\pard Before\par\pard {\shp{\*\shpinst\shpleft0\shptop0\shpright4000)"
                 R"(\shpbottom1000{\sp{\sn fLine}{\sv 1}}{\shptxt \pard In the box\par}})"
                 R"({\shprslt fallback}}Anchor\par})");
    EXPECT_EQ(RtfDocumentPlainText(doc), "Before\nIn the box\nAnchor\n");
    QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    const QTextTableCellFormat box = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(box.leftBorderStyle(), QTextFrameFormat::BorderStyle_Solid);
    EXPECT_EQ(table->format().leftMargin(), 0.0);
    EXPECT_EQ(table->format().columnWidthConstraints().value(0).rawValue(), 4000 / 15.0);
    EXPECT_EQ(table->format().property(RtfProperty::RowHeights).value<QList<int>>(),
              QList<int>{1000});
}
