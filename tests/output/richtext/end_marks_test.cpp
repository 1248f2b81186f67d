#include "output/richtext/end_marks.h"
#include "output/richtext/position_text.h"
#include "output/rtf/rtf_reader.h"

#include "test_application.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {
// A document of one paragraph per line of `text`.
void Fill(QTextDocument& doc, const QString& text) {
    doc.clear();
    QTextCursor(&doc).insertText(text);
}

QString Text(const QTextDocument& doc) {
    return DocumentPositionText(doc);
}

QTextBlock BlockStarting(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().startsWith(text)) return b;
    return {};
}
} // namespace

TEST(EndMarks, OnlyParagraphsHoldingAHyphenAloneAreMarks) {
    EnsureApplication();
    QTextDocument doc;
    Fill(doc, "Q1\n-\nsee pre-\nnext\n \t- \n-5 to -\nlast");
    EXPECT_EQ(FindEndMarks(doc), (std::vector<int>{3, 19}));
    EXPECT_EQ(RemoveEndMarks(doc), 2);
    // A search for "-" and a line feed would have joined "pre-" with "next".
    EXPECT_EQ(Text(doc), "Q1\nsee pre-\nnext\n-5 to -\nlast");
    EXPECT_TRUE(FindEndMarks(doc).empty());
}

TEST(EndMarks, NeighboursKeepTheirParagraphFormats) {
    EnsureApplication();
    QTextDocument doc;
    Fill(doc, "-\nfirst\n-\nsecond\n-");
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(32);
    for (const QTextBlock& b : {BlockStarting(doc, "first"), BlockStarting(doc, "second")}) {
        cursor.setPosition(b.position());
        cursor.mergeBlockFormat(centred);
    }
    for (int mark : FindEndMarks(doc)) {
        cursor.setPosition(mark);
        cursor.mergeBlockFormat(spaced);
    }
    EXPECT_EQ(RemoveEndMarks(doc), 3);
    EXPECT_EQ(Text(doc), "first\nsecond");
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        EXPECT_EQ(b.blockFormat().alignment(), Qt::AlignHCenter) << b.text().toStdString();
        EXPECT_EQ(b.blockFormat().bottomMargin(), 0) << b.text().toStdString();
    }

    Fill(doc, "-");
    EXPECT_EQ(RemoveEndMarks(doc), 1);
    EXPECT_EQ(Text(doc), "");
}

TEST(EndMarks, TablesStayIntact) {
    EnsureApplication();
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText("before");
    QTextTable* table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText("-");
    table->cellAt(0, 1).firstCursorPosition().insertText("x");
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("-");
    cursor.insertBlock();
    cursor.insertText("after");
    // The mark right after the table goes; the hyphen in the cell is cell text.
    EXPECT_EQ(FindEndMarks(doc).size(), 1u);
    EXPECT_EQ(RemoveEndMarks(doc), 1);
    EXPECT_EQ(Text(doc), "before\n-\nx\nafter");
    EXPECT_EQ(doc.findBlock(doc.characterCount() - 1).text(), "after");
}

TEST(EndMarks, SystemTextsLoseTheirMark) {
    EnsureApplication();
    for (const char* name :
         {"placeholder_markscheme", "placeholder_report", "title_page", "section"}) {
        QFile file(QStringLiteral(QB_TEST_DATA_DIR "/rtf/%1.rtf").arg(name));
        if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "corpus file missing: " << name;
        QTextDocument doc;
        LoadRtf(doc, file.readAll());
        ASSERT_FALSE(FindEndMarks(doc).empty()) << name;
        const QString before = Text(doc);
        EXPECT_GE(RemoveEndMarks(doc), 1) << name;
        const QString after = Text(doc);
        EXPECT_EQ(before.count('-') - 1, after.count('-')) << name;
        EXPECT_TRUE(FindEndMarks(doc).empty()) << name;
    }
}
