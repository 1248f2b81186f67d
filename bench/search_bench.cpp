// Full-text search on the large library: building the index of every text (plain text
// through the rich-text reader, as the program does) and a two-word query on it.
#include "synthetic_library.h"

#include "config/library_open.h"
#include "model/library.h"
#include "output/richtext/end_marks.h"
#include "output/rtf/rtf_reader.h"
#include "search/library_entries.h"
#include "search/text_index.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string PlainText(const std::string& rtf) {
    QTextDocument doc;
    LoadRtf(doc, QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    RemoveEndMarks(doc);
    return RtfDocumentPlainText(doc).toUtf8().toStdString();
}

struct TBenchLibrary {
    TSyntheticFiles Files;
    TOpenedLibrary Opened;
};

TBenchLibrary& Library() {
    static TBenchLibrary* library = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qb_search_bench";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
        const char* kept = std::getenv("QB_BENCH_DIR");
        std::string folder =
            kept ? kept : (std::filesystem::temp_directory_path() / "qb_search_bench").string();
        std::filesystem::create_directories(folder);
        setenv("XDG_CACHE_HOME", (std::filesystem::path(folder) / "cache").c_str(), 1);
        auto* l = new TBenchLibrary;
        l->Files = WriteSyntheticLibrary(TSyntheticOptions{}, folder);
        l->Opened = OpenLibraryFiles(l->Files.TextFile, l->Files.DataFile);
        return l;
    }();
    return *library;
}

TLibraryFiles Files() {
    return {Library().Files.DataFile, Library().Files.TextFile};
}

void BM_BuildIndex(benchmark::State& state) {
    const TLibraryFiles files = Files();
    std::size_t texts = 0;
    for (auto _ : state) {
        auto index = TTextIndex::Build(IndexPathFor(files), LibraryKey(files),
                                       LibraryEntries(*Library().Opened.Library, PlainText),
                                       [&](std::size_t done) {
                                           texts = done;
                                           return true;
                                       });
        benchmark::DoNotOptimize(index);
    }
    state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_BuildIndex)->Iterations(1)->Unit(benchmark::kSecond);

// What start-up does on its loader thread when the index is up to date: the library's
// key, and opening the index, without reading the library or the whole index.
void BM_CheckUpToDateIndex(benchmark::State& state) {
    const TLibraryFiles files = Files();
    TTextIndex::OpenOrBuild(files, LibraryEntries(*Library().Opened.Library, PlainText));
    for (auto _ : state) {
        auto index = TTextIndex::OpenCurrent(IndexPathFor(files), LibraryKey(files));
        if (!index) state.SkipWithError("the index is not up to date");
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_CheckUpToDateIndex)->Unit(benchmark::kMillisecond);

// The synthetic texts read "Q <title>: text number N": the first query finds every
// question, the worst case for the result's size; the second finds one.
void BM_TwoWordQuery(benchmark::State& state) {
    const char* query = state.range(0) ? "number 4242" : "text numb*";
    const TLibraryFiles files = Files();
    auto index =
        TTextIndex::OpenOrBuild(files, LibraryEntries(*Library().Opened.Library, PlainText));
    std::size_t found = 0;
    for (auto _ : state) {
        found = state.range(1) ? index->SearchRows(query, 'Q').size()
                               : index->Search(query, 'Q').size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
// The second argument: 0 reads the identifiers back, 1 only the row numbers.
BENCHMARK(BM_TwoWordQuery)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace
