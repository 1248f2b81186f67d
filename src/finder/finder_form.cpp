#include "finder/finder_form.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "finder/category_box.h"
#include "finder/finder_host.h"
#include "finder/item_list_view.h"
#include "finder/search_commands.h"
#include "finder/segment_list.h"
#include "finder/segment_list_model.h"
#include "finder/sizeable_panel.h"
#include "finder/text_search.h"
#include "finder/view_commands.h"
#include "finder/view_manager.h"
#include "framework/cp1252.h"
#include "model/library.h"
#include "model/segments.h"
#include "search/search_query.h"
#include "ui/child_window.h"
#include "ui/item_drag.h"
#include "ui/qt_controls.h"
#include "ui/qt_text.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <unordered_set>

namespace {

constexpr int kMinWidth = 313;
constexpr int kMinHeight = 150;
constexpr int kRowHeight = 17;
constexpr int kSearchTop = 56;
constexpr int kSearchHeight = 21;
constexpr int kListTop = kSearchTop + kSearchHeight + 4;
// Long enough that a word is usually finished before it is searched for.
constexpr int kTypingPauseMs = 300;
const QString kSearchTip =
    QStringLiteral("Words that must all occur in the question; \"quoted words\" as a phrase; "
                   "end a word with * for its beginning");

struct RowSpec {
    TDimension dimension;
    const char* box;
    const char* button;
    int left, top, width, buttonLeft;
    const char* name;
    const char* hint;
};

// In the order the rows are made; the tab order follows their places instead.
constexpr RowSpec kRowSpecs[] = {
    {TDimension::Identity, "QuestionPB", "QuestionB", 224, 8, 63, 288, "Question",
     "Search by question"},
    {TDimension::Topic, "TopicPB", "TopicB", 8, 8, 103, 112, "Topic", "Search by topic"},
    {TDimension::QuestionType, "QuestionTypePB", "QuestionTypeB", 8, 32, 103, 112, "Question type",
     "Search by question type"},
    {TDimension::Level, "LevelPB", "LevelB", 136, 32, 63, 200, "Level", "Search by level"},
    {TDimension::Paper, "PaperPB", "PaperB", 224, 32, 63, 288, "Paper", "Search by paper"},
    {TDimension::Resource, "ResPB", "ResB", 136, 8, 63, 200, "Resource", "Search by resource"},
};

constexpr TDimension kTabOrder[] = {TDimension::Topic,    TDimension::Resource,
                                    TDimension::Identity, TDimension::QuestionType,
                                    TDimension::Level,    TDimension::Paper};

std::size_t Slot(TDimension d) {
    return static_cast<std::size_t>(d);
}

const char* const kResourceQuestion =
    "This question requires a resource.  Would you like to add this to the document?";

} // namespace

TQFForm::TQFForm(TAppLogic& app, TViewManager& manager, TFinderHost& host, TCategoryPicker& picker)
    : QMdiSubWindow(nullptr), fApp(app), fManager(manager), fHost(host) {
    setObjectName(QStringLiteral("QFForm"));
    setWindowTitle(QStringLiteral("Question Finder"));
    setProperty("helpContext", kHelpContext);

    fManager.AddObserver(MakeHandler<&TQFForm::ManagerChanged>(this));
    fCloseCmd = MakeCommand<TCloseQFCmd>(nullptr, nullptr, [this] { showMinimized(); });
    fDockCmd = MakeCommand<TDockQFCmd>(nullptr, nullptr, fManager);

    fPanel = new TSizeablePanel;
    fPanel->setObjectName(QStringLiteral("QFPanel"));
    fPanel->setAccessibleName(windowTitle());
    fPanel->setProperty("helpContext", kHelpContext);
    fPanel->setFrameStyle(QFrame::NoFrame);
    fPanel->SetMinWidth(kMinWidth);
    fPanel->SetMinHeight(kMinHeight);
    fPanel->SetResizeVert(false);
    fPanel->SetResizeHoriz(true);

    fModel = new TQuestionListModel(app.Selector()->Matches(), fPanel);
    fList = new TItemListView(fPanel);
    fList->setObjectName(QStringLiteral("QuestionsLB"));
    fList->setAccessibleName(QStringLiteral("Questions"));
    fList->setProperty("helpContext", kHelpContext);
    fList->setModel(fModel);
    fList->setItemDelegate(new TSegmentDelegate(fList));
    connect(fList, &TItemListView::UserChanged, this, &TQFForm::ListClicked);
    connect(fList, &TItemListView::DragRequested, this, &TQFForm::DragSelection);
    connect(fPanel, &TSizeablePanel::Resized, this, &TQFForm::LayOutList);

    BuildRows(picker);
    BuildSearchField();

    setWidget(fPanel);
    fPanel->hide();
    setMinimumSize(kMinWidth + 8, kMinHeight + 27);
    resize(kInitialWidth, kInitialHeight);

    FreeCtrlW(*this);
    QAction* dock = systemMenu()->addAction(QStringLiteral("&Dock at Right Edge"));
    dock->setObjectName(QStringLiteral("DockQFM"));
    connect(dock, &QAction::triggered, this, [this] { fManager.SetDocked(true); });

    if (QMdiArea* area = fHost.Workspace()) area->addSubWindow(this);
    hide();
}

TQFForm::~TQFForm() {
    fManager.RemoveObserver(MakeHandler<&TQFForm::ManagerChanged>(this));
    if (fObservingApp) fApp.RemoveObserver(MakeHandler<&TQFForm::AppChanged>(this));
    if (fTextSearch) fTextSearch->RemoveObserver(MakeHandler<&TQFForm::TextSearchChanged>(this));
    fSearchCmds.clear();
    fControls.clear();
    // Docked, the panel belongs to the main window's dock, which goes with it; otherwise
    // it is this window's own.
    delete fDockWidget.data();
}

void TQFForm::BuildRows(TCategoryPicker& picker) {
    const TQuestionSelector& selector = *fApp.Selector();
    for (const RowSpec& spec : kRowSpecs) {
        Row& row = fRows[Slot(spec.dimension)];
        row.box =
            new TCategoryBox(selector, spec.dimension, QString::fromLatin1(spec.name), fPanel);
        row.box->setObjectName(QString::fromLatin1(spec.box));
        row.box->setGeometry(spec.left, spec.top, spec.width, kRowHeight);
        const TCategory* root = selector.Root(spec.dimension);
        const bool offered = root && !root->Name.empty();
        row.box->SetLabelVisible(offered);
        if (!offered) continue;

        auto* button = new QToolButton(fPanel);
        button->setObjectName(QString::fromLatin1(spec.button));
        button->setText(QStringLiteral("..."));
        button->setGeometry(spec.buttonLeft, spec.top, kRowHeight, kRowHeight);
        button->setToolTip(QString::fromLatin1(spec.hint));
        button->setAccessibleName(QString::fromLatin1(spec.hint));
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(this);
        row.button = button;
        fControls.push_back(std::make_unique<TButtonControl>(button));
        fSearchCmds.push_back(
            MakeCommand<TSearchCmd>(nullptr, fControls.back().get(), fApp, picker, spec.dimension));
    }
    QWidget* previous = nullptr;
    for (TDimension d : kTabOrder) {
        QWidget* button = fRows[Slot(d)].button;
        if (!button) continue;
        if (previous) setTabOrder(previous, button);
        previous = button;
    }
    if (previous) setTabOrder(previous, fList);
}

void TQFForm::BuildSearchField() {
    fSearchField = new QLineEdit(fPanel);
    fSearchField->setObjectName(QStringLiteral("SearchTextE"));
    fSearchField->setAccessibleName(QStringLiteral("Search text"));
    fSearchField->setToolTip(kSearchTip);
    fSearchField->setClearButtonEnabled(true);
    fSearchField->setProperty("helpContext", kHelpContext);
    fSearchField->setGeometry(8, kSearchTop, std::max(0, fPanel->width() - 16), kSearchHeight);
    fSearchTimer = new QTimer(this);
    fSearchTimer->setSingleShot(true);
    fSearchTimer->setInterval(kTypingPauseMs);
    connect(fSearchTimer, &QTimer::timeout, this, &TQFForm::RunTextSearch);
    connect(fSearchField, &QLineEdit::textEdited, fSearchTimer, qOverload<>(&QTimer::start));
    connect(fSearchField, &QLineEdit::returnPressed, this, &TQFForm::RunTextSearch);
    // The clear button changes the text without an edit.
    connect(fSearchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) RunTextSearch();
    });
    QWidget* last = nullptr;
    for (TDimension d : kTabOrder)
        if (fRows[Slot(d)].button) last = fRows[Slot(d)].button;
    if (last) setTabOrder(last, fSearchField);
    setTabOrder(fSearchField, fList);
    SetTextSearch(nullptr);
}

void TQFForm::SetTextSearch(TTextSearch* search) {
    if (fTextSearch) fTextSearch->RemoveObserver(MakeHandler<&TQFForm::TextSearchChanged>(this));
    fTextSearch = search;
    if (fTextSearch) fTextSearch->AddObserver(MakeHandler<&TQFForm::TextSearchChanged>(this));
    TextSearchChanged(nullptr, {});
}

void TQFForm::TextSearchChanged(TObservable*, const TCodeSet&) {
    if (!fTextSearch) {
        fSearchField->setEnabled(false);
        fSearchField->setPlaceholderText(QStringLiteral("Preparing the search index\u2026"));
        return;
    }
    fTextSearch->ShowStateIn(*fSearchField, kSearchTip);
    // Words typed before the index was ready are searched for now.
    fSearchedFor.clear();
    if (fTextSearch->Ready() && !fSearchField->text().isEmpty()) RunTextSearch();
}

void TQFForm::RunTextSearch() {
    fSearchTimer->stop();
    const bool ready = fTextSearch && fTextSearch->Ready();
    const std::string typed = fSearchField->text().toStdString();
    const std::string expression = ready ? MatchExpression(typed) : std::string();
    if (expression == fSearchedFor) return;
    fSearchedFor = expression;
    if (fTextSearched)
        fTextSearched(expression.empty() ? QStringList() : SearchTerms(fSearchField->text()));
    TQuestionSelector& selector = *fApp.Selector();
    if (expression.empty()) {
        if (selector.HasTextFilter()) selector.SetTextFilter(nullptr);
        return;
    }
    // A damaged index finds nothing rather than everything, and is rebuilt: the field
    // waits, and the words are searched for again once it is ready.
    const std::vector<const TTextSegment*> texts = fTextSearch->Find(typed, 'Q');
    auto found = std::make_shared<TQuestionSelector::TQuestionSet>();
    found->reserve(texts.size());
    for (const TTextSegment* text : texts)
        if (text->Kind() == 'Q') found->insert(static_cast<const TQuestion*>(text));
    selector.SetTextFilter(std::move(found));
}

QAbstractButton* TQFForm::SearchButton(TDimension d) const {
    return fRows[Slot(d)].button;
}

TCategoryBox* TQFForm::CategoryBox(TDimension d) const {
    return fRows[Slot(d)].box;
}

void TQFForm::LayOutList() {
    fSearchField->setGeometry(8, kSearchTop, std::max(0, fPanel->width() - 16), kSearchHeight);
    fList->setGeometry(8, kListTop, std::max(0, fPanel->width() - 16),
                       std::max(0, fPanel->height() - kListTop - 6));
}

void TQFForm::Restore() {
    if (isMinimized()) showNormal();
}

void TQFForm::FocusList() {
    if (!fPanel->IsDocked() && mdiArea()) mdiArea()->setActiveSubWindow(this);
    fList->setFocus();
}

void TQFForm::closeEvent(QCloseEvent* event) {
    // The window stays; closing it only tucks it away.
    event->ignore();
    fCloseCmd->Execute(nullptr);
}

bool TQFForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (auto* button = qobject_cast<QAbstractButton*>(watched);
            button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TQFForm::ManagerChanged(TObservable*, const TCodeSet& codes) {
    if (codes.Has(vcVisible)) {
        if (fManager.Visible())
            ShowFinder();
        else
            HideFinder();
    }
    if (codes.Has(vcDocked)) {
        if (fManager.Docked())
            DockPanel();
        else
            UndockPanel();
    }
}

void TQFForm::ShowFinder() {
    if (fShown) {
        fList->setFocus();
        return;
    }
    fShown = true;
    if (!fObservingApp) fApp.AddObserver(MakeHandler<&TQFForm::AppChanged>(this));
    fObservingApp = true;
    fPanel->show();
    if (fPanel->IsDocked())
        fDockWidget->show();
    else
        show();
    Fill();
    SyncHighlight();
}

void TQFForm::HideFinder() {
    if (fObservingApp) fApp.RemoveObserver(MakeHandler<&TQFForm::AppChanged>(this));
    fObservingApp = false;
    fShown = false;
    hide();
    if (fDockWidget) fDockWidget->hide();
    fPanel->hide();
}

void TQFForm::DockPanel() {
    QMainWindow* frame = fHost.Frame();
    if (!frame) return;
    if (!fPanel->IsDocked()) {
        hide();
        fPanel->hide();
        setWidget(nullptr);
        if (!fDockWidget) {
            fDockWidget = new QDockWidget(windowTitle(), frame);
            fDockWidget->setObjectName(QStringLiteral("QFDock"));
            fDockWidget->setAllowedAreas(Qt::RightDockWidgetArea);
            fDockWidget->setFeatures(QDockWidget::DockWidgetFloatable);
            // Floating it means taking it back into its own window.
            connect(fDockWidget, &QDockWidget::topLevelChanged, this, [this](bool floating) {
                if (!floating) return;
                fDockWidget->setFloating(false);
                QTimer::singleShot(0, this, [this] { fDockCmd->Execute(nullptr); });
            });
        }
        fDockWidget->setWidget(fPanel);
        fPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->addDockWidget(Qt::RightDockWidgetArea, fDockWidget);
        fDockWidget->setVisible(fShown);
        fPanel->setVisible(fShown);
        fPanel->ApplyLimits();
        fPanel->FitFrame(frame->size(), frame->minimumSize());
        frame->resizeDocks({fDockWidget}, {fDockedWidth}, Qt::Horizontal);
    }
    Refreshed();
}

void TQFForm::UndockPanel() {
    if (fPanel->IsDocked()) {
        fDockedWidth = fPanel->width();
        fDockWidget->setWidget(nullptr);
        if (QMainWindow* frame = fHost.Frame()) frame->removeDockWidget(fDockWidget);
        fDockWidget->hide();
        fPanel->setFrameStyle(QFrame::NoFrame);
        fPanel->SetMaxWidth(0);
        setWidget(fPanel);
        fPanel->ApplyLimits();
        if (fShown) {
            fPanel->show();
            show();
        }
    }
    Refreshed();
}

void TQFForm::Refreshed() {
    if (fApp.CurrentList() == fApp.SelectorList()) fList->viewport()->update();
    SyncHighlight();
}

void TQFForm::AppChanged(TObservable*, const TCodeSet& codes) {
    if (fBusy) return;
    if (codes.Has(ncSelectorResult)) Fill();
    if (codes.Has(ncCurrentSelection)) SyncHighlight();
}

void TQFForm::Fill() {
    fList->Quietly([this] { fModel->Refill(); });
    for (const Row& row : fRows)
        if (row.box) row.box->Refresh();
}

void TQFForm::SyncHighlight() {
    TItemList* result = fApp.SelectorList();
    QItemSelection wanted;
    if (result && fApp.SelectionSource() == result) {
        const std::unordered_set<TListItem> selected(fApp.Selection().begin(),
                                                     fApp.Selection().end());
        TItemList* current = fApp.CurrentList() ? fApp.CurrentList() : result;
        const int count = std::min(fModel->rowCount(), current->Count());
        for (int first = 0; first < count;) {
            if (!selected.count(current->Item(first))) {
                ++first;
                continue;
            }
            int last = first;
            while (last + 1 < count && selected.count(current->Item(last + 1)))
                ++last;
            wanted.select(fModel->index(first), fModel->index(last));
            first = last + 1;
        }
    }
    fList->Quietly([&] {
        QItemSelectionModel* model = fList->selectionModel();
        model->select(wanted, QItemSelectionModel::ClearAndSelect);
        if (fApp.CurrentList() == result && fApp.CurrentIndex() >= 0 &&
            fApp.CurrentIndex() < fModel->rowCount()) {
            const QModelIndex current = fModel->index(fApp.CurrentIndex());
            if (model->currentIndex() != current) {
                model->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
                fList->scrollTo(current);
            }
        }
    });
}

void TQFForm::ListClicked() {
    TItemList* result = fApp.SelectorList();
    if (!result) return;
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(fBusy);
    const int clicked = fList->currentIndex().isValid() ? fList->currentIndex().row() : -1;
    fApp.SetCurrentList(result, clicked);
    if (fHost.ResourcePromptOption() && clicked >= 0) OfferResource(clicked);
    std::vector<TListItem> items;
    TItemList* current = fApp.CurrentList();
    for (int row : fList->HighlightedRows())
        if (row < current->Count()) items.push_back(current->Item(row));
    fApp.SetSelection(std::move(items), current);
}

void TQFForm::OfferResource(int row) {
    const TQuestion* question = fModel->Question(row);
    if (!question || question->Resources.empty() || !question->Resources.front()) return;
    const std::string id = FullID(*question->Resources.front());
    std::vector<std::string>& offered = fHost.ResourcePromptList();
    if (std::find(offered.begin(), offered.end(), id) != offered.end()) return;
    offered.push_back(id);
    if (fApp.Prompts().Ask(kResourceQuestion, false) != TAnswer::Yes) return;
    if (TDocLogic* doc = fApp.CurrentDoc()) {
        std::vector<TListItem> resources(question->Resources.begin(), question->Resources.end());
        doc->AddToDocument(resources, 0);
    }
}

void TQFForm::DragSelection() {
    QStringList ids;
    for (TListItem item : fApp.Selection()) {
        if (const TTextSegment* segment = SegmentOfItem(item))
            ids.push_back(FromCp1252(segment->GetID()));
        else if (const auto* identity = dynamic_cast<const TIdentityCategory*>(item))
            ids.push_back(QStringLiteral("R") + FromCp1252(FullID(*identity)));
    }
    StartItemDrag(fList, ids);
}
