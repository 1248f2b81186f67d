#include "output/rtf/rtf_reader.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <chrono>

namespace {
QString Read(const QByteArray& rtf) {
    QTextDocument doc;
    LoadRtf(doc, rtf);
    return RtfDocumentPlainText(doc);
}
} // namespace

TEST(RtfReaderRobustness, DeepNestingNeedsNoStack) {
    const int depth = 100000;
    const QByteArray rtf =
        "{\\rtf1 a" + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " z}";
    EXPECT_EQ(Read(rtf), "adeep z");
    // Never closed, and skipped destinations nested as deep.
    EXPECT_EQ(Read("{\\rtf1 x" + QByteArray(depth, '{') + "y"), "xy");
    EXPECT_EQ(
        Read("{\\rtf1 x{\\*\\unknown" + QByteArray(depth, '{') + QByteArray(depth, '}') + "}y}"),
        "xy");
}

TEST(RtfReaderRobustness, UnbalancedBracesAndTruncation) {
    EXPECT_EQ(Read("{\\rtf1 a}}}} b}"), "a b");
    EXPECT_EQ(Read("{\\rtf1 {\\b a"), "a");
    EXPECT_EQ(Read("{\\rtf1 a\\"), "a");
    EXPECT_EQ(Read("{\\rtf1 a\\'"), "a");
    EXPECT_EQ(Read("{\\rtf1 a\\'4"), "a");       // a control byte is dropped
    EXPECT_EQ(Read("{\\rtf1 a\\'zzb}"), "azzb"); // invalid hex: the escape is dropped
    EXPECT_EQ(Read("{\\rtf1 {\\fonttbl{\\f0 Arial"), "");
    EXPECT_EQ(Read("{\\rtf1 {\\colortbl\\red999999999999999999;}x}"), "x");
    // A destination word in the outermost group cannot swallow the document.
    EXPECT_EQ(Read("{\\rtf1\\*\\unknown a\\par b}"), "a\nb");
}

TEST(RtfReaderRobustness, HugeParametersAndBinaryPastTheEnd) {
    EXPECT_EQ(Read("{\\rtf1\\fs99999999999999999999 a\\li-99999999999 b\\uc999999999\\u65 xyz}"),
              "abA");
    EXPECT_EQ(Read("{\\rtf1\\u-99999999999999?\\u99999999999?ok}"), "ok");
    EXPECT_EQ(Read("{\\rtf1 a{\\pict\\pngblip\\bin999999999 \x89PNG}b}"), QString("a"));
    EXPECT_EQ(Read("{\\rtf1 a{\\bin5 {}{}}b}"), "ab");
    EXPECT_EQ(Read("{\\rtf1 a{\\*\\x\\bin3 }}}}b}"), "ab");
    // Thousands of cell definitions: the row folds into a bounded number of columns.
    const QString cells = Read("{\\rtf1\\trowd" + QByteArray("\\cellx99999999").repeated(5000) +
                               "\\intbl a\\cell\\row}");
    EXPECT_TRUE(cells.startsWith("a\t"));
    EXPECT_LE(cells.count('\t'), 64);
    // Many cells and ragged rows stay bounded.
    QByteArray wide = "{\\rtf1";
    for (int i = 0; i < 2000; ++i)
        wide += "\\trowd\\cellx" + QByteArray::number(i * 7 + 1) + "\\intbl x\\cell\\row";
    wide += "}";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(wide).count('x'), 2000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(RtfReaderRobustness, TruncatedPicturesBecomeFrames) {
    QTextDocument doc;
    LoadRtf(doc,
            "{\\rtf1{\\pict\\pngblip\\picw10\\pich10 89504e470d0a1a0a0000000d4948}"
            "{\\pict\\jpegblip\\picwgoal300\\pichgoal300 ffd8ff}{\\pict\\dibitmap0 28000000ffff}");
    EXPECT_EQ(doc.toPlainText().count(QChar::ObjectReplacementCharacter), 3);
}

// Random damage to valid files: the reader must neither crash nor hang.
TEST(RtfReaderRobustness, MangledCorpusFiles) {
    QRandomGenerator random(1234);
    const QDir dir(QStringLiteral(QB_TEST_DATA_DIR "/rtf"));
    const QStringList names = dir.entryList({"*.rtf"}, QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no corpus in " << dir.path().toStdString();
    for (const QString& name : names) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray original = f.readAll().left(20000);
        for (int round = 0; round < 20; ++round) {
            QByteArray data = original;
            for (int k = 0; k < 10; ++k) {
                const int at = int(random.bounded(quint32(data.size())));
                static const char kNasty[] = "{}\\'*0123456789abz; \x00\xff";
                data[at] = kNasty[random.bounded(quint32(sizeof(kNasty) - 1))];
            }
            if (round % 4 == 0) data.truncate(int(random.bounded(quint32(data.size()))));
            Read(data);
        }
    }
}

// The fuzzer's seed corpus and any crashes it found, replayed.
TEST(RtfReaderRobustness, FuzzCorpusReplays) {
    const QDir dir(QStringLiteral(QB_SOURCE_DIR "/fuzz/corpus/rtf"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no corpus in " << dir.path().toStdString();
    for (const QString& name : names) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        Read(f.readAll());
    }
}
