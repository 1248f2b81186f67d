// Speed of test documents in their windows, on the large library: a 1,000-entry
// document opened and painted in its window; one entry inserted, moved or removed
// with the rows brought in step and repainted; the document saved with 100 free texts.
#include "synthetic_library.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "documents/doc_entry_list.h"
#include "documents/doc_form.h"
#include "documents/doc_form_creator.h"
#include "documents/file_commands.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "ui/drawing/drawing.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_documents_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

class TNoPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string&, bool) override { return TAnswer::No; }
    void Inform(const std::string&) override {}
};

class TNoDialogs : public TFileDialogs {
public:
    std::string ChooseDocumentToOpen() override { return {}; }
    std::string ChooseDocumentToSave(const std::string&) override { return {}; }
};

// About 600 bytes of typed RTF, as a teacher's instructions or a short question.
std::unique_ptr<TTextChunk> TypedText(int n) {
    std::string body = "Text " + std::to_string(n) + ": ";
    while (body.size() < 500)
        body += "Answer all the questions in the spaces provided. \\b Show your working.\\b0 ";
    return MakeChunk({"{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}}\\f0 ",
                      body, "\\par -\\par}"});
}

// The large library in an application logic object, a main window's workspace with
// the document windows, and the questions that documents are made of.
struct TBench {
    TNoPrompts prompts;
    TNoDialogs dialogs;
    TAppLogic app{prompts};
    QMainWindow frame;
    QMdiArea* workspace = new QMdiArea;
    std::unique_ptr<TDocFormCreator> creator;
    std::vector<TListItem> questions;
    std::string folder;

    TBench() {
        TSyntheticLibrary made = MakeSyntheticLibrary(TSyntheticOptions{});
        auto store = std::make_unique<TTextStore>(std::make_unique<TMemoryStream>(made.Text));
        TCategoryIterator it(made.Library->QuestionRoot.get());
        std::vector<TTextChunk*> chunks;
        while (TCategory* c = it.Next())
            if (auto* q = static_cast<TIdentityCategory*>(c)->Question.get()) {
                chunks.push_back(q->Chunk.get());
                questions.push_back(q);
            }
        for (TTextChunk* chunk : chunks)
            if (chunk) chunk->Store = store.get();
        app.SetLibrary("Bench", std::move(store), std::move(made.Library));
        BuildSymbolTables(*app.Library());
        frame.setCentralWidget(workspace);
        frame.resize(1200, 800);
        frame.show();
        creator = std::make_unique<TDocFormCreator>(app, dialogs, *workspace,
                                                    [] { return QSize(600, 700); });
        folder = (std::filesystem::temp_directory_path() /
                  ("qb-documents-bench-" + std::to_string(::getpid())))
                     .string();
        std::filesystem::create_directories(folder);
    }
    ~TBench() { std::filesystem::remove_all(folder); }

    // 1,000 entries: questions from all over the library, every tenth a free text.
    TDocLogic& MakeDocument() {
        TDocLogic& doc = app.NewDocument();
        const std::size_t step = questions.size() / 900;
        std::vector<TListItem> items;
        for (std::size_t i = 0; i < 900; ++i)
            items.push_back(questions[i * step]);
        doc.InsertEntries(items, -1);
        for (int t = 0; t < 100; ++t)
            doc.InsertTextEntry(t * 10, "Text " + std::to_string(t), false, TypedText(t), 0, 0);
        return doc;
    }
    TDocForm* Window(TDocLogic& doc) {
        for (auto* form : workspace->findChildren<TDocForm*>())
            if (form->DocLogic() == &doc) return form;
        return nullptr;
    }
    void Close(TDocLogic& doc) {
        app.CloseDocument(doc);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // As the event loop would: the list's posted layout, then the paint.
    static void Paint(TDocForm& form) {
        QApplication::processEvents();
        form.List()->viewport()->repaint();
    }
};

TBench& Bench() {
    EnsureApplication();
    static TBench* bench = new TBench; // lives until the process ends
    return *bench;
}

void BM_DocumentOpensInItsWindow(benchmark::State& state) {
    TBench& b = Bench();
    const std::string path = b.folder + "/open.vqd";
    {
        TDocLogic& doc = b.MakeDocument();
        doc.SaveToFile(path);
        b.Close(doc);
    }
    for (auto _ : state) {
        TDocLogic& doc = b.app.OpenDocument(path);
        TDocForm* form = b.Window(doc);
        form->raise();
        TBench::Paint(*form);
        state.PauseTiming();
        state.counters["rows"] = form->Model()->rowCount();
        b.Close(doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DocumentOpensInItsWindow)->Unit(benchmark::kMillisecond);

// 0: insert one entry in the middle, 1: move the first entry to the end, 2: remove one
// entry from the middle; each followed by the rows' synchronisation and a repaint.
void BM_EntryChangeSynchronised(benchmark::State& state) {
    TBench& b = Bench();
    TDocLogic& doc = b.MakeDocument();
    TDocForm* form = b.Window(doc);
    const int kind = int(state.range(0));
    std::size_t n = 0;
    for (auto _ : state) {
        auto& entries = doc.Document().Entries;
        switch (kind) {
        case 0:
            doc.InsertEntries({b.questions[n++ % b.questions.size()]}, 500);
            break;
        case 1:
            doc.MoveEntry(0, int(entries.size()) - 1);
            break;
        case 2:
            doc.RemoveEntries({entries[500].get()});
            break;
        }
        TBench::Paint(*form);
        state.PauseTiming();
        if (kind == 0) doc.RemoveEntries({entries[500].get()});
        if (kind == 2) doc.InsertEntries({b.questions[n++ % b.questions.size()]}, 500);
        state.ResumeTiming();
    }
    state.counters["rows"] = form->Model()->rowCount();
    b.Close(doc);
}
BENCHMARK(BM_EntryChangeSynchronised)
    ->ArgName("insert0_move1_remove2")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

void BM_DocumentSavesWithFreeTexts(benchmark::State& state) {
    TBench& b = Bench();
    TDocLogic& doc = b.MakeDocument();
    const std::string path = b.folder + "/save.vqd";
    for (auto _ : state)
        doc.SaveToFile(path);
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    b.Close(doc);
}
BENCHMARK(BM_DocumentSavesWithFreeTexts)->Unit(benchmark::kMillisecond);
} // namespace
