#include "finder/segment_list.h"

#include "model/categories.h"
#include "model/segments.h"
#include "ui/drawing/drawing.h"
#include "ui/item_drag.h"
#include "ui/qt_text.h"

#include <QPainter>

#include <algorithm>

namespace {
const QColor kSelectedFill(166, 202, 240);
constexpr int kIndentStep = 15;
} // namespace

int TSegmentListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(fSegments.size());
}

TTextSegment* TSegmentListModel::Segment(int row) const {
    if (row < 0 || row >= int(fSegments.size())) return nullptr;
    return fSegments[std::size_t(row)];
}

QVariant TSegmentListModel::data(const QModelIndex& index, int role) const {
    TTextSegment* segment = Segment(index.row());
    if (!segment) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (fStyle == TStyle::Resource && segment->Identity)
            return FromCp1252(FullID(*segment->Identity)) + QStringLiteral("  ") +
                   FromCp1252(segment->Identity->Title);
        return FromCp1252(segment->GetID()) + QStringLiteral("  ") +
               FromCp1252(segment->GetTitle());
    case SegmentRole:
        return QVariant::fromValue(static_cast<void*>(segment));
    default:
        return {};
    }
}

Qt::ItemFlags TSegmentListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void TSegmentListModel::Reset(TStyle style) {
    beginResetModel();
    fStyle = style;
    endResetModel();
}

void TSegmentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    auto* segment =
        static_cast<TTextSegment*>(index.data(TSegmentListModel::SegmentRole).value<void*>());
    const QRect r = option.rect;
    painter->save();
    // The entry's texts blank their own background with the brush.
    const QColor fill = (option.state & QStyle::State_Selected) ? kSelectedFill : QColor(Qt::white);
    painter->fillRect(r, fill);
    painter->setBrush(fill);
    painter->setPen(Qt::black);
    auto* model = qobject_cast<const TSegmentListModel*>(index.model());
    if (segment && model && model->Style() == TSegmentListModel::TStyle::Resource) {
        const QFontMetrics fm(painter->font());
        const TIdentityCategory* identity = segment->Identity;
        if (identity) {
            painter->drawText(r.left() + 12, r.top() + fm.ascent(), FromCp1252(FullID(*identity)));
            painter->setPen(QColor(255, 0, 0));
            painter->drawText(r.left() + 12, r.top() + 15 + fm.ascent(),
                              FromCp1252(identity->Title));
        }
    } else if (segment) {
        const int depth = (fIndent && segment->Identity) ? segment->Identity->Depth() : 0;
        DrawSegmentEntry(*painter, *segment, r.top() + 2, r.left() + 2 + kIndentStep * depth,
                         r.right());
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TSegmentDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // Rows take the list's width: an entry is drawn to fit whatever width it gets.
    return QSize(1, kRowHeight);
}

TSegmentListView::TSegmentListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setItemDelegate(new TSegmentDelegate(this));
}

void TSegmentListView::startDrag(Qt::DropActions) {
    // The highlighted rows are the application's selection, which every list mirrors.
    QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    std::sort(rows.begin(), rows.end());
    QStringList ids;
    for (const QModelIndex& row : rows)
        if (auto* segment =
                static_cast<TTextSegment*>(row.data(TSegmentListModel::SegmentRole).value<void*>()))
            ids.push_back(FromCp1252(segment->GetID()));
    StartItemDrag(this, ids);
}
