#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
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

// A line of 11-point text is 1.15 em high, not rounded up to 13 points: 57 lines
// on a page, where rounding left 56.
TEST_F(PrintSpacingTest, LinesAreAsHighAsTheFontSays) {
    Load(A4(Lines(120, "", 22)));
    EXPECT_EQ(PageOfLine(57), 1);
    EXPECT_EQ(PageOfLine(58), 2);
    EXPECT_EQ(PageOfLine(114), 2);
    EXPECT_EQ(PageOfLine(115), 3);
}

// The PDF text of a page holds its own lines only, not the hidden ones at its
// edges from the pages before and after.
TEST_F(PrintSpacingTest, APageDrawsOnlyItsOwnLines) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    Load(A4(Lines(120, "", 22)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("lines.pdf");
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
    auto text = [&](int page) {
        QProcess p;
        p.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    const QString first = text(1);
    const QString second = text(2);
    EXPECT_TRUE(first.contains("Line 57.")) << first.toStdString();
    EXPECT_FALSE(first.contains("Line 58."));
    EXPECT_TRUE(second.contains("Line 58."));
    EXPECT_FALSE(second.contains("Line 57."));
    EXPECT_FALSE(second.contains("Line 115."));
}
