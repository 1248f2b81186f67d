// The Question Finder on the large library: a Start Search that lists every question,
// with the list filled and painted, a text search of two words, and the category
// picker opening on a topic tree of about 2,000 categories, listed alphabetically and
// hierarchically.
#include "synthetic_library.h"

#include "app/logic/app_logic.h"
#include "finder/finder_form.h"
#include "finder/finder_host.h"
#include "finder/item_list_view.h"
#include "finder/pick_form.h"
#include "finder/search_commands.h"
#include "finder/text_search.h"
#include "finder/view_manager.h"
#include "framework/collections.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/selector.h"
#include "model/text_store.h"
#include "search/library_entries.h"
#include "search/text_index.h"
#include "ui/drawing/drawing.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMdiArea>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_finder_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

class NoPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string&, bool) override { return TAnswer::No; }
    void Inform(const std::string&) override {}
};

class Host : public TFinderHost {
public:
    Host() : area(new QMdiArea) {
        frame.setCentralWidget(area);
        frame.resize(1024, 768);
    }
    QMainWindow* Frame() override { return &frame; }
    QMdiArea* Workspace() const override { return area; }
    bool ResourcePromptOption() const override { return false; }
    std::vector<std::string>& ResourcePromptList() override { return offered; }
    void ShowHelp(int) override {}
    QMainWindow frame;
    QMdiArea* area;
    std::vector<std::string> offered;
};

// Answers every search with the tree's root and Start Search.
class RootPicker : public TCategoryPicker {
public:
    TPickResult Execute(TCategory* root, const TSet&, TCategory*& choice) override {
        choice = root;
        return TPickResult::StartSearch;
    }
};

// An application over a generated library, with its windows.
struct Session {
    explicit Session(const TSyntheticOptions& options) {
        EnsureApplication();
        TSyntheticLibrary generated = MakeSyntheticLibrary(options);
        auto store = std::make_unique<TTextStore>(
            std::make_unique<TMemoryStream>(std::move(generated.Text)));
        for (const TTextSegment* text : IndexedSegments(*generated.Library))
            if (text->Chunk) text->Chunk->Store = store.get();
        app.SetLibrary("Bench", std::move(store), std::move(generated.Library));
        BuildSymbolTables(*app.Library());
    }
    NoPrompts prompts;
    TAppLogic app{prompts};
};

Session& LargeSession() {
    static Session session{TSyntheticOptions{}};
    return session;
}

void BM_FinderStartSearchOnTopicRoot(benchmark::State& state) {
    Session& s = LargeSession();
    Host host;
    RootPicker picker;
    TViewManager manager;
    TQFForm finder(s.app, manager, host, picker);
    finder.resize(340, 600);
    host.frame.show();
    manager.Show();
    QApplication::processEvents();
    TQuestionSelector& selector = *s.app.Selector();
    TCategory* narrow = s.app.Library()->TopicRoot->Children.front().get();
    QAbstractButton* topicButton = finder.SearchButton(TDimension::Topic);
    for (auto _ : state) {
        state.PauseTiming();
        selector.SetTopic(narrow, true);
        QApplication::processEvents();
        state.ResumeTiming();
        topicButton->click();
        finder.List()->viewport()->repaint();
    }
    state.counters["rows"] = finder.List()->model()->rowCount();
    manager.Hide();
}
BENCHMARK(BM_FinderStartSearchOnTopicRoot)->Unit(benchmark::kMillisecond);

// The index of the large library's stored texts as they are (the words of the rich
// text's markup besides), kept in QB_BENCH_DIR when set: building it takes a while.
std::shared_ptr<const TTextIndex> LargeIndex(const TLibrary& library) {
    const char* kept = std::getenv("QB_BENCH_DIR");
    const std::filesystem::path folder =
        kept ? kept : std::filesystem::temp_directory_path() / "qb_finder_bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "finder.index").string();
    const std::string key = "finder bench " + std::to_string(TSyntheticOptions{}.Questions);
    if (auto index = TTextIndex::OpenCurrent(path, key)) return index;
    return TTextIndex::Build(path, key, LibraryEntries(library, nullptr));
}

// What the window thread does once the index is ready: the segment of each
// of the index's rows, checked against a sample of them.
void BM_TextSearchTakesTheIndex(benchmark::State& state) {
    Session& s = LargeSession();
    const std::shared_ptr<const TTextIndex> index = LargeIndex(*s.app.Library());
    TTextSearch search(*s.app.Library());
    for (auto _ : state) {
        search.SetIndex(index);
        state.PauseTiming();
        search.SetIndex(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TextSearchTakesTheIndex)->Unit(benchmark::kMillisecond);

// Typing two words that every question's text holds, and Enter: the result narrowed to
// them, filled and painted. The synthetic texts read "... text number N".
void BM_FinderTwoWordTextSearch(benchmark::State& state) {
    Session& s = LargeSession();
    TTextSearch search(*s.app.Library());
    search.SetIndex(LargeIndex(*s.app.Library()));
    Host host;
    RootPicker picker;
    TViewManager manager;
    TQFForm finder(s.app, manager, host, picker);
    finder.SetTextSearch(&search);
    finder.resize(340, 600);
    host.frame.show();
    manager.Show();
    finder.SearchButton(TDimension::Topic)->click(); // every question
    QApplication::processEvents();
    QLineEdit* field = finder.SearchField();
    for (auto _ : state) {
        state.PauseTiming();
        field->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        field->setText(QStringLiteral("text numb*"));
        Q_EMIT field->returnPressed();
        finder.List()->viewport()->repaint();
    }
    state.counters["rows"] = finder.List()->model()->rowCount();
    state.counters["library_rows"] = static_cast<double>(s.app.Selector()->Matches().size());
    field->clear();
    manager.Hide();
}
BENCHMARK(BM_FinderTwoWordTextSearch)->Unit(benchmark::kMillisecond);

// About 2,000 topics: 20 subjects of 10 units of 9 topics each.
Session& WideTopicSession() {
    static Session session{[] {
        TSyntheticOptions o;
        o.Questions = 20000;
        o.Series = 50;
        o.TopicFanout[0] = 20;
        o.TopicFanout[1] = 10;
        o.TopicFanout[2] = 9;
        return o;
    }()};
    return session;
}

void PickerOpening(benchmark::State& state, bool alphabetical) {
    Session& s = WideTopicSession();
    TPickForm picker(s.app, nullptr);
    TCategory* root = s.app.Library()->TopicRoot.get();
    if (alphabetical)
        picker.AlphaButton()->setChecked(true);
    else
        picker.OutlineButton()->setChecked(true);
    const std::unique_ptr<TSet> candidates = s.app.Selector()->Available(TDimension::Topic);
    int categories = 0;
    for (TCategoryIterator it(root); it.Next();)
        ++categories;
    for (auto _ : state) {
        picker.Prepare(root, *candidates, root);
        picker.show();
        picker.List()->viewport()->repaint();
        state.PauseTiming();
        picker.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["categories"] = categories;
    state.counters["rows"] = picker.List()->model()->rowCount();
}

void BM_PickerOpenAlphabetical(benchmark::State& state) {
    PickerOpening(state, true);
}
void BM_PickerOpenHierarchical(benchmark::State& state) {
    PickerOpening(state, false);
}
BENCHMARK(BM_PickerOpenAlphabetical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickerOpenHierarchical)->Unit(benchmark::kMillisecond);

} // namespace
