// Pagination and printing speed of the rich-text control: a test document of about
// 100 pages, assembled the way printing assembles one (questions kept on one page,
// end marks removed), cut into pages and printed to PDF.
#include "output/richtext/page_keeping.h"
#include "output/richtext/page_layout.h"
#include "output/richtext/rich_text_control.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_richtext_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

QByteArray Question(int number) {
    QByteArray q = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
                   "ROMAN;}{\\f1\\fswiss\\fcharset0 Arial;}}\n";
    q += "\\pard\\plain\\sb240\\sa120\\b\\f1\\fs28 " + QByteArray::number(number) +
         ". Motion and forces\\par\n";
    for (int i = 0; i < 3 + number % 4; ++i)
        q += "\\pard\\plain\\f0\\fs24\\sa120\\qj A car of mass {\\b 1200 kg} accelerates "
             "uniformly from rest to {\\i 30 m/s} in 12 s. The driver\\rquote s reaction time "
             "is 0.7 s and the road is wet, so the friction coefficient is 0.4. Temperatures "
             "rose by 5\\'b0C\\emdash see Figure 2.\\par\n";
    if (number % 3 == 0) {
        q += "\\trowd\\trgaph108";
        for (int c = 1; c <= 3; ++c)
            q += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                 "\\clbrdrr\\brdrs\\brdrw10\\cellx" +
                 QByteArray::number(c * 3000);
        for (int r = 0; r < 4; ++r)
            q += "\\pard\\plain\\intbl\\qc\\f0\\fs22 t = " + QByteArray::number(r) +
                 " s\\cell v = " + QByteArray::number(r * 2.5) + " m/s\\cell a = 2.5\\cell\\row\n";
    }
    q += "\\pard\\plain\\f0\\fs24\\tqr\\tldot\\tx9000 (a) Calculate the acceleration.\\tab "
         "[2]\\par\\pard -\\par}";
    return q;
}

// Assembles questions the way printing does (each loaded at the end, then every
// text kept on one page and the end marks removed) until there are `pages` pages.
std::unique_ptr<TRichTextControl> TestDocument(int pages) {
    EnsureApplication();
    auto control = std::make_unique<TRichTextControl>();
    int questions = 40;
    for (;;) {
        control->Clear();
        control->SetStandardFooter(QStringLiteral("Northfield School"));
        for (int number = 1; number <= questions; ++number) {
            control->SetSelStart(-1);
            control->LoadRtf(Question(number));
        }
        KeepMarkedTextsOnOnePage(control->Document());
        const int now = control->PageCount();
        if (now >= pages) return control;
        questions = questions * pages / std::max(1, now) + 1;
    }
}

const TRichTextControl& Document100() {
    static const std::unique_ptr<TRichTextControl> control = TestDocument(100);
    return *control;
}

void PrintToPdf(const TRichTextControl& control, QIODevice& device) {
    QPdfWriter pdf(&device);
    pdf.setPageSize(
        QPageSize(control.PageSizeInches(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    for (int page = 1; page <= control.PageCount(); ++page) {
        if (page > 1) pdf.newPage();
        control.PrintPage(painter, page, QRectF(0, 0, pdf.width(), pdf.height()));
    }
}

void BM_Paginate100Pages(benchmark::State& state) {
    const TRichTextControl& control = Document100();
    for (auto _ : state) {
        TPageLayout layout(control.Document(), control.Page());
        benchmark::DoNotOptimize(layout.PageCount());
    }
    state.counters["pages"] = control.PageCount();
}
BENCHMARK(BM_Paginate100Pages)->Unit(benchmark::kMillisecond);

// What printing a 100-page document costs from an edited control: pagination
// afresh, then every page drawn into a PDF.
void BM_PaginateAndPrintPdf100Pages(benchmark::State& state) {
    const TRichTextControl& source = Document100();
    TRichTextControl control;
    control.LoadRtf(source.GetRtf());
    qint64 bytes = 0;
    for (auto _ : state) {
        control.SetSelStart(0);
        control.SetSelText(QStringLiteral(" ")); // an edit: the next print paginates again
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        PrintToPdf(control, buffer);
        bytes = buffer.size();
    }
    state.counters["pages"] = control.PageCount();
    state.counters["pdf_kb"] = double(bytes) / 1024;
}
BENCHMARK(BM_PaginateAndPrintPdf100Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

// One preview page: a page image at screen resolution.
void BM_PreviewPage(benchmark::State& state) {
    const TRichTextControl& control = Document100();
    const QSizeF inches = control.PageSizeInches();
    QImage image(int(inches.width() * 96), int(inches.height() * 96), QImage::Format_RGB32);
    control.PageCount();
    int page = 1;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        control.PrintPage(painter, page, QRectF(image.rect()));
        page = page % control.PageCount() + 1;
    }
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);
} // namespace
