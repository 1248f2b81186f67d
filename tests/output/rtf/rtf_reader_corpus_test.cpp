#include "output/rtf/rtf_reader.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {
QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString CorpusDir() {
    return QStringLiteral(QB_TEST_DATA_DIR "/rtf");
}
} // namespace

// Every corpus file reads to the text stored beside it (checked against
// LibreOffice's reading by the interop test).
TEST(RtfReaderCorpus, PlainTextMatchesExpected) {
    const QStringList files = QDir(CorpusDir()).entryList({"*.rtf"}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    for (const QString& name : files) {
        const QString base = CorpusDir() + '/' + name.chopped(4);
        const QByteArray expected = ReadFile(base + ".txt");
        ASSERT_FALSE(expected.isEmpty()) << "no expected text for " << name.toStdString();
        EXPECT_EQ(RtfToPlainText(ReadFile(base + ".rtf")).toStdString(), expected.toStdString())
            << name.toStdString();
    }
}

// The placeholders and the texts the dialogs build end with the end mark: a
// paragraph "-" followed by a paragraph end, which reads as "-\n".
TEST(RtfReaderCorpus, SystemTextsEndWithTheEndMarkParagraph) {
    for (const char* name : {"placeholder_markscheme", "placeholder_report", "title_page",
                             "title_fullpage", "section", "section_newpage"}) {
        QTextDocument doc;
        LoadRtf(doc, ReadFile(CorpusDir() + '/' + name + ".rtf"));
        const QString text = doc.toPlainText();
        EXPECT_TRUE(text.endsWith(QStringLiteral("\n-\n"))) << name;
        EXPECT_EQ(doc.lastBlock().text(), QString()) << name;
        EXPECT_EQ(doc.lastBlock().previous().text(), QStringLiteral("-")) << name;
    }
    QTextDocument doc;
    LoadRtf(doc, ReadFile(CorpusDir() + "/placeholder_markscheme.rtf"));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("  No mark scheme available\n\n-\n"));
    EXPECT_EQ(doc.firstBlock().blockFormat().bottomMargin(), 480 / 15.0);
}

TEST(RtfReaderCorpus, FullPageTitleKeepsItsFourteenEmptyParagraphs) {
    const QString text = RtfToPlainText(ReadFile(CorpusDir() + "/title_fullpage.rtf"));
    EXPECT_TRUE(text.contains(QStringLiteral("provided.\n") + QString(14, '\n') + "-\n"))
        << text.toStdString();
}
