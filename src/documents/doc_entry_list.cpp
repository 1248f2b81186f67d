#include "documents/doc_entry_list.h"

#include "model/document.h"
#include "model/segments.h"
#include "ui/drawing/drawing.h"
#include "ui/item_drag.h"
#include "ui/qt_text.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

namespace {
const QColor kSelectedFill(166, 202, 240);
const QColor kNumberColour(0, 0, 128);
constexpr int kEdge = 5;
constexpr int kEdgeRepeatMs = 80;
} // namespace

int TDocEntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(fRows.size());
}

TDocContent* TDocEntryModel::Entry(int row) const {
    if (row < 0 || row >= int(fRows.size())) return nullptr;
    return fRows[std::size_t(row)];
}

QVariant TDocEntryModel::data(const QModelIndex& index, int role) const {
    TDocContent* entry = Entry(index.row());
    if (!entry) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        QString text;
        if (entry->Numbered) text = QString::number(entry->Number) + QStringLiteral("  ");
        if (const TTextSegment* s = entry->Segment) {
            const std::string id = s->GetID();
            if (!id.empty()) text += FromCp1252(id) + QStringLiteral("  ");
            text += FromCp1252(s->GetTitle());
        }
        return text;
    }
    case Qt::AccessibleDescriptionRole: {
        const TTextSegment* s = entry->Segment;
        if (!s) return {};
        QStringList parts;
        if (s->Marks > 0) parts << QStringLiteral("%1 marks").arg(s->Marks);
        if (s->Time > 0) parts << QStringLiteral("%1 min").arg(s->Time);
        return parts.join(QStringLiteral(", "));
    }
    case EntryRole:
        return QVariant::fromValue(static_cast<void*>(entry));
    default:
        return {};
    }
}

Qt::ItemFlags TDocEntryModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void TDocEntryModel::Synchronise(const std::vector<TDocContent*>& entries) {
    const int n = int(entries.size());
    const int m = int(fRows.size());
    auto at = [](const std::vector<TDocContent*>& v, int i) { return v[std::size_t(i)]; };
    if (n > m) {
        // Entries were added: insert a row wherever the rows and the entries part.
        for (int i = 0; i < n; ++i) {
            const int count = int(fRows.size());
            if (i >= count) {
                beginInsertRows({}, count, n - 1);
                fRows.insert(fRows.end(), entries.begin() + count, entries.end());
                endInsertRows();
                break;
            }
            if (at(fRows, i) != at(entries, i)) {
                beginInsertRows({}, i, i);
                fRows.insert(fRows.begin() + i, at(entries, i));
                endInsertRows();
            }
        }
    } else if (n == m) {
        // Entries were moved or changed: every row takes the entry at its place.
        if (n == 0) return;
        fRows = entries;
        emit dataChanged(index(0), index(n - 1));
    } else if (n > 0) {
        // Entries were removed: drop the rows that no longer match, run by run.
        int i = 0;
        while (i < int(fRows.size())) {
            if (i < n && at(fRows, i) == at(entries, i)) {
                ++i;
                continue;
            }
            int end = i;
            while (end < int(fRows.size()) && !(i < n && at(fRows, end) == at(entries, i)))
                ++end;
            beginRemoveRows({}, i, end - 1);
            fRows.erase(fRows.begin() + i, fRows.begin() + end);
            endRemoveRows();
        }
    } else {
        Clear();
        return;
    }
    // A change that mixed additions with removals leaves the rows out of step; a row
    // must never hold an entry that is gone, so start again from the entries.
    if (fRows != entries) {
        beginResetModel();
        fRows = entries;
        endResetModel();
    }
}

void TDocEntryModel::Clear() {
    if (fRows.empty()) return;
    beginRemoveRows({}, 0, int(fRows.size()) - 1);
    fRows.clear();
    endRemoveRows();
}

void TDocEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    auto* entry = static_cast<TDocContent*>(index.data(TDocEntryModel::EntryRole).value<void*>());
    const QRect r = option.rect;
    painter->save();
    // The entry's texts blank their own background with the brush.
    const QColor fill = (option.state & QStyle::State_Selected) ? kSelectedFill : QColor(Qt::white);
    painter->fillRect(r, fill);
    painter->setBrush(fill);
    painter->setPen(Qt::black);
    if (entry && entry->Segment) {
        int left = r.left() + 2;
        if (entry->Numbered) {
            painter->setPen(kNumberColour);
            const QFontMetrics fm(painter->font());
            painter->drawText(QRect(r.left() + 2, r.top() + 4, 40, fm.height()),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              QString::number(entry->Number));
            left = r.left() + 15;
        }
        DrawSegmentEntry(*painter, *entry->Segment, r.top() + 2, left, r.right());
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TDocEntryDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(1, kRowHeight);
}

TDocListView::TDocListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // Edge scrolling follows the pointer by one row, below.
    setAutoScroll(false);
    setItemDelegate(new TDocEntryDelegate(this));
    fEdgeTimer.setInterval(kEdgeRepeatMs);
    connect(&fEdgeTimer, &QTimer::timeout, this, [this] {
        if (!ScrollAtEdge(fEdgePos)) fEdgeTimer.stop();
    });
}

void TDocListView::startDrag(Qt::DropActions) {
    // As the other lists drag: the identifiers of the selected entries, one a line. A
    // drop on this list itself moves the entry instead of copying it.
    QStringList identifiers;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (const TDocContent* entry = static_cast<TDocEntryModel*>(model())->Entry(index.row()))
            identifiers << (entry->Segment ? FromCp1252(entry->Segment->GetID()) : QString());
    if (identifiers.isEmpty()) return;
    auto* data = new QMimeData;
    const QString text = identifiers.join(QLatin1Char('\n'));
    data->setData(QString::fromLatin1(kItemMimeType), text.toUtf8());
    data->setText(text);
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

bool TDocListView::Acceptable(const QDropEvent* event) const {
    // The payload is this program's selection: a drag from another program, even
    // another copy of this one, carries nothing that can be added here.
    if (!event->source() || !event->mimeData()->hasFormat(QString::fromLatin1(kItemMimeType)))
        return false;
    return !CanDrop || CanDrop(event->source() == this);
}

bool TDocListView::ScrollAtEdge(const QPoint& pos) {
    QScrollBar* bar = verticalScrollBar();
    const QModelIndex top = indexAt(QPoint(1, 1));
    if (pos.y() < kEdge && top.isValid() && top.row() > 0) {
        bar->setValue(bar->value() - 1);
        return true;
    }
    if (pos.y() > viewport()->height() - kEdge && indexAt(pos).isValid() &&
        bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + 1);
        return true;
    }
    return false;
}

void TDocListView::ShowDropRow(int row) {
    if (row == fDropRow) return;
    fDropRow = row;
    viewport()->update();
}

void TDocListView::dragEnterEvent(QDragEnterEvent* event) {
    if (Acceptable(event)) {
        event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TDocListView::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!Acceptable(event)) {
        ShowDropRow(-2);
        event->ignore();
        return;
    }
    event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    fEdgePos = pos;
    if (ScrollAtEdge(pos)) {
        if (!fEdgeTimer.isActive()) fEdgeTimer.start();
    } else {
        fEdgeTimer.stop();
    }
    ShowDropRow(indexAt(pos).row());
}

void TDocListView::dragLeaveEvent(QDragLeaveEvent* event) {
    fEdgeTimer.stop();
    ShowDropRow(-2);
    QListView::dragLeaveEvent(event);
}

void TDocListView::dropEvent(QDropEvent* event) {
    fEdgeTimer.stop();
    ShowDropRow(-2);
    if (!Acceptable(event)) {
        event->ignore();
        return;
    }
    const bool fromHere = event->source() == this;
    event->setDropAction(fromHere ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    const int row = indexAt(event->position().toPoint()).row();
    if (Dropped) Dropped(fromHere, row);
}

void TDocListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (fDropRow == -2) return;
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, 2));
    int y;
    if (fDropRow >= 0) {
        y = visualRect(model()->index(fDropRow, 0)).top() + 1;
    } else {
        const int rows = model() ? model()->rowCount() : 0;
        y = rows > 0 ? visualRect(model()->index(rows - 1, 0)).bottom() + 1 : 1;
    }
    painter.drawLine(0, y, viewport()->width(), y);
}
