#include "finder/item_list_view.h"

#include <algorithm>

TItemListView::TItemListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TItemListView::setModel(QAbstractItemModel* model) {
    QListView::setModel(model);
    if (!selectionModel()) return;
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TItemListView::Touched);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TItemListView::Touched);
}

QList<int> TItemListView::HighlightedRows() const {
    QList<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TItemListView::Touched() {
    if (!fQuiet) fTouched = true;
}

void TItemListView::Flush() {
    if (!fTouched) return;
    fTouched = false;
    emit UserChanged();
}

void TItemListView::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    Flush();
}

void TItemListView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    Flush();
}

void TItemListView::keyPressEvent(QKeyEvent* event) {
    QListView::keyPressEvent(event);
    Flush();
}

void TItemListView::startDrag(Qt::DropActions) {
    // The press that began the drag may have changed the rows; the window hears of it
    // before the drag takes the application's selection.
    Flush();
    emit DragRequested();
}
