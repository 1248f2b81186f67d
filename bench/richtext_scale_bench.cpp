// How pagination grows with the text: 2,000 and 20,000 paragraphs of mixed question
// text (headings, body paragraphs, tables, mark lines), and one long paragraph drawn
// page by page. The time per paragraph must stay flat as the text grows.
#include "output/richtext/page_layout.h"
#include "output/rtf/rtf_reader.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {
void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_richtext_scale_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

// About `paragraphs` paragraphs of question text, a table row counting as one.
QByteArray MixedQuestions(int paragraphs) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 TIMES "
                     "NEW ROMAN;}{\\f1\\fswiss\\fcharset0 Arial;}}\n";
    int made = 0;
    for (int number = 1; made < paragraphs; ++number) {
        rtf += "\\pard\\plain\\keepn\\sb240\\sa120\\b\\f1\\fs28 " + QByteArray::number(number) +
               ". Motion and forces\\par\n";
        ++made;
        for (int i = 0; i < 3 + number % 4; ++i, ++made)
            rtf += "\\pard\\plain\\f0\\fs24\\sa120\\qj A car of mass {\\b 1200 kg} accelerates "
                   "uniformly from rest to {\\i 30 m/s} in 12 s. The driver\\rquote s reaction "
                   "time is 0.7 s and the road is wet.\\par\n";
        if (number % 3 == 0) {
            for (int r = 0; r < 4; ++r, ++made)
                rtf += "\\trowd\\trgaph108\\clbrdrb\\brdrs\\brdrw10\\cellx3000\\cellx6000"
                       "\\pard\\plain\\intbl\\f0\\fs22 t = " +
                       QByteArray::number(r) + " s\\cell v = " + QByteArray::number(r * 2.5) +
                       " m/s\\cell\\row\n";
        }
        rtf += "\\pard\\plain\\f0\\fs24\\tqr\\tldot\\tx9000 (a) Calculate the acceleration."
               "\\tab [2]\\par\n";
        ++made;
    }
    return rtf + "}";
}

const QTextDocument& Questions(int paragraphs) {
    static std::map<int, std::unique_ptr<QTextDocument>> made;
    auto& doc = made[paragraphs];
    if (!doc) {
        EnsureApplication();
        doc = std::make_unique<QTextDocument>();
        LoadRtf(*doc, MixedQuestions(paragraphs));
    }
    return *doc;
}

void BM_PaginateMixedQuestions(benchmark::State& state) {
    const QTextDocument& doc = Questions(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        TPageLayout layout(doc, TRtfPage{});
        pages = layout.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PaginateMixedQuestions)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Every page of one long paragraph drawn (about 1 MB, and 4 MB): the cost of a page
// must not grow with the paragraph.
void BM_DrawEveryPageOfALongParagraph(benchmark::State& state) {
    EnsureApplication();
    QTextDocument doc;
    LoadRtf(doc, "{\\rtf1\\ansi \\pard " +
                     QByteArray("words of a long paragraph ").repeated(int(state.range(0))) +
                     "\\par}");
    const TPageLayout layout(doc, TRtfPage{});
    QImage image(200, 283, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        for (int page = 1; page <= layout.PageCount(); ++page)
            layout.DrawPage(painter, page, QRectF(image.rect()), TRtfFooter{});
    }
    state.counters["pages"] = layout.PageCount();
    state.SetItemsProcessed(state.iterations() * layout.PageCount());
}
BENCHMARK(BM_DrawEveryPageOfALongParagraph)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
} // namespace
