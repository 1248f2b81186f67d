#include "finder/ts_list_form.h"

#include "app/logic/app_logic.h"
#include "finder/segment_list.h"
#include "finder/view_commands.h"
#include "model/categories.h"
#include "model/library.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QTabBar>
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
    layout->addWidget(fList, 1);
    layout->addWidget(fTabs);

    connect(fList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!fMirroring) RowsClicked();
    });
    connect(fList, &QAbstractItemView::clicked, this, [this] { RowsClicked(); });
    connect(fTabs, &QTabBar::currentChanged, this, &TTSListForm::TabChosen);
    fManager.AddObserver(MakeHandler<&TTSListForm::ManagerChanged>(this));
}

TTSListForm::~TTSListForm() {
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

void TTSListForm::Fill() {
    fSegments.clear();
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
                fSegments.push_back(text);
    }
    fModel->Reset(style);
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
