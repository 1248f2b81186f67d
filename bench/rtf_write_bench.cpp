// Writing speed of the RTF writer, in bytes of RTF produced per second (target:
// at least 20 MB/s).
#include "output/rtf/rtf_writer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
void EnsureApp() {
    static int argc = 1;
    static char arg0[] = "qb_rtf_bench";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

// A question paper's worth of text: paragraphs of mixed formatting, accented and
// Greek letters, a table every few pages; `paragraphs` sets the length.
std::unique_ptr<QTextDocument> MakeQuestionText(int paragraphs, bool withTables) {
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Times New Roman")});
    plain.setFontPointSize(12);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic = plain;
    italic.setFontItalic(true);
    QTextCharFormat sub = plain;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    QTextBlockFormat para;
    para.setBottomMargin(8);
    const QString words = QStringLiteral(
        "A ball of mass 0.5 kg is thrown vertically upwards with a speed of 12 m/s. "
        "Calculate the maximum height it reaches, and explain why the caf\u00e9 owner's "
        "estimate of \u03b1 \u2264 30\u00b0 is reasonable. ");
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0) cursor.insertBlock(para, plain);
        cursor.insertText(QString::number(i + 1) + QStringLiteral(". "), bold);
        cursor.insertText(words, plain);
        cursor.insertText(QStringLiteral("Use g = 9.8 m/s"), italic);
        cursor.insertText(QStringLiteral("2"), sub);
        cursor.insertText(QStringLiteral(" throughout.\t[4 marks]"), plain);
        if (withTables && i % 40 == 39) {
            cursor.insertBlock(para, plain);
            QTextTable* table = cursor.insertTable(3, 3);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    table->cellAt(r, c).firstCursorPosition().insertText(
                        QStringLiteral("cell %1,%2").arg(r).arg(c), plain);
            cursor = table->lastCursorPosition();
            cursor.movePosition(QTextCursor::NextBlock);
        }
    }
    return doc;
}

void WriteBench(benchmark::State& state, const QTextDocument& doc) {
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray rtf = WriteRtf(doc);
        bytes += rtf.size();
        benchmark::DoNotOptimize(rtf.constData());
    }
    state.SetBytesProcessed(bytes);
}

void BM_WriteQuestion(benchmark::State& state) {
    EnsureApp();
    const auto doc = MakeQuestionText(12, false); // about 5 KB of RTF
    WriteBench(state, *doc);
}

void BM_WriteLongPaper(benchmark::State& state) {
    EnsureApp();
    const auto doc = MakeQuestionText(3000, true); // about 1.2 MB of RTF
    WriteBench(state, *doc);
}

QImage Figure() {
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
    return image;
}

// A picture that exists only as an image: it is encoded as PNG on every write.
void BM_WritePicture(benchmark::State& state) {
    EnsureApp();
    QTextDocument doc;
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure")), Figure());
    QTextCursor cursor(&doc);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("figure"));
    cursor.insertImage(picture);
    WriteBench(state, doc);
}

// A picture read from a file keeps its bytes, which go out as they came in.
void BM_WriteKeptPicture(benchmark::State& state) {
    EnsureApp();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Figure().save(&buffer, "PNG");
    QTextDocument doc;
    QTextImageFormat picture;
    picture.setName(QStringLiteral("figure"));
    picture.setWidth(800);
    picture.setHeight(600);
    picture.setProperty(RtfProperty::PictureData, png);
    picture.setProperty(RtfProperty::PictureType, QStringLiteral("pngblip"));
    picture.setProperty(RtfProperty::PictureExtent, QSize(800, 600));
    QTextCursor(&doc).insertImage(picture);
    WriteBench(state, doc);
}
} // namespace

BENCHMARK(BM_WriteQuestion);
BENCHMARK(BM_WriteLongPaper)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteKeptPicture)->Unit(benchmark::kMillisecond);
