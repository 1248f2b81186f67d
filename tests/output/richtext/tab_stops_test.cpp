#include "output/richtext/tab_stops.h"
#include "output/rtf/rtf_reader.h"

#include "test_application.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {
// A page 600 format units (6.25 inches) wide at one layout unit per format unit.
constexpr double kWidth = 600;

void LayOut(QTextDocument& doc, const char* rtf) {
    LoadRtf(doc, rtf);
    doc.setDocumentMargin(0);
    FitTabStops(doc, kWidth);
    doc.setTextWidth(kWidth);
    doc.documentLayout()->blockBoundingRect(doc.lastBlock()); // lays out the whole text
}
} // namespace

// Marks at a right tab 1 cm past the margin stay on the question's line, ending
// at the margin; a stop counts from the page's margin, not the indent.
TEST(TabStops, RightTabPastTheMarginEndsAtTheMargin) {
    EnsureApplication();
    QTextDocument doc;
    LayOut(doc, R"({\rtf1\pard\tqr\tx9567 Question one\tab [2]\par)"
                R"(\pard\li1500\tx4500 indented\tab X\par})");
    const QTextLayout* marks = doc.begin().layout();
    ASSERT_EQ(marks->lineCount(), 1);
    EXPECT_NEAR(marks->lineAt(0).naturalTextRect().right(), kWidth, 2.5);
    const QTextBlock indented = doc.begin().next();
    const QTextLine line = indented.layout()->lineAt(0);
    EXPECT_NEAR(line.cursorToX(indented.text().indexOf('X')), 4500 / 15.0, 1.0);
}

// A hanging indent: the number, a tab to the indent, the question, its mark on the
// same line; the stop at the indent lies left of where later lines start.
TEST(TabStops, HangingIndentTabGoesToTheIndent) {
    EnsureApplication();
    QTextDocument doc;
    LayOut(doc,
           R"({\rtf1\pard\li1134\fi-567\tx1134\tqr\tx9000 (a)\tab Find the height.\tab [3]\par})");
    const QTextBlock part = doc.begin();
    ASSERT_EQ(part.layout()->lineCount(), 1);
    const QTextLine line = part.layout()->lineAt(0);
    EXPECT_NEAR(line.cursorToX(part.text().indexOf("Find")), 1134 / 15.0, 1.0);
    EXPECT_LE(line.naturalTextRect().right(), kWidth + 1.0);
}

// A dotted answer line runs from the end of the text to the text at the stop.
TEST(TabStops, LeadersSpanTheirTab) {
    EnsureApplication();
    QTextDocument doc;
    LayOut(doc, R"({\rtf1\pard\tx1500\tqr\tldot\tx9000 Name\tab\tab end\par})");
    const std::vector<TTabLeader> leaders = FindTabLeaders(doc, 1.0);
    ASSERT_EQ(leaders.size(), 1u);
    EXPECT_EQ(leaders[0].kind, TRtfTabLeader::Dot);
    const QTextLine line = doc.begin().layout()->lineAt(0);
    EXPECT_NEAR(leaders[0].baseline.x1(), 100, 1.0);
    EXPECT_NEAR(leaders[0].baseline.x2(), line.cursorToX(doc.begin().text().indexOf("end")), 1.0);
}

// The tab after a hanging marker goes to the paragraph's indent, where the text
// of its other lines starts.
TEST(TabStops, HangingIndentTabReachesTheIndent) {
    EnsureApplication();
    QTextDocument doc;
    LayOut(doc, R"({\rtf1\pard\li720\fi-360\tx720 1.\tab Text\par})");
    const QTextBlock item = doc.begin();
    EXPECT_NEAR(item.layout()->lineAt(0).cursorToX(item.text().indexOf('T')), 720 / 15.0, 1.0);
}
