#include "finder/related_form.h"

#include "finder/segment_list.h"
#include "ui/help_request.h"

#include <QItemSelectionModel>
#include <QPushButton>

TRelatedForm::TRelatedForm(QWidget* parent) : QDialog(parent) {
    setObjectName("RelatedForm");
    setWindowTitle(QStringLiteral("Related Information"));
    setFixedSize(313, 198);
    InstallHelpKey(this, 189);

    fModel = new TSegmentListModel(fItems, this);
    fList = new TSegmentListView(this);
    fList->setObjectName("RelatedLB");
    fList->setAccessibleName(QStringLiteral("Related texts"));
    fList->setModel(fModel);
    fList->setGeometry(8, 8, 297, 153);

    fOk = new QPushButton(QStringLiteral("&OK"), this);
    fOk->setObjectName("OkB");
    fOk->setDefault(true);
    fOk->setEnabled(false);
    fOk->setGeometry(146, 167, 75, 25);
    fCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    fCancel->setObjectName("CancelB");
    fCancel->setGeometry(230, 167, 75, 25);
    connect(fOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(fCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A row clicked, or selected with the keyboard, makes OK available.
    connect(fList, &QAbstractItemView::doubleClicked, this, [this] {
        if (fOk->isEnabled()) accept();
    });
    connect(fList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { fOk->setEnabled(fList->selectionModel()->hasSelection()); });
}

TRelatedForm::~TRelatedForm() = default;

bool TRelatedForm::Choose(const std::vector<TTextSegment*>& candidates, TTextSegment*& chosen) {
    fItems = candidates;
    fModel->Reset();
    fOk->setEnabled(false);
    fList->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    // The row last clicked; with the keyboard, the first one selected.
    QModelIndex index = fList->currentIndex();
    if (!fList->selectionModel()->isSelected(index)) {
        const QModelIndexList rows = fList->selectionModel()->selectedRows();
        index = rows.isEmpty() ? QModelIndex() : rows.front();
    }
    const int row = index.isValid() ? index.row() : -1;
    if (ok && row >= 0) chosen = fModel->Segment(row);
    fItems.clear();
    fModel->Reset();
    fOk->setEnabled(false);
    return ok && row >= 0;
}
