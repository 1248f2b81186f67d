#include "documents/doc_form.h"

#include "app/logic/app_logic.h"
#include "app/logic/codes.h"
#include "app/logic/doc_logic.h"
#include "documents/doc_entry_list.h"
#include "documents/file_commands.h"
#include "ui/child_window.h"
#include "ui/error_report.h"
#include "ui/help_request.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QShortcut>

#include <unordered_set>

namespace {
// Sets a flag for the length of a call.
class TBusy {
public:
    explicit TBusy(bool& flag) : fFlag(flag), fWas(flag) { fFlag = true; }
    ~TBusy() { fFlag = fWas; }

private:
    bool& fFlag;
    bool fWas;
};
} // namespace

TDocForm::TDocForm(TAppLogic& app, TFileDialogs& dialogs, QSize size, QWidget* parent)
    : QMdiSubWindow(parent), fApp(app), fDialogs(dialogs), fDoc(app.Documents().back()) {
    setObjectName("DocForm");
    // A border with its window menu and close box only.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    fModel = new TDocEntryModel(this);
    fList = new TDocListView(this);
    fList->setObjectName("DocLB");
    fList->setModel(fModel);
    setWidget(fList);
    InstallHelpKey(fList, 1);
    FreeCtrlW(*this);
    // Alt+Hyphen opens the window's menu, as in the Viewer.
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Minus), this);
    menuKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QShortcut::activated, this, &QMdiSubWindow::showSystemMenu);

    fDoc->AddObserver(MakeHandler<&TDocForm::Changed>(this));
    fApp.AddObserver(MakeHandler<&TDocForm::Changed>(this));
    setWindowTitle(QString::fromStdString(fDoc->DisplayName()));
    fList->setAccessibleName(QStringLiteral("Document ") + windowTitle());
    resize(size);
    std::vector<TDocContent*> entries;
    for (auto& e : fDoc->Document().Entries)
        entries.push_back(e.get());
    fModel->Synchronise(entries);

    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates was, Qt::WindowStates now) {
                if ((now & Qt::WindowActive) && !(was & Qt::WindowActive)) Activated();
            });
    connect(fList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!fBusy) RowsClicked();
    });
    connect(fList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!fBusy) RowsClicked();
    });
    fList->CanDrop = [this](bool fromHere) { return !fromHere || fApp.Selection().size() == 1; };
    fList->Dropped = [this](bool fromHere, int row) {
        RunReportingErrors([&] { Dropped(fromHere, row); });
    };
}

TDocForm::~TDocForm() {
    fApp.RemoveObserver(MakeHandler<&TDocForm::Changed>(this));
    if (fDoc) fDoc->RemoveObserver(MakeHandler<&TDocForm::Changed>(this));
}

void TDocForm::closeEvent(QCloseEvent* event) {
    // The Close command decides, and may ask to save first.
    event->ignore();
    if (!fDoc) return;
    RunReportingErrors([this] {
        fApp.SetCurrentDoc(fDoc);
        TCommand::Run<TCloseCmd>(fApp, fDialogs);
    });
}

void TDocForm::Activated() {
    if (!fDoc) return;
    TBusy busy(fBusy);
    fApp.SetCurrentDoc(fDoc);
}

void TDocForm::Changed(TObservable*, const TCodeSet& codes) {
    if (fBusy || !fDoc) return;
    if (codes.Has(ncCurrentDoc) && fApp.CurrentDoc() == fDoc) {
        if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
        fList->setFocus();
    }
    if (codes.Has(ncDocument)) {
        TBusy busy(fBusy);
        std::vector<TDocContent*> entries;
        entries.reserve(fDoc->Document().Entries.size());
        for (auto& e : fDoc->Document().Entries)
            entries.push_back(e.get());
        fModel->Synchronise(entries);
    }
    if (codes.Has(ncCurrentSelection)) SynchroniseSelection();
    if (codes.Has(ncFilename)) {
        setWindowTitle(QString::fromStdString(fDoc->DisplayName()));
        fList->setAccessibleName(QStringLiteral("Document ") + windowTitle());
    }
    if (codes.Has(ncDocDestroy)) Release();
}

void TDocForm::SynchroniseSelection() {
    TBusy busy(fBusy);
    QItemSelectionModel* selection = fList->selectionModel();
    TItemList* entries = &fDoc->EntryList();
    if (fApp.SelectionSource() != entries) {
        if (selection->hasSelection()) selection->clearSelection();
        return;
    }
    const std::unordered_set<TListItem> chosen(fApp.Selection().begin(), fApp.Selection().end());
    QItemSelection add, drop;
    for (int i = 0; i < fModel->rowCount(); ++i) {
        const bool want = chosen.count(fModel->Entry(i)) > 0;
        const QModelIndex index = fModel->index(i);
        if (want != selection->isSelected(index)) (want ? add : drop).select(index, index);
    }
    if (!drop.isEmpty()) selection->select(drop, QItemSelectionModel::Deselect);
    if (!add.isEmpty()) selection->select(add, QItemSelectionModel::Select);
    // Browsing the document from elsewhere (Next, Previous) keeps its row in view.
    if (fApp.CurrentList() == entries && fApp.CurrentIndex() >= 0 &&
        fApp.CurrentIndex() < fModel->rowCount()) {
        const QModelIndex current = fModel->index(fApp.CurrentIndex());
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        fList->scrollTo(current);
    }
}

void TDocForm::RowsClicked() {
    if (!fDoc) return;
    TBusy busy(fBusy);
    TItemList* entries = &fDoc->EntryList();
    fApp.SetCurrentList(entries, fList->currentIndex().row());
    std::vector<int> rows;
    for (const QModelIndex& index : fList->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<TListItem> items;
    items.reserve(rows.size());
    for (int row : rows)
        if (row < entries->Count()) items.push_back(entries->Item(row));
    fApp.SetSelection(std::move(items), entries);
}

void TDocForm::Dropped(bool fromHere, int row) {
    if (!fDoc) return;
    if (!fromHere) {
        fDoc->AddToDocument(fApp.Selection(), row);
        return;
    }
    const TDocContent* moving = dynamic_cast<TDocContent*>(fApp.SelectedItem());
    int from = moving ? fDoc->Document().IndexOf(moving) : -1;
    if (from < 0) from = fList->currentIndex().row();
    const int count = int(fDoc->Document().Entries.size());
    if (from < 0 || from >= count) return;
    const int to = row < 0 ? count - 1 : row;
    if (to != from) fDoc->MoveEntry(from, to);
    fApp.SetCurrentList(&fDoc->EntryList(), to);
    fApp.NotifySelection();
}

void TDocForm::Release() {
    fModel->Clear();
    fDoc->RemoveObserver(MakeHandler<&TDocForm::Changed>(this));
    fDoc = nullptr;
    // Gone from the workspace at once; freed once the current event has been handled.
    hide();
    deleteLater();
}
