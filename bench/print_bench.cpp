// Printing and export of a 100-question test of about 100 pages:
//   BM_AssemblePaginatePdf   assemble, paginate and write the PDF (target: at most half
//                            the time LibreOffice takes to convert our RTF of the test,
//                            reported here as the counter "vs_libreoffice")
//   BM_LibreOfficeRtfToPdf   that conversion, run once; skipped without soffice
//   BM_PreviewNextPage       drawing the next page in the preview (target: <= 50 ms)
//   BM_ExportRtf             the whole RTF export, assembly included (target: <= 200 ms),
//                            and its two parts, BM_Assemble and BM_WriteRtf
#include "model/document.h"
#include "model/text_store.h"
#include "output/print/document_assembly.h"
#include "output/print/page_output.h"
#include "output/print/preview_form.h"
#include "output/richtext/rich_text_control.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void EnsureApp() {
    static int argc = 1;
    static char arg0[] = "qb_print_bench";
    static char* argv[] = {arg0, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// A question of about 0.8 page: a stem, parts with answer lines, the marks.
std::string Question(int n) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc0 \\deff0{\\fonttbl{\\f0\\froman\\fcharset0 "
                      "TIMES NEW ROMAN;}}\\pard\\plain\\sa120\\f0\\fs24 ";
    rtf += "A trolley of mass 0." + std::to_string(n % 9 + 1) +
           " kg runs down a ramp. Its speed is measured with a light gate at the foot of "
           "the ramp, and the height of the ramp is changed between runs.\\par ";
    for (char part = 'a'; part <= 'e'; ++part) {
        rtf += "\\pard\\plain\\li567\\fi-567\\sa60\\f0\\fs24 (";
        rtf += part;
        rtf += ")\\tab Explain, in terms of {\\i energy transfers}, why the speed at the foot "
               "rises with the height of the ramp. Use g = 9.8 m s{\\super -2}.\\par ";
        for (int line = 0; line < 3; ++line)
            rtf += "\\pard\\plain\\li567\\sb200\\f0\\fs24 "
                   "..............................................................\\par ";
    }
    rtf += "\\pard\\plain\\qr\\sa120\\f0\\fs24\\b [6 marks]\\par \\pard\\plain -\\par }";
    return rtf;
}

const TDocument& HundredQuestions() {
    static const std::unique_ptr<TDocument> doc = [] {
        auto d = std::make_unique<TDocument>();
        for (int i = 0; i < 100; ++i)
            d->InsertTextEntry(-1, "Question " + std::to_string(i + 1), true,
                               MakeChunk({Question(i)}), 6, 8);
        return d;
    }();
    return *doc;
}

double gOursSeconds = 0;

void BM_AssemblePaginatePdf(benchmark::State& state) {
    EnsureApp();
    TRichTextControl control;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
        benchmark::DoNotOptimize(PagesAsPdf(control, QStringLiteral("test")));
        gOursSeconds = timer.nsecsElapsed() / 1e9;
    }
    state.counters["pages"] = control.PageCount();
}
BENCHMARK(BM_AssemblePaginatePdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LibreOfficeRtfToPdf(benchmark::State& state) {
    EnsureApp();
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
        state.SkipWithError("soffice is not installed");
        return;
    }
    QTemporaryDir dir;
    TRichTextControl control;
    AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
    WriteRtfFile(control, dir.filePath(QStringLiteral("test.rtf")));
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess lo;
        lo.setWorkingDirectory(dir.path());
        QStringList env = QProcess::systemEnvironment();
        env << QStringLiteral("HOME=") + dir.path();
        lo.setEnvironment(env);
        lo.start(QStringLiteral("soffice"),
                 {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                  QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                  dir.filePath(QStringLiteral("lo")), dir.filePath(QStringLiteral("test.rtf"))});
        lo.waitForFinished(600000);
        seconds = timer.nsecsElapsed() / 1e9;
    }
    if (!QFile::exists(dir.filePath(QStringLiteral("lo/test.pdf"))))
        state.SkipWithError("LibreOffice wrote no PDF");
    if (gOursSeconds > 0 && seconds > 0) state.counters["vs_libreoffice"] = gOursSeconds / seconds;
}
BENCHMARK(BM_LibreOfficeRtfToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PreviewNextPage(benchmark::State& state) {
    EnsureApp();
    TRichTextControl control;
    AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
    TPreviewForm preview(control, nullptr);
    preview.resize(1024, 768);
    for (auto _ : state) {
        if (preview.CurrentPage() == preview.PageCount()) {
            state.PauseTiming();
            while (preview.CurrentPage() > 1)
                preview.PreviousPage();
            state.ResumeTiming();
        }
        preview.NextPage();
    }
}
BENCHMARK(BM_PreviewNextPage)->Unit(benchmark::kMillisecond);

void BM_ExportRtf(benchmark::State& state) {
    EnsureApp();
    QTemporaryDir dir;
    TRichTextControl control;
    for (auto _ : state) {
        AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
        WriteRtfFile(control, dir.filePath(QStringLiteral("test.rtf")));
    }
}
BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond);

// The parts of the export: assembly with pagination, and writing what is assembled.
void BM_Assemble(benchmark::State& state) {
    EnsureApp();
    TRichTextControl control;
    for (auto _ : state) {
        AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
        benchmark::DoNotOptimize(control.PageCount());
    }
}
BENCHMARK(BM_Assemble)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
    EnsureApp();
    QTemporaryDir dir;
    TRichTextControl control;
    AssembleDocument(control, HundredQuestions(), QStringLiteral("Riverside School"));
    for (auto _ : state)
        WriteRtfFile(control, dir.filePath(QStringLiteral("test.rtf")));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
