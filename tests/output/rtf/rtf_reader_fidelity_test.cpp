#include "output/rtf/rtf_read_builder.h"
#include "output/rtf/rtf_reader.h"

#include "rtf_writer_test_util.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <vector>

namespace {
// A 3 x 2 PNG, hex-coded as a \pict holds it.
QByteArray PngHex() {
    return PngOf(3, 2).toHex();
}

std::vector<QTextImageFormat> Images(const QTextDocument& doc) {
    std::vector<QTextImageFormat> images;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
    return images;
}

QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text) {
    QTextCursor c = doc.find(text);
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}
} // namespace

// The two forms word processors write pictures in: a \shppict with its
// \nonshppict fallback, and a shape whose "pib" property holds the picture.
// Both show the PNG once, at its goal size, with the property names inside the
// picture group not taken for picture data.
TEST(RtfReaderFidelity, PicturesInShapeForms) {
    const QByteArray pict = R"({\pict{\*\picprop{\sp{\sn shapeType}{\sv 75}}}\picw3\pich2)"
                            R"(\picwgoal1440\pichgoal720\pngblip )" +
                            PngHex() + "}";
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1 A{\*\shppict)" + pict +
                     R"(}{\nonshppict{\pict\wmetafile8 0102}}B)"
                     R"({\shp{\*\shpinst{\sp{\sn shapeType}{\sv 75}}{\sp{\sn pib}{\sv )" +
                     pict + R"(}}}{\shprslt{\pict\wmetafile8 0102}}}C\par})");
    const auto images = Images(doc);
    ASSERT_EQ(images.size(), 2u);
    for (const QTextImageFormat& image : images) {
        EXPECT_FALSE(image.name().contains("frame")) << image.name().toStdString();
        EXPECT_DOUBLE_EQ(image.width(), TFormatUnits(TTwips(1440)).Value());
        EXPECT_DOUBLE_EQ(image.height(), TFormatUnits(TTwips(720)).Value());
    }
    EXPECT_EQ(doc.toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed(), "ABC");
}

// A character style changes only what it sets, and styles inherit along
// \sbasedon: an italic character style in 14-point text stays 14-point, and a
// heading based on a 10-point normal style is 10-point and bold.
TEST(RtfReaderFidelity, StylesApplyWhatTheySetAndInherit) {
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1{\stylesheet{\ql\fs20\sa120 Normal;}{\s1\sbasedon0\b\qc Heading;})"
                 R"({\*\cs10\i Emphasis;}{\*\cs11\sbasedon10\ul Strong emphasis;}})"
                 R"(\pard\plain\s1 Title\par\pard\plain\fs28 big {\cs11 stressed}\par})");
    const QTextCharFormat title = FormatOf(doc, "Title");
    EXPECT_EQ(title.fontPointSize(), 10.0);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    const QTextBlockFormat block = doc.find("Title").block().blockFormat();
    EXPECT_EQ(block.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_GT(block.bottomMargin(), 0.0);
    const QTextCharFormat stressed = FormatOf(doc, "stressed");
    EXPECT_EQ(stressed.fontPointSize(), 14.0);
    EXPECT_TRUE(stressed.fontItalic());
    EXPECT_TRUE(stressed.fontUnderline());
}

// The file's paper and margins, the first section's own values over the
// document's; a file naming none is on US Letter with one-inch margins.
TEST(RtfReaderFidelity, PaperAndMarginsOfTheFile) {
    QTextDocument doc;
    const TRtfPage letter = LoadRtf(doc, R"({\rtf1 text})").documentPage;
    EXPECT_EQ(letter.width, 12240);
    EXPECT_EQ(letter.height, 15840);
    EXPECT_EQ(letter.marginLeft, 1440);
    const TRtfPage page =
        LoadRtf(doc, R"({\rtf1\paperw11906\paperh16838\margl1134\margr1134\margt851)"
                     R"(\sectd\pgwsxn16838\pghsxn11906\marglsxn1701 A\sect\sectd\marglsxn100 B})")
            .documentPage;
    EXPECT_EQ(page.width, 16838);
    EXPECT_EQ(page.height, 11906);
    EXPECT_EQ(page.marginLeft, 1701);
    EXPECT_EQ(page.marginRight, 1134);
    EXPECT_EQ(page.marginTop, 851);
}
