#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

namespace {
QString CorpusDir() {
    return QStringLiteral(QB_TEST_DATA_DIR "/corpus");
}

// The files whose page count is known to differ from LibreOffice's today, with the
// feature that is still missing. Remove a file once it matches: the test fails for a
// listed file that matches, so that the list cannot outlive its reason.
const std::map<QString, const char*> kKnownToDiffer = {};

int ExpectedPages(const QString& name) {
    QFile file(CorpusDir() + '/' + name + ".expect");
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const auto match = QRegularExpression("^pages (\\d+)$", QRegularExpression::MultilineOption)
                           .match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
} // namespace

// Each corpus file lays out on as many pages as LibreOffice prints it on (the long
// paper within one page), as rtf2pdf lays it out.
TEST(CorpusPages, PageCountMatchesLibreOffice) {
    EnsureApplication();
    const QStringList files = QDir(CorpusDir()).entryList({"*.rtf"}, QDir::Files);
    ASSERT_GE(files.size(), 8);
    for (const QString& file : files) {
        const QString name = file.chopped(4);
        const int expected = ExpectedPages(name);
        ASSERT_GT(expected, 0) << "no page count expected for " << name.toStdString();
        QFile rtf(CorpusDir() + '/' + file);
        ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
        TRichTextControl control;
        control.LoadRtf(rtf.readAll());
        control.SetPage(control.DocumentPage());
        const int pages = control.PageCount();
        const bool matches = std::abs(pages - expected) <= (expected >= 50 ? 1 : 0);
        const auto known = kKnownToDiffer.find(name);
        if (known == kKnownToDiffer.end())
            EXPECT_TRUE(matches) << name.toStdString() << ": " << pages << " pages, LibreOffice "
                                 << expected;
        else
            EXPECT_FALSE(matches) << name.toStdString() << " now matches (" << pages
                                  << " pages): remove it from kKnownToDiffer";
    }
}
