// A 1,000-entry test document saved to a file and opened again.
#include "bench_state.h"

#include "framework/stream.h"
#include "model/categories.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr const char* kSubject = "Synthetic";

// 950 questions spread over the whole library, with a section heading (a free text
// stored in the document file) before every 19 of them.
std::unique_ptr<TDocument> MakeDocument(const TLibrary& library) {
    std::vector<TStreamable*> questions;
    TCategoryIterator it(library.QuestionRoot.get());
    while (TCategory* c = it.Next())
        if (auto* q = static_cast<TIdentityCategory*>(c)->Question.get()) questions.push_back(q);
    auto doc = std::make_unique<TDocument>();
    const std::size_t step = questions.size() / 950;
    for (int section = 0; section < 50; ++section) {
        doc->InsertTextEntry(
            -1, "Section " + std::to_string(section + 1), false,
            MakeChunk({"{\\rtf1\\ansi\\b Section ", std::to_string(section + 1), "\\b0\\par}"}), 0,
            0);
        std::vector<TListItem> items;
        for (int i = 0; i < 19; ++i)
            items.push_back(questions[(section * 19 + i) * step]);
        doc->InsertEntries(items, -1, &library);
    }
    return doc;
}

std::unique_ptr<TTextStore> Open(const std::string& path, TFileStream::Mode mode) {
    return std::make_unique<TTextStore>(std::make_unique<TFileStream>(path, mode));
}

// WriteDocumentFile into a new file, then ReadDocumentFile from it. The two files take
// turns, since the free texts are read from the previous save while writing the next.
void BM_DocumentSaveReopen(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    auto doc = MakeDocument(library);
    const std::string paths[2] = {BenchFiles().Folder + "/doc_a.vqd",
                                  BenchFiles().Folder + "/doc_b.vqd"};
    std::unique_ptr<TTextStore> previous;
    std::unique_ptr<TDocument> reopened;
    int turn = 0;
    for (const auto& p : paths)
        std::remove(p.c_str());
    for (auto _ : state) {
        const std::string& path = paths[turn];
        turn ^= 1;
        std::remove(path.c_str()); // Create makes only new files, as truncating did before
        auto store = Open(path, TFileStream::Mode::Create);
        WriteDocumentFile(*doc, kSubject, *store, &library);
        auto file = Open(path, TFileStream::Mode::ReadWrite);
        reopened = ReadDocumentFile(*file, kSubject, library);
        state.PauseTiming();
        reopened.reset();
        file.reset();
        previous = std::move(store); // the document's free texts now live here
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(doc->Entries.size());
    state.counters["file_KB"] = static_cast<double>(FileSize(paths[0])) / 1024.0;
    doc.reset();
    for (const auto& p : paths)
        std::remove(p.c_str());
}
BENCHMARK(BM_DocumentSaveReopen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same through the application's safe save (temporary file, fsync, rename).
void BM_DocumentSafeSaveReopen(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    auto doc = MakeDocument(library);
    const std::string path = BenchFiles().Folder + "/doc_safe.vqd";
    std::unique_ptr<TTextStore> store;
    for (auto _ : state) {
        store = SaveDocumentFile(*doc, kSubject, path, &library);
        auto reopened = ReadDocumentFile(*store, kSubject, library);
        benchmark::DoNotOptimize(reopened.get());
    }
    doc.reset();
    store.reset();
    std::remove(path.c_str());
}
BENCHMARK(BM_DocumentSafeSaveReopen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
