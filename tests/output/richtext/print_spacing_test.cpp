#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The counts of lines on a page are LibreOffice's for the same RTF: an A4 page with
// 2 cm margins, Times New Roman (Liberation Serif).
namespace {
QByteArray A4(const QByteArray& body) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
           "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134 " +
           body + "}";
}

// `count` one-line paragraphs "Line N." with the paragraph format `format`.
QByteArray Lines(int count, const QByteArray& format, int size = 24) {
    QByteArray body;
    for (int i = 1; i <= count; ++i)
        body += "\\pard" + format + "\\fs" + QByteArray::number(size) + " Line " +
                QByteArray::number(i) + ".\\par ";
    return body;
}

class PrintSpacingTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        owned = std::make_unique<TRichTextControl>();
    }
    void Load(const QByteArray& rtf) {
        control().Clear();
        control().LoadRtf(rtf);
        control().SetPage(control().DocumentPage());
    }
    int PageOfLine(int n) const {
        return owned->PageOfPosition(owned->Find(QString("Line %1.").arg(n), 0));
    }
    TRichTextControl& control() { return *owned; }
    std::unique_ptr<TRichTextControl> owned;
};
} // namespace

// 6 points after a paragraph and 6 before the next make 12 between them, as 12
// after does: 28 paragraphs on the first page either way.
TEST_F(PrintSpacingTest, SpaceAfterAndSpaceBeforeAddUp) {
    for (const QByteArray& format : {QByteArray("\\sa240"), QByteArray("\\sb120\\sa120")}) {
        Load(A4("\\pard\\sa240\\fs24 Line 0.\\par " + Lines(79, format)));
        EXPECT_EQ(PageOfLine(27), 1) << format.data();
        EXPECT_EQ(PageOfLine(28), 2) << format.data();
    }
}

// The space after a paragraph a table follows, and before one that follows a table,
// stays: 150 points of it with each of six lines leaves four lines to a page.
TEST_F(PrintSpacingTest, SpaceBesideATableStays) {
    const QByteArray row = "\\trowd\\cellx3000\\pard\\intbl Cell\\cell\\row ";
    QByteArray after, before;
    for (int i = 1; i <= 6; ++i) {
        const QByteArray line = "Line " + QByteArray::number(i) + ".\\par ";
        after += "\\pard\\sa3000 " + line + row;
        before += row + "\\pard\\sb3000 " + line;
    }
    for (const QByteArray& body : {after, before}) {
        Load(A4(body));
        EXPECT_EQ(PageOfLine(4), 1);
        EXPECT_EQ(PageOfLine(5), 2);
    }
}

// A line of 11-point text is 1.15 em high, not rounded up to 13 points: 57 lines
// on a page, where rounding left 56; an at-least height below that changes nothing.
TEST_F(PrintSpacingTest, LinesAreAsHighAsTheFontSays) {
    for (const char* format : {"", "\\sl100\\slmult0"}) {
        Load(A4(Lines(120, format, 22)));
        EXPECT_EQ(PageOfLine(57), 1) << format;
        EXPECT_EQ(PageOfLine(58), 2) << format;
        EXPECT_EQ(PageOfLine(114), 2) << format;
        EXPECT_EQ(PageOfLine(115), 3) << format;
    }
}

// 51 lines, then a paragraph of which one line fits on the first page: with widow
// and orphan control (the paragraph's own, or the document's unless the paragraph
// turns it off) the whole paragraph starts the next page.
TEST_F(PrintSpacingTest, WidowAndOrphanControl) {
    QByteArray paragraph = " Para0";
    for (int i = 1; i < 30; ++i)
        paragraph += " runs on across the width of the page, Para" + QByteArray::number(i);
    const struct {
        const char* document;
        const char* paragraph;
        int page;
    } cases[] = {{"", "", 1},
                 {"", "\\widctlpar", 2},
                 {"\\widowctrl", "", 2},
                 {"\\widowctrl", "\\nowidctlpar", 1}};
    for (const auto& c : cases) {
        Load(A4(QByteArray(c.document) + Lines(51, "") + "\\pard" + c.paragraph + "\\fs24" +
                paragraph + ".\\par "));
        EXPECT_EQ(owned->PageOfPosition(owned->Find("Para0", 0)), c.page)
            << c.document << c.paragraph;
        EXPECT_EQ(owned->PageOfPosition(owned->Find("Para29.", 0)), 2);
    }
}

// The space before a paragraph shows at the top of the first page and of a page
// it starts by a page break: 24 points push its text 24 points down.
TEST_F(PrintSpacingTest, SpaceBeforeShowsAtTheTopOfTheDocumentAndAfterAPageBreak) {
    auto firstInk = [&](int page) {
        QImage image(595, 842, QImage::Format_RGB32); // A4 at 72 dpi: a pixel a point
        image.fill(Qt::white);
        QPainter painter(&image);
        control().PrintPage(painter, page, QRectF(image.rect()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) return y;
        return -1;
    };
    Load(A4("\\pard\\fs24 Top.\\par\\pard\\pagebb\\fs24 Broken.\\par "));
    const int plain[] = {firstInk(1), firstInk(2)};
    Load(A4("\\pard\\sb480\\fs24 Top.\\par\\pard\\pagebb\\sb480\\fs24 Broken.\\par "));
    EXPECT_NEAR(firstInk(1) - plain[0], 24, 1);
    EXPECT_NEAR(firstInk(2) - plain[1], 24, 1);
}

// The PDF text of a page holds its own lines only, not the hidden ones at its
// edges from the pages before and after, between paragraphs or inside one.
TEST_F(PrintSpacingTest, APageDrawsOnlyItsOwnLines) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("lines.pdf");
    auto pages = [&] {
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(QPageSize(control().PageSizeInches(), QPageSize::Inch, QString(),
                                         QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            for (int page = 1; page <= 2; ++page) {
                if (page > 1) writer.newPage();
                control().PrintPage(painter, page, QRectF(0, 0, writer.width(), writer.height()));
            }
        }
        QStringList texts;
        for (const char* page : {"1", "2"}) {
            QProcess p;
            p.start("pdftotext", {"-layout", "-f", page, "-l", page, pdf, "-"});
            p.waitForFinished();
            texts << QString::fromUtf8(p.readAllStandardOutput());
        }
        return texts;
    };
    Load(A4(Lines(120, "", 22)));
    QStringList text = pages();
    EXPECT_TRUE(text[0].contains("Line 57.")) << text[0].toStdString();
    EXPECT_FALSE(text[0].contains("Line 58."));
    EXPECT_TRUE(text[1].contains("Line 58."));
    EXPECT_FALSE(text[1].contains("Line 57."));
    EXPECT_FALSE(text[1].contains("Line 115."));

    QByteArray paragraph = " Para0";
    for (int i = 1; i < 30; ++i)
        paragraph += " runs on across the width of the page, Para" + QByteArray::number(i);
    Load(A4(Lines(51, "") + "\\pard\\fs24" + paragraph + ".\\par "));
    text = pages();
    EXPECT_TRUE(text[0].contains("Para0"));
    EXPECT_FALSE(text[1].contains("Para0")) << text[1].toStdString();
    EXPECT_TRUE(text[1].contains("Para29"));

    // The page's first paragraph shows its first line; a mark at a right stop exactly
    // at the margin stays on its line.
    Load(A4("\\pard\\fs24" + paragraph + ".\\par "));
    text = pages();
    EXPECT_TRUE(text[0].contains("Para0")) << text[0].toStdString();
    Load(A4("\\pard\\li1134\\tqr\\tx9638\\fs24 Line 1.\\par "
            "\\pard\\li1134\\tldot\\tqr\\tx9638\\fs24 power =\\tab W\\par "));
    text = pages();
    EXPECT_TRUE(text[0].contains(QRegularExpression("power =[ .]*W"))) << text[0].toStdString();
}
