#include "finder/ts_list_form.h"

#include "app/logic/app_logic.h"
#include "finder/segment_list.h"
#include "finder/text_search.h"
#include "finder/view_commands.h"
#include "model/categories.h"
#include "model/library.h"
#include "search/search_query.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_set>

namespace {
struct TTabSpec {
    TListKind kind;
    int glyph;
    const char* name;
};

constexpr TTabSpec kTabs[] = {
    {TListKind::MarkScheme, 19, "Mark schemes"},
    {TListKind::ExaminersReport, 21, "Reports"},
    {TListKind::Syllabus, 20, "Links"},
    {TListKind::Resource, 36, "Resources"},
};

// As in the Question Finder: long enough that a word is usually finished.
constexpr int kTypingPauseMs = 300;
const QString kSearchTip =
    QStringLiteral("Words that must all occur in the text; \"quoted words\" as a phrase; end "
                   "a word with * for its beginning");

int TabOf(TListKind kind) {
    for (int i = 0; i < 4; ++i)
        if (kTabs[i].kind == kind) return i;
    return -1;
}
} // namespace

TTSListForm::TTSListForm(TAppLogic& app, TTSListManager& manager, QWidget* parent)
    : QWidget(parent, Qt::Tool), fApp(app), fManager(manager) {
    setObjectName("TSListForm");
    setWindowTitle(QStringLiteral("Mark Scheme"));
    resize(360, 420);
    InstallHelpKey(this, 247);

    fModel = new TSegmentListModel(fSegments, this);
    fList = new TSegmentListView(this);
    fList->setObjectName("ListLB");
    fList->setAccessibleName(QStringLiteral("Texts"));
    fList->setModel(fModel);
    static_cast<TSegmentDelegate*>(fList->itemDelegate())->SetIndentByDepth(true);

    fTabs = new QTabBar(this);
    fTabs->setObjectName("TabSet");
    fTabs->setShape(QTabBar::RoundedSouth);
    fTabs->setIconSize(QSize(16, 16));
    fTabs->setExpanding(false);
    for (const TTabSpec& tab : kTabs) {
        const int i = fTabs->addTab(QIcon(ButtonGlyph(tab.glyph).copy(0, 0, 16, 16)), QString());
        fTabs->setTabToolTip(i, QString::fromUtf8(tab.name));
        fTabs->setAccessibleTabName(i, QString::fromUtf8(tab.name));
    }
    fTabs->setCurrentIndex(-1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->setSpacing(4);
    BuildSearchField();
    layout->addWidget(fSearchField);
    layout->addWidget(fList, 1);
    layout->addWidget(fTabs);
    setTabOrder(fSearchField, fList);
    setTabOrder(fList, fTabs);

    connect(fList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!fMirroring) RowsClicked();
    });
    connect(fList, &QAbstractItemView::clicked, this, [this] { RowsClicked(); });
    connect(fTabs, &QTabBar::currentChanged, this, &TTSListForm::TabChosen);
    fManager.AddObserver(MakeHandler<&TTSListForm::ManagerChanged>(this));
}

TTSListForm::~TTSListForm() {
    if (fTextSearch)
        fTextSearch->RemoveObserver(MakeHandler<&TTSListForm::TextSearchChanged>(this));
    Observe(false);
    fManager.RemoveObserver(MakeHandler<&TTSListForm::ManagerChanged>(this));
}

void TTSListForm::Observe(bool on) {
    if (on == fObserving) return;
    fObserving = on;
    if (on)
        fApp.AddObserver(MakeHandler<&TTSListForm::AppChanged>(this));
    else
        fApp.RemoveObserver(MakeHandler<&TTSListForm::AppChanged>(this));
}

void TTSListForm::ManagerChanged(TObservable*, const TCodeSet& codes) {
    if (codes.Has(vcKind)) {
        Fill();
        MirrorSelection();
    }
    if (!codes.Has(vcVisible)) return;
    if (!fManager.Visible()) {
        Observe(false);
        hide();
    } else if (isHidden()) {
        Observe(true);
        if (!fPlaced && parentWidget()) {
            fPlaced = true;
            const QRect frame = parentWidget()->geometry();
            move(frame.center() - rect().center());
        }
        MirrorSelection(); // the selection may have moved on while the window was hidden
        show();
        raise();
        activateWindow(); // so that the keys go to the list at once
        fList->setFocus();
    } else {
        raise();
        activateWindow();
        fList->setFocus();
    }
}

void TTSListForm::AppChanged(TObservable*, const TCodeSet& codes) {
    if (!fInClick && codes.Has(ncCurrentSelection)) MirrorSelection();
}

void TTSListForm::BuildSearchField() {
    fSearchField = new QLineEdit(this);
    fSearchField->setObjectName(QStringLiteral("SearchTextE"));
    fSearchField->setAccessibleName(QStringLiteral("Search text"));
    fSearchField->setClearButtonEnabled(true);
    fSearchField->setProperty("helpContext", 247);
    fSearchTimer = new QTimer(this);
    fSearchTimer->setSingleShot(true);
    fSearchTimer->setInterval(kTypingPauseMs);
    connect(fSearchTimer, &QTimer::timeout, this, &TTSListForm::RunTextSearch);
    connect(fSearchField, &QLineEdit::textEdited, fSearchTimer, qOverload<>(&QTimer::start));
    connect(fSearchField, &QLineEdit::returnPressed, this, &TTSListForm::RunTextSearch);
    // The clear button changes the text without an edit.
    connect(fSearchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) RunTextSearch();
    });
    SetTextSearch(nullptr);
}

void TTSListForm::SetTextSearch(TTextSearch* search) {
    if (fTextSearch)
        fTextSearch->RemoveObserver(MakeHandler<&TTSListForm::TextSearchChanged>(this));
    fTextSearch = search;
    if (fTextSearch) fTextSearch->AddObserver(MakeHandler<&TTSListForm::TextSearchChanged>(this));
    TextSearchChanged(nullptr, {});
}

void TTSListForm::TextSearchChanged(TObservable*, const TCodeSet&) {
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

void TTSListForm::RunTextSearch() {
    fSearchTimer->stop();
    const bool ready = fTextSearch && fTextSearch->Ready();
    const std::string expression =
        ready ? MatchExpression(fSearchField->text().toStdString()) : std::string();
    if (expression == fSearchedFor) return;
    ApplyTextFilter();
    MirrorSelection();
}

void TTSListForm::ApplyTextFilter() {
    const std::string typed = fSearchField->text().toStdString();
    const bool ready = fTextSearch && fTextSearch->Ready();
    const std::string searched = ready ? MatchExpression(typed) : std::string();
    if (fTextSearched && searched != fSearchedFor)
        fTextSearched(searched.empty() ? QStringList() : SearchTerms(fSearchField->text()));
    fSearchedFor = searched;
    const int oldIndex = fApp.CurrentList() == &fItems ? fApp.CurrentIndex() : -1;
    const TTextSegment* current = oldIndex >= 0 && oldIndex < int(fSegments.size())
                                      ? fSegments[std::size_t(oldIndex)]
                                      : nullptr;
    fSegments.clear();
    if (fSearchedFor.empty() || fManager.Kind() == TListKind::None) {
        fSegments = fAll;
    } else {
        const std::vector<const TTextSegment*> texts =
            fTextSearch->Find(typed, static_cast<char>(fManager.Kind()));
        const std::unordered_set<const TTextSegment*> found(texts.begin(), texts.end());
        for (TTextSegment* text : fAll)
            if (found.count(text)) fSegments.push_back(text);
    }
    fModel->Reset(fModel->Style());
    // The application's current list is this one: its place follows the current text.
    if (fApp.CurrentList() == &fItems) {
        const auto at = std::find(fSegments.begin(), fSegments.end(), current);
        RunReportingErrors([&] {
            fApp.SetCurrentList(&fItems, at == fSegments.end() ? -1 : int(at - fSegments.begin()));
        });
    }
}

void TTSListForm::Fill() {
    fAll.clear();
    const TLibrary* library = fApp.Library();
    const TListKind kind = fManager.Kind();
    auto style = TSegmentListModel::TStyle::Entry;
    if (library) {
        const char letter = static_cast<char>(kind);
        const TIdentityCategory* root = nullptr;
        switch (kind) {
        case TListKind::MarkScheme:
        case TListKind::ExaminersReport:
            root = library->QuestionRoot.get();
            break;
        case TListKind::Syllabus:
            root = library->SyllabusRoot.get();
            break;
        case TListKind::Resource:
            root = library->ResourceRoot.get();
            style = TSegmentListModel::TStyle::Resource;
            break;
        case TListKind::None:
            break;
        }
        // Pre-order, as the identity trees read: each identity before its parts.
        TCategoryIterator walk(root);
        while (TCategory* c = root ? walk.Next() : nullptr)
            if (TTextSegment* text = static_cast<TIdentityCategory*>(c)->SegmentFor(letter))
                fAll.push_back(text);
    }
    fSegments.clear(); // the old kind's place is no guide to the new one's
    fModel->Reset(style);
    ApplyTextFilter();
    static const char* const kCaptions[] = {"Mark Scheme", "Standards report", "Links",
                                            "Resources"};
    const int tab = TabOf(kind);
    if (tab >= 0) setWindowTitle(QString::fromUtf8(kCaptions[tab]));
    const QSignalBlocker quiet(fTabs);
    fTabs->setCurrentIndex(tab);
}

void TTSListForm::RowsClicked() {
    QModelIndexList rows = fList->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<TListItem> items;
    items.reserve(std::size_t(rows.size()));
    for (const QModelIndex& row : rows)
        items.push_back(fItems.Item(row.row()));
    const int current = fList->currentIndex().isValid() ? fList->currentIndex().row() : -1;
    // A click that changes nothing (the release after the press that selected) is quiet.
    if (fApp.SelectionSource() == &fItems && fApp.Selection() == items &&
        fApp.CurrentList() == &fItems && fApp.CurrentIndex() == current)
        return;
    fInClick = true;
    RunReportingErrors([&] {
        fApp.SetCurrentList(&fItems, current);
        fApp.SetSelection(std::move(items), &fItems);
    });
    fInClick = false;
}

void TTSListForm::MirrorSelection() {
    QItemSelection wanted;
    if (fApp.SelectionSource() == &fItems && fApp.CurrentList()) {
        const std::unordered_set<TListItem> selected(fApp.Selection().begin(),
                                                     fApp.Selection().end());
        const TItemList& list = *fApp.CurrentList();
        const int count = std::min(list.Count(), fModel->rowCount());
        int first = -1;
        for (int i = 0; i <= count; ++i) {
            const bool on = i < count && selected.count(list.Item(i)) > 0;
            if (on && first < 0) first = i;
            if (!on && first >= 0) {
                wanted.select(fModel->index(first), fModel->index(i - 1));
                first = -1;
            }
        }
    }
    QItemSelectionModel* model = fList->selectionModel();
    if (model->selection() == wanted) return;
    fMirroring = true;
    model->select(wanted, QItemSelectionModel::ClearAndSelect);
    fMirroring = false;
}

void TTSListForm::TabChosen(int index) {
    if (index < 0 || index >= 4) return;
    RunReportingErrors([this, index] { TCommand::Run<TViewKindCmd>(fManager, kTabs[index].kind); });
}

void TTSListForm::closeEvent(QCloseEvent* event) {
    // The manager decides; its notification hides the window.
    event->ignore();
    RunReportingErrors([this] { TCommand::Run<TCloseTSListCmd>(fManager); });
}
