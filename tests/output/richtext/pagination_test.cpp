#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_types.h"

#include "test_application.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {
const QString kLine = "A line of ordinary question text.";
const QString kLongParagraph =
    "The paragraph that must not be split over two pages, long enough to wrap over "
    "several lines of the page: a car of mass 1200 kg accelerates uniformly from rest "
    "to 30 m/s in 12 s; the driver's reaction time is 0.7 s and the road is wet, so "
    "the stopping distance grows. Calculate the acceleration and the braking force, "
    "then explain why the distance grows with the square of the speed.";

class PaginationTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        control = std::make_unique<TRichTextControl>();
    }
    // `lines` one-line paragraphs, then the long paragraph; returns its start.
    int Fill(int lines) {
        control->Clear();
        QString text;
        for (int i = 0; i < lines; ++i)
            text += kLine + '\n';
        control->SetSelText(text + kLongParagraph);
        return control->Find("The paragraph", 0);
    }
    // The smallest filler for which the long paragraph starts on page 1 and ends on
    // page 2, found by trying, so that the test holds whatever the font's metrics.
    int StraddlingFiller() {
        for (int lines = 20; lines < 120; ++lines) {
            const int start = Fill(lines);
            if (control->PageOfPosition(start) == 1 &&
                control->PageOfPosition(control->EndPosition()) == 2)
                return lines;
        }
        return -1;
    }
    std::unique_ptr<TRichTextControl> control;
};

// Ink (non-white pixels) in rows [top, bottom) and columns [left, right) of an image.
int Ink(const QImage& image, int top, int bottom, int left = 0, int right = -1) {
    if (right < 0) right = image.width();
    int ink = 0;
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(0, left); x < std::min(right, image.width()); ++x)
            if (qGray(image.pixel(x, y)) < 160) ++ink;
    return ink;
}

QImage PageImage(const TRichTextControl& control, int page, double dpi) {
    const QSizeF inches = control.PageSizeInches();
    QImage image(int(inches.width() * dpi + 0.5), int(inches.height() * dpi + 0.5),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    control.PrintPage(painter, page, QRectF(image.rect()));
    return image;
}
} // namespace

// Paragraphs of exactly 20 points: a page's body of 9.7 inches (698.4 points) holds
// 34 of them, whatever the font: each line takes its whole height, the space above
// its text included, on every page.
QByteArray ExactLines(int count) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < count; ++i)
        rtf += "\\pard\\sl-400 line " + QByteArray::number(i) + ".\\par ";
    return rtf + "}";
}
int PageOfLine(int line, int onFirstPage = 34) {
    return line < onFirstPage ? 1 : 2 + (line - onFirstPage) / 34;
}

TEST_F(PaginationTest, PageCountAndThePageOfEachParagraph) {
    EXPECT_EQ(control->PageCount(), 1);
    for (const int lines : {33, 34, 240}) {
        control->Clear();
        control->LoadRtf(ExactLines(lines));
        for (int i = 0; i < lines; ++i)
            EXPECT_EQ(control->PageOfPosition(control->Find(QString("line %1.").arg(i), 0)),
                      PageOfLine(i))
                << i << " of " << lines;
        // The empty paragraph after the last paragraph mark is not printed.
        EXPECT_EQ(control->PageCount(), PageOfLine(lines - 1)) << lines;
    }
    EXPECT_EQ(control->PageOfPosition(-5), 1);
    EXPECT_EQ(control->PageOfPosition(control->EndPosition() + 5), control->PageCount());
}

TEST_F(PaginationTest, PageBreaksStartNewPages) {
    control->SetSelText("first\nsecond");
    EXPECT_EQ(control->PageCount(), 1);
    control->SetPageBreakBefore(control->Find("second", 0));
    EXPECT_EQ(control->PageCount(), 2);
    EXPECT_EQ(control->PageOfPosition(control->Find("second", 0)), 2);
    control->SetPageBreakBefore(control->Find("second", 0), false);
    EXPECT_EQ(control->PageCount(), 1);

    // A form feed typed into the text and \page in RTF do the same.
    control->SetSelStart(0);
    control->SetSelText("\f\n");
    EXPECT_EQ(control->PageCount(), 2);
    EXPECT_EQ(control->PageOfPosition(control->Find("first", 0)), 2);

    control->Clear();
    control->LoadRtf("{\\rtf1\\ansi one\\par\\page two\\par\\page three\\par}");
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->PageOfPosition(control->Find("three", 0)), 3);
    control->SetSelStart(control->Find("two", 0));
    EXPECT_EQ(control->InputPage(), 2);
}

TEST_F(PaginationTest, KeptParagraphMovesToTheNextPage) {
    const int filler = StraddlingFiller();
    ASSERT_GT(filler, 0);
    const int start = Fill(filler);
    control->SetSelStart(start);
    QTextCursor cursor(&control->Document());
    cursor.setPosition(start);
    QTextBlockFormat keep;
    keep.setProperty(RtfProperty::KeepTogether, true);
    cursor.mergeBlockFormat(keep);
    EXPECT_EQ(control->PageOfPosition(start), 2);
    EXPECT_EQ(control->PageOfPosition(start - 1), 1);
    EXPECT_EQ(control->PageCount(), 2);
}

TEST_F(PaginationTest, KeepOnOnePageMovesAWholeEntry) {
    const int filler = StraddlingFiller();
    ASSERT_GT(filler, 0);
    // The entry: the last two filler lines and the long paragraph.
    const int start = Fill(filler);
    const int entry = start - 2 * (kLine.size() + 1);
    control->KeepOnOnePage(entry, control->EndPosition());
    EXPECT_EQ(control->PageOfPosition(entry), 2);
    EXPECT_EQ(control->PageOfPosition(entry - 1), 1);
    EXPECT_EQ(control->PageOfPosition(control->EndPosition()), 2);
    // The last paragraph is not tied to what follows.
    const QTextBlock last = control->Document().lastBlock();
    EXPECT_TRUE(last.blockFormat().boolProperty(RtfProperty::KeepTogether));
    EXPECT_FALSE(last.blockFormat().boolProperty(RtfProperty::KeepWithNext));
}

TEST_F(PaginationTest, AnEntryLongerThanAPageStartsAFreshPageAndRunsOn) {
    control->SetSelText("Title line\n");
    const int entry = control->EndPosition();
    control->SetSelStart(-1);
    control->LoadRtf(ExactLines(150));
    control->KeepOnOnePage(entry, control->EndPosition());
    EXPECT_EQ(control->PageOfPosition(0), 1);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(control->PageOfPosition(control->Find(QString("line %1.").arg(i), 0)),
                  PageOfLine(i, 0))
            << i;
    EXPECT_EQ(control->PageCount(), PageOfLine(150, 0));
}

// A line of 1638-point type is between two and three pages high: it runs over pages
// 2 to 4, and what follows goes on under it.
TEST_F(PaginationTest, ALineTallerThanAPageRunsOverPages) {
    control->LoadRtf("{\\rtf1\\ansi before\\par\\fs3276 W\\par\\fs24 after\\par}");
    EXPECT_EQ(control->PageOfPosition(control->Find("before", 0)), 1);
    EXPECT_EQ(control->PageOfPosition(control->Find("W", 0)), 2);
    EXPECT_EQ(control->PageOfPosition(control->Find("after", 0)), 4);
    EXPECT_EQ(control->PageCount(), 4);
}

TEST_F(PaginationTest, TableRowsAreNotSplit) {
    QTextCursor cursor(&control->Document());
    cursor.insertText("Table:");
    QTextTable* table = cursor.insertTable(90, 2);
    for (int r = 0; r < 90; ++r) {
        table->cellAt(r, 0).firstCursorPosition().insertText(QString("row %1").arg(r));
        table->cellAt(r, 1).firstCursorPosition().insertText(
            r % 7 == 0 ? "a cell long enough to need a second line in its narrow column" : "short");
    }
    ASSERT_GE(control->PageCount(), 2);
    int pagesSeen = 0;
    for (int r = 0; r < 90; ++r) {
        const int top = control->PageOfPosition(table->cellAt(r, 0).firstPosition());
        EXPECT_EQ(control->PageOfPosition(table->cellAt(r, 1).lastPosition()), top) << r;
        pagesSeen = std::max(pagesSeen, top);
    }
    EXPECT_EQ(pagesSeen, control->PageCount());
}

// Rows the file makes taller than their text (\trrh, and a text box's height)
// take that room on the page.
TEST_F(PaginationTest, RowHeightsFromTheFileTakeTheirRoom) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int r = 0; r < 6; ++r)
        rtf += "\\trowd\\trrh3600\\cellx3000\\pard\\intbl row\\cell\\row";
    control->LoadRtf(rtf + "\\pard End\\par}");
    EXPECT_EQ(control->PageCount(), 2); // 2.5 inches a row, 3 rows a page
    const QByteArray box = "{\\shp{\\*\\shpinst\\shpright2000\\shpbottom8640{\\shptxt box}}}";
    control->Clear();
    control->LoadRtf("{\\rtf1\\ansi " + box + "one\\par " + box + "two\\par}"); // 6 inches each
    EXPECT_EQ(control->PageCount(), 2);
}

TEST_F(PaginationTest, ATableStartingThePageKeepsItsTopLine) {
    control->LoadRtf("{\\rtf1\\ansi\\trowd\\clbrdrt\\brdrs\\brdrw10\\cellx3000"
                     "\\pard\\intbl cell\\cell\\row}");
    constexpr int dpi = 144;
    const QImage page = PageImage(*control, 1, dpi);
    // The hairline lies just above the top margin's edge.
    EXPECT_GT(Ink(page, dpi - 3, dpi), 0);
}

TEST_F(PaginationTest, PrintPageDrawsBodyAndFooter) {
    control->SetStandardFooter("Northfield School");
    QString text;
    for (int i = 0; i < 80; ++i)
        text += kLine + '\n';
    control->SetSelText(text);
    ASSERT_EQ(control->PageCount(), 2);

    constexpr double dpi = 60;
    const QImage page1 = PageImage(*control, 1, dpi);
    const int inch = int(dpi);
    const int height = page1.height();
    // Nothing in the top margin, text in the body, the footer between 0.5 and
    // 0.8 inch above the bottom edge: the name at the left, the number at the right.
    EXPECT_EQ(Ink(page1, 0, inch * 9 / 10), 0);
    EXPECT_GT(Ink(page1, inch, inch * 2), 0);
    const int footerTop = height - inch * 8 / 10;
    const int footerBottom = height - inch / 2 + 1;
    EXPECT_GT(Ink(page1, footerTop, footerBottom, 0, page1.width() / 2), 0);
    EXPECT_GT(Ink(page1, footerTop, footerBottom, page1.width() * 3 / 4), 0);
    EXPECT_EQ(Ink(page1, footerBottom, height), 0);
    // Between the body's last line and the footer lies blank margin.
    EXPECT_EQ(Ink(page1, height - inch * 9 / 10, footerTop - 1), 0);

    // The second page carries the rest of the text; a page past the end draws nothing.
    EXPECT_GT(Ink(PageImage(*control, 2, dpi), inch, inch * 2), 0);
    EXPECT_EQ(Ink(PageImage(*control, 3, dpi), 0, height), 0);

    // Without a footer the band stays empty.
    control->RemoveFooter();
    EXPECT_EQ(Ink(PageImage(*control, 1, dpi), footerTop, height), 0);
}

TEST_F(PaginationTest, IndentsPrintAsWideAsTheyAre) {
    control->LoadRtf("{\\rtf1\\ansi\\pard\\li1440 MMM indented one inch\\par}");
    constexpr int dpi = 60;
    const QImage page = PageImage(*control, 1, dpi);
    // The left margin is an inch, the indent another: the text starts two inches in.
    EXPECT_EQ(Ink(page, 0, page.height(), dpi + 2, 2 * dpi - 2), 0);
    EXPECT_GT(Ink(page, 0, page.height(), 2 * dpi, 2 * dpi + 5), 0);
}

TEST_F(PaginationTest, ABorderedParagraphIsBoxedOnItsPage) {
    control->LoadRtf("{\\rtf1\\ansi one\\par\\page\\pard\\ATXbrdr60 Title\\par\\pard after\\par}");
    ASSERT_EQ(control->PageCount(), 2);
    constexpr int dpi = 60;
    // The box's left side stands a little left of the text's margin.
    const auto leftOfText = [&](int page) {
        const QImage image = PageImage(*control, page, dpi);
        return Ink(image, 0, image.height(), dpi - 5, dpi - 1);
    };
    EXPECT_EQ(leftOfText(1), 0);
    EXPECT_GT(leftOfText(2), 0);
}

TEST_F(PaginationTest, PagesPrintToPdf) {
    control->LoadRtf("{\\rtf1\\ansi page one\\par\\page page two\\par}");
    control->SetStandardFooter("Org");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(control->PageSizeInches(), QPageSize::Inch, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        for (int page = 1; page <= control->PageCount(); ++page) {
            if (page > 1) pdf.newPage();
            control->PrintPage(painter, page, QRectF(0, 0, pdf.width(), pdf.height()));
        }
    }
    const QByteArray bytes = buffer.data();
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              2)
        << "page objects in the PDF";
}
