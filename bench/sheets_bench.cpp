// A mark entry sheet of a 200-question test for 39 students, and a file index of a
// 1,000-question test, each written to an .xlsx file. Target: 100 ms each.
#include "synthetic_library.h"

#include "model/categories.h"
#include "model/document.h"
#include "model/library.h"
#include "model/segments.h"
#include "sheets/mark_sheet.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const TSyntheticLibrary& Library() {
    static const TSyntheticLibrary library = [] {
        TSyntheticOptions options;
        options.Questions = 5000;
        options.Series = 25;
        return MakeSyntheticLibrary(options);
    }();
    return library;
}

std::unique_ptr<TDocument> MakeTest(int questions) {
    const TLibrary& library = *Library().Library;
    std::vector<TListItem> items;
    TCategoryIterator it(library.QuestionRoot.get());
    while (TCategory* c = it.Next())
        if (auto* q = static_cast<TIdentityCategory*>(c)->Question.get())
            if (static_cast<int>(items.size()) < questions) items.push_back(q);
    auto doc = std::make_unique<TDocument>();
    doc->InsertEntries(items, -1, &library);
    return doc;
}

fs::path Folder() {
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / "qb_sheets_bench";
        fs::create_directories(f);
        std::ofstream students(f / "class.ptx", std::ios::binary);
        for (int i = 1; i <= 39; ++i)
            students << "Surname" << i << ",Forename" << i << ",01/09/2011," << (i % 2 ? "F" : "M")
                     << "\r\n";
        return f;
    }();
    return folder;
}

void BM_MarkSheet200Questions39Students(benchmark::State& state) {
    auto doc = MakeTest(200);
    TMarkSheetRequest request;
    request.TemplatePath = QB_SOURCE_DIR "/data/sample/marksheet.qbt";
    request.StudentList = (Folder() / "class.ptx").string();
    const std::string out = (Folder() / "marks.xlsx").string();
    for (auto _ : state)
        WriteMarkSheet(*doc, *Library().Library, request, out);
}
BENCHMARK(BM_MarkSheet200Questions39Students)->Unit(benchmark::kMillisecond);

void BM_FileIndex1000Questions(benchmark::State& state) {
    auto doc = MakeTest(1000);
    const std::string out = (Folder() / "index.xlsx").string();
    for (auto _ : state)
        WriteFileIndex(*doc, *Library().Library, out);
}
BENCHMARK(BM_FileIndex1000Questions)->Unit(benchmark::kMillisecond);

} // namespace
