// Speed of the Viewer and the text-list window on the large library: a click on a
// question until its 5 KB text is painted in the Viewer, and the text-list window
// filled with 100,000 mark schemes and painted.
#include "synthetic_library.h"

#include "app/logic/app_logic.h"
#include "finder/browse_commands.h"
#include "finder/segment_list.h"
#include "finder/ts_list_form.h"
#include "finder/view_manager.h"
#include "finder/viewer_form.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "output/richtext/rich_text_control.h"
#include "ui/drawing/drawing.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {
void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_viewer_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

class TNoPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string&, bool) override { return TAnswer::No; }
    void Inform(const std::string&) override {}
};

class TNoChooser : public TRelatedChooser {
public:
    bool Choose(const std::vector<TTextSegment*>&, TTextSegment*&) override { return false; }
};

// About 5 KB of RTF: a heading, formatted paragraphs and the end mark.
std::string FiveKilobyteText(int n) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 "
                      "TIMES NEW ROMAN;}}\\pard\\plain\\f0\\fs24\\b Question " +
                      std::to_string(n) + "\\b0\\par ";
    while (rtf.size() < 5000)
        rtf += "A trolley of mass {\\b 0.80 kg} runs down a ramp inclined at {\\i 12\\'b0} "
               "to the horizontal; find its acceleration and the time it takes.\\par ";
    return rtf + "-\\par}";
}

void Put32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// The large library, every question with a mark scheme, open in an application logic
// object; the first 64 questions carry 5 KB texts.
struct TBenchApp {
    TNoPrompts prompts;
    TAppLogic app{prompts};
    std::vector<TQuestion*> clicked;

    TBenchApp() {
        TSyntheticOptions options;
        options.MarkSchemePercent = 100;
        TSyntheticLibrary made = MakeSyntheticLibrary(options);
        std::vector<TTextChunk*> chunks;
        TCategoryIterator it(made.Library->QuestionRoot.get());
        while (TCategory* c = it.Next()) {
            auto* identity = static_cast<TIdentityCategory*>(c);
            for (char kind : {'Q', 'M', 'E', 'N'})
                if (TTextSegment* s = identity->SegmentFor(kind)) chunks.push_back(s->Chunk.get());
            if (auto* q = dynamic_cast<TQuestion*>(identity->Question.get());
                q && clicked.size() < 64) {
                const std::string line = FiveKilobyteText(int(clicked.size()) + 1);
                q->Chunk->Offset = static_cast<std::int32_t>(made.Text.size());
                Put32(made.Text, 1);
                Put32(made.Text, static_cast<std::uint32_t>(line.size()));
                made.Text += line;
                clicked.push_back(q);
            }
        }
        auto store = std::make_unique<TTextStore>(std::make_unique<TMemoryStream>(made.Text));
        for (TTextChunk* chunk : chunks)
            chunk->Store = store.get();
        app.SetLibrary("Bench", std::move(store), std::move(made.Library));
        BuildSymbolTables(*app.Library());
    }
};

TBenchApp& Bench() {
    EnsureApplication();
    static TBenchApp* bench = new TBenchApp; // lives until the process ends
    return *bench;
}

void BM_ViewerShowsClickedQuestion(benchmark::State& state) {
    TBenchApp& b = Bench();
    TViewManager manager;
    TNoChooser chooser;
    QMainWindow frame;
    auto* workspace = new QMdiArea;
    frame.setCentralWidget(workspace);
    frame.resize(1200, 800);
    frame.show();
    TViewerForm viewer(b.app, manager, chooser, frame, *workspace);
    manager.Show();
    TItemList* list = b.app.SelectorList();
    std::size_t n = 0;
    for (auto _ : state) {
        // As the finder's click does; the first questions of the tree head its list.
        const int row = int(n++ % b.clicked.size());
        b.app.SetCurrentList(list, row);
        b.app.SetSelection({b.clicked[std::size_t(row)]}, list);
        viewer.repaint();
        viewer.Text()->repaint();
    }
    state.counters["chars"] = viewer.Text()->EndPosition();
}
BENCHMARK(BM_ViewerShowsClickedQuestion)->Unit(benchmark::kMillisecond);

void BM_TextListFillsMarkSchemes(benchmark::State& state) {
    TBenchApp& b = Bench();
    TTSListManager manager;
    TTSListForm list(b.app, manager, nullptr);
    list.resize(400, 600);
    manager.ShowKind(TListKind::MarkScheme);
    for (auto _ : state) {
        list.Fill();
        list.repaint();
    }
    state.counters["rows"] = list.List()->model()->rowCount();
}
BENCHMARK(BM_TextListFillsMarkSchemes)->Unit(benchmark::kMillisecond);
} // namespace
