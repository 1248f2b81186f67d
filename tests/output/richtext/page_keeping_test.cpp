#include "output/richtext/page_flow.h"
#include "output/richtext/page_keeping.h"
#include "output/richtext/position_text.h"
#include "output/rtf/rtf_types.h"

#include "test_application.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {
QTextBlock Block(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text() == text) return b;
    ADD_FAILURE() << "no paragraph " << text.toStdString();
    return {};
}

bool KeptWithNext(const QTextDocument& doc, const QString& text) {
    return Block(doc, text).blockFormat().boolProperty(RtfProperty::KeepWithNext);
}
} // namespace

TEST(PageKeeping, EachMarkedTextIsKeptTogetherAndTheMarksGo) {
    EnsureApplication();
    QTextDocument doc;
    QTextCursor(&doc).insertText("Q1a\nQ1b\n-\nQ2\n-\nQ3 without mark\nQ4\n-");
    EXPECT_EQ(KeepMarkedTextsOnOnePage(doc), 3);
    EXPECT_EQ(DocumentPositionText(doc), "Q1a\nQ1b\nQ2\nQ3 without mark\nQ4");
    EXPECT_TRUE(KeptWithNext(doc, "Q1a"));
    EXPECT_FALSE(KeptWithNext(doc, "Q1b"));
    EXPECT_FALSE(KeptWithNext(doc, "Q2"));
    // A text without an end mark goes with the one after it.
    EXPECT_TRUE(KeptWithNext(doc, "Q3 without mark"));
    EXPECT_FALSE(KeptWithNext(doc, "Q4"));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        EXPECT_TRUE(b.blockFormat().boolProperty(RtfProperty::KeepTogether))
            << b.text().toStdString();
}

// A text that ends in a table keeps its rows together but does not tie its last row
// to the next text.
TEST(PageKeeping, ATextEndingInATableIsNotTiedToTheNext) {
    EnsureApplication();
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText("Question");
    QTextTable* table = cursor.insertTable(3, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText("cell");
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("-\nNext question\n-");
    KeepMarkedTextsOnOnePage(doc);
    ASSERT_EQ(DocumentPositionText(doc).count("Next question"), 1);

    doc.setTextWidth(600);
    const std::vector<TFlowUnit> units = CollectFlowUnits(doc, 1.0);
    // The paragraph, three rows, the next question.
    ASSERT_EQ(units.size(), 5u);
    EXPECT_TRUE(units[1].keepWithPrevious);
    EXPECT_TRUE(units[2].keepWithPrevious);
    EXPECT_TRUE(units[3].keepWithPrevious);
    EXPECT_FALSE(units[4].keepWithPrevious);
}

TEST(PageFlow, BreakingHonoursHardBreaksKeepsAndOversizedUnits) {
    auto unit = [](double top, double bottom, bool hard = false, bool keep = false) {
        return TFlowUnit{top, bottom, hard, keep};
    };
    // Lines of 10 on pages of 35: three lines a page.
    std::vector<TFlowUnit> lines;
    for (int i = 0; i < 7; ++i)
        lines.push_back(unit(i * 10, i * 10 + 10));
    std::vector<TPageSpan> pages = BreakIntoPages(lines, 35);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_DOUBLE_EQ(pages[1].top, 30);
    EXPECT_DOUBLE_EQ(pages[1].bottom, 60);

    // Units 2..4 kept together cross the foot of page 1 and move as one.
    lines[3].keepWithPrevious = lines[4].keepWithPrevious = true;
    pages = BreakIntoPages(lines, 35);
    EXPECT_DOUBLE_EQ(pages[0].bottom, 20);
    EXPECT_DOUBLE_EQ(pages[1].top, 20);

    // A hard break starts a page even when there is room.
    lines[1].breakBefore = true;
    pages = BreakIntoPages(lines, 35);
    EXPECT_DOUBLE_EQ(pages[0].bottom, 10);
    EXPECT_DOUBLE_EQ(pages[1].top, 10);

    // A unit taller than a page is sliced over as many pages as it needs.
    pages = BreakIntoPages({unit(0, 10), unit(10, 100), unit(100, 110)}, 35);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_DOUBLE_EQ(pages[1].top, 10);
    EXPECT_DOUBLE_EQ(pages[2].top, 45);
    EXPECT_DOUBLE_EQ(pages[3].top, 80);
    EXPECT_DOUBLE_EQ(pages[3].bottom, 110);

    EXPECT_EQ(BreakIntoPages({}, 35).size(), 1u);
}
