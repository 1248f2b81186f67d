#include "output/richtext/page_layout.h"
#include "output/richtext/section_columns.h"
#include "output/rtf/rtf_reader.h"

#include "test_application.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {
// `count` lines of 10 units, one under the other from `top`.
std::vector<TFlowUnit> Lines(int count, double top = 0) {
    std::vector<TFlowUnit> units;
    for (int i = 0; i < count; ++i)
        units.push_back({top + 10 * i, top + 10 * i + 10});
    return units;
}

TSectionFlow Section(TRtfSectionBreak start, int columns, double top) {
    TSectionFlow s;
    s.start = start;
    s.top = top;
    for (int c = 0; c < columns; ++c)
        s.columns.push_back({c * 120.0, columns == 1 ? 240.0 : 100.0});
    return s;
}

struct TPlaced {
    double top, bottom, x, y;
    bool operator==(const TPlaced&) const = default;
};

std::vector<TPlaced> Placed(const TColumnPage& page) {
    std::vector<TPlaced> placed;
    for (const TColumnSlice& s : page.slices)
        placed.push_back({s.top, s.bottom, s.x, s.y});
    return placed;
}
} // namespace

TEST(SectionColumns, ColumnsFillToTheFootThenTheNextColumnThenTheNextPage) {
    const auto pages =
        FlowUnitsIntoColumns(Lines(25), {Section(TRtfSectionBreak::Page, 2, 0)}, {}, 100);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Placed(pages[0]), (std::vector<TPlaced>{{0, 100, 0, 0}, {100, 200, 120, 0}}));
    // The section's last page is not balanced when nothing follows it.
    EXPECT_EQ(Placed(pages[1]), (std::vector<TPlaced>{{200, 250, 0, 0}}));
}

// A note marked in the first column prints across the page's foot: both columns of
// that page stop above it and its rule; the next page has all its room.
TEST(SectionColumns, ANoteTakesItsRoomFromEveryColumnOfItsPage) {
    auto units = Lines(40);
    units[1].noteRoom = 25;
    const auto pages =
        FlowUnitsIntoColumns(units, {Section(TRtfSectionBreak::Page, 2, 0)}, {}, 100, 10);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(Placed(pages[0]), (std::vector<TPlaced>{{0, 60, 0, 0}, {60, 120, 120, 0}}));
    EXPECT_EQ(Placed(pages[1]), (std::vector<TPlaced>{{120, 220, 0, 0}, {220, 320, 120, 0}}));
}

TEST(SectionColumns, AContinuousSectionAfterColumnsBalancesThemAndStartsBelowTheTallest) {
    // A heading of two lines, ten lines in two columns, two lines in one column.
    auto units = Lines(14);
    const std::vector<TSectionFlow> sections = {Section(TRtfSectionBreak::Page, 1, 0),
                                                Section(TRtfSectionBreak::None, 2, 20),
                                                Section(TRtfSectionBreak::None, 1, 120)};
    auto pages = FlowUnitsIntoColumns(units, sections, {}, 1000);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Placed(pages[0]),
              (std::vector<TPlaced>{
                  {0, 20, 0, 0}, {20, 70, 0, 20}, {70, 120, 120, 20}, {120, 140, 0, 70}}));
    // Lines 5 to 7 kept together cannot be split, so the first column takes them all.
    units[6].keepWithPrevious = units[7].keepWithPrevious = true;
    pages = FlowUnitsIntoColumns(units, sections, {}, 1000);
    EXPECT_EQ(Placed(pages[0]),
              (std::vector<TPlaced>{
                  {0, 20, 0, 0}, {20, 80, 0, 20}, {80, 120, 120, 20}, {120, 140, 0, 80}}));
}

TEST(SectionColumns, ColumnAndPageBreaksAndKeptRunsMoveOnInColumns) {
    auto units = Lines(12);
    units[9].keepWithPrevious = true; // lines 8 and 9 stay together
    units[10].breakBefore = true;
    const auto pages =
        FlowUnitsIntoColumns(units, {Section(TRtfSectionBreak::Page, 2, 0)}, {30}, 60);
    // A column break after line 2; lines 8 and 9 would cross the foot of the second
    // column, so they start the next page, and the page break after them another.
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(Placed(pages[0]), (std::vector<TPlaced>{{0, 30, 0, 0}, {30, 80, 120, 0}}));
    EXPECT_EQ(Placed(pages[1]), (std::vector<TPlaced>{{80, 100, 0, 0}}));
    EXPECT_EQ(Placed(pages[2]), (std::vector<TPlaced>{{100, 120, 0, 0}}));

    // A section that starts with a column break goes on in the next column.
    const auto next = FlowUnitsIntoColumns(
        Lines(4), {Section(TRtfSectionBreak::Page, 2, 0), Section(TRtfSectionBreak::Column, 2, 20)},
        {}, 60);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(Placed(next[0]), (std::vector<TPlaced>{{0, 20, 0, 0}, {20, 40, 120, 0}}));
}

namespace {
// The first page of the RTF text on the system's page, at 72 dots per inch.
QImage FirstPage(const QByteArray& rtf) {
    QTextDocument doc;
    LoadRtf(doc, rtf);
    const TRtfPage page;
    TPageLayout layout(doc, page);
    QImage image(page.width / 20, page.height / 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    layout.DrawPage(painter, 1, QRectF(image.rect()), TRtfFooter{});
    return image;
}

// Rows of the image with ink between x = left and right.
std::vector<int> InkRows(const QImage& image, int left, int right) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                rows.push_back(y);
                break;
            }
    return rows;
}
} // namespace

// The typical paper: a heading in one column, questions in two, then one column.
TEST(SectionColumns, AMultipleChoiceSectionPrintsInTwoBalancedColumnsBetweenOneColumnText) {
    EnsureApplication();
    QByteArray rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}}
\pard\qc Physics test\sect\sectd\sbknone\cols2\colsx708
)";
    for (int i = 1; i <= 9; ++i)
        rtf += QByteArray(R"(\pard\keepn Question )") + QByteArray::number(i) +
               R"(: which of these is the value of the quantity?\par\pard A answer\par)"
               R"(\pard B answer\par)";
    rtf += R"(\sect\sectd\sbknone\pard The long question after the multiple-choice questions,
long enough to run across the whole width of the page and onto a second line.\par})";
    const QImage image = FirstPage(rtf);
    // The body runs from x = 72 to 522; the columns leave 35 points between them.
    const std::vector<int> left = InkRows(image, 72, 270);
    const std::vector<int> right = InkRows(image, 330, 522);
    const std::vector<int> gap = InkRows(image, 287, 307);
    ASSERT_FALSE(right.empty());
    ASSERT_FALSE(gap.empty());
    EXPECT_LT(gap.front(), right.front()); // the heading, above the columns
    // The text after the columns is the first below them to cross the gap.
    const auto after = std::upper_bound(gap.begin(), gap.end(), right.front());
    ASSERT_NE(after, gap.end());
    const auto footOf = [&](const std::vector<int>& rows) {
        return *std::prev(std::lower_bound(rows.begin(), rows.end(), *after));
    };
    const int leftFoot = footOf(left);
    const int rightFoot = footOf(right);
    ASSERT_GT(rightFoot, right.front() + 100); // the second column holds questions
    // Nine questions of four lines, the first wrapping in its column: eighteen lines
    // in each column, their feet a line apart at most; the text goes on below them.
    EXPECT_LE(std::abs(leftFoot - rightFoot), 16);
    EXPECT_LT(*after - std::max(leftFoot, rightFoot), 32);
}

TEST(SectionColumns, ColumnsOfTheirOwnWidthsWrapEachParagraphAtItsColumnsWidth) {
    EnsureApplication();
    // 150 and 295 points with 20 between, a little more than the body's 450: the
    // columns shrink to 145 and 285 from x = 72 and 237.
    const QByteArray text = "A paragraph long enough to wrap several times in either column, "
                            "whose lines show how wide the column is.";
    const QImage image =
        FirstPage(R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}}\sectd\cols2\colno1\colsr400)"
                  R"(\colw3000\colno2\colsr0\colw5900\pard )" +
                  text + R"(\par\pard\column )" + text + "\\par}");
    EXPECT_TRUE(InkRows(image, 219, 235).empty()); // the narrow column keeps to itself
    EXPECT_FALSE(InkRows(image, 237, 300).empty());
    EXPECT_FALSE(InkRows(image, 400, 522).empty()); // the wide one fills its width
}

namespace {
// A device that keeps the text drawn on it, as a PDF keeps it, clipped or not.
class TTextRecorder : public QPaintEngine {
public:
    TTextRecorder() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { text += item.text(); }
    Type type() const override { return User; }
    QString text;
};

class TTextDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TTextRecorder engine;

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 594;
        case PdmHeight:
            return 842;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDepth:
            return 32;
        default:
            return 1;
        }
    }
};

QString TextDrawnOnPage(const QByteArray& rtf, int page) {
    QTextDocument doc;
    LoadRtf(doc, rtf);
    TPageLayout layout(doc, TRtfPage{});
    TTextDevice device;
    QPainter painter(&device);
    layout.DrawPage(painter, page, QRectF(0, 0, 594, 842), TRtfFooter{});
    return device.engine.text;
}
} // namespace

// The lines next to a page's edge, hidden by its clip, must not be drawn at all: a
// PDF keeps their text, and searching or copying finds it on the wrong page.
TEST(SectionColumns, APageDrawsOnlyItsOwnLines) {
    EnsureApplication();
    const QByteArray head = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Times New Roman;}})";
    const QByteArray pageBreak = head + R"(\pard One\par\pard Two\page\pard Three\par})";
    EXPECT_EQ(TextDrawnOnPage(pageBreak, 1), "OneTwo");
    EXPECT_EQ(TextDrawnOnPage(pageBreak, 2), "Three");
    const QByteArray sections =
        head + R"(\sectd\cols2\pard One\par\pard Two\sect\sectd\sbkpage\pard Three\par})";
    EXPECT_EQ(TextDrawnOnPage(sections, 1), "OneTwo");
    EXPECT_EQ(TextDrawnOnPage(sections, 2), "Three");
}
