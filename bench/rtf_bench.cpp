// Reading speed of the RTF reader: a typical question text (about 5 KB) and a
// large document (about 1 MB), and, for comparison, the same large file through
// unrtf and pandoc when they are installed.
#include "output/rtf/rtf_reader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {
const char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
    "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\froman\\fcharset2 Symbol;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}"
    "{\\stylesheet{\\s0\\f0\\fs24 Normal;}{\\s1\\b\\f1\\fs28 Heading 1;}}\n";

// One question as a word processor writes it: heading, stem with formatting,
// symbols, a table of data, answer lines and the end mark.
QByteArray QuestionBody(int number) {
    QByteArray q;
    q += "\\pard\\plain\\s1\\sb240\\sa120\\keepn\\b\\f1\\fs28 Question " +
         QByteArray::number(number) + "\\par\n";
    for (int i = 0; i < 6; ++i)
        q += "\\pard\\plain\\f0\\fs24\\sa120\\qj A car of mass {\\b 1200 kg} accelerates uniformly "
             "from rest to {\\i 30 m/s} in 12 s. The driver\\rquote s reaction time is 0.7 s and "
             "the road is wet, so the friction coefficient {\\f2 m} = 0.4{\\super 2}. "
             "Temperatures rose by 5\\'b0C\\emdash see {\\cf2 Figure 2}. \\u8776\\'3f\\par\n";
    q += "\\trowd\\trgaph108\\trleft-108";
    for (int c = 1; c <= 3; ++c)
        q += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
             "\\clbrdrr\\brdrs\\brdrw10\\cellx" +
             QByteArray::number(c * 3000);
    q += "\n";
    for (int r = 0; r < 4; ++r)
        q += "\\pard\\plain\\intbl\\qc\\f0\\fs22 t = " + QByteArray::number(r) +
             " s\\cell v = " + QByteArray::number(r * 2.5) + " m/s\\cell a = 2.5\\cell\\row\n";
    q += "\\pard\\plain\\f0\\fs24\\tqr\\tldot\\tx9000 (a) Calculate the acceleration.\\tab "
         "[2]\\par\n"
         "\\pard\\sb240 "
         ".......................................................................\\par\n"
         "(b) Calculate the stopping distance.\\tab [3]\\par\\pard -\\par\n";
    return q;
}

QByteArray Document(int minimumBytes) {
    QByteArray rtf = kHeader;
    for (int n = 1; rtf.size() < minimumBytes; ++n)
        rtf += QuestionBody(n);
    return rtf + "}";
}

void BM_ReadQuestion5KB(benchmark::State& state) {
    const QByteArray rtf = Document(5 * 1024);
    for (auto _ : state) {
        QTextDocument doc;
        LoadRtf(doc, rtf);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadQuestion5KB)->Unit(benchmark::kMillisecond);

void BM_Read1MB(benchmark::State& state) {
    const QByteArray rtf = Document(1024 * 1024);
    for (auto _ : state) {
        QTextDocument doc;
        LoadRtf(doc, rtf);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_Read1MB)->Unit(benchmark::kMillisecond);

void BM_PlainText1MB(benchmark::State& state) {
    const QByteArray rtf = Document(1024 * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfToPlainText(rtf).size());
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_PlainText1MB)->Unit(benchmark::kMillisecond);

// The same 1 MB file through another RTF-to-text program, process start included.
void RunTool(benchmark::State& state, const std::string& command) {
    const QString path = QDir::temp().filePath(QStringLiteral("qb_rtf_bench_1mb.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    file.write(Document(1024 * 1024));
    file.close();
    const std::string probe = "command -v " + command.substr(0, command.find(' ')) + " >/dev/null";
    if (std::system(probe.c_str()) != 0) {
        state.SkipWithError("tool not installed");
        return;
    }
    const std::string line = command + " '" + path.toStdString() + "' >/dev/null 2>&1";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(line.c_str()));
    QFile::remove(path);
}

void BM_Unrtf1MB(benchmark::State& state) {
    RunTool(state, "unrtf --text");
}
BENCHMARK(BM_Unrtf1MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Pandoc1MB(benchmark::State& state) {
    RunTool(state, "pandoc -f rtf -t plain");
}
BENCHMARK(BM_Pandoc1MB)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
