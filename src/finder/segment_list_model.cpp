#include "finder/segment_list_model.h"

#include "model/segments.h"
#include "ui/drawing/drawing.h"
#include "ui/qt_text.h"

#include <QPainter>

TQuestionListModel::TQuestionListModel(const std::vector<TQuestion*>& items, QObject* parent)
    : QAbstractListModel(parent), fItems(items) {}

int TQuestionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fItems.size());
}

TQuestion* TQuestionListModel::Question(int row) const {
    if (row < 0 || row >= static_cast<int>(fItems.size())) return nullptr;
    return fItems[static_cast<std::size_t>(row)];
}

QVariant TQuestionListModel::data(const QModelIndex& index, int role) const {
    const TQuestion* q = Question(index.row());
    if (!q) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return SegmentRowText(*q);
    case TSegmentDelegate::kSegmentRole:
        return QVariant::fromValue(static_cast<void*>(const_cast<TQuestion*>(q)));
    default:
        return {};
    }
}

Qt::ItemFlags TQuestionListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

void TQuestionListModel::Refill() {
    beginResetModel();
    endResetModel();
}

QString SegmentRowText(const TTextSegment& segment) {
    const std::string id = segment.GetID();
    const QString shown = FromCp1252(id.empty() ? id : id.substr(1));
    const QString title = FromCp1252(segment.GetTitle());
    return title.isEmpty() ? shown : shown + QStringLiteral("  ") + title;
}

void TSegmentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    auto* segment = static_cast<TTextSegment*>(index.data(kSegmentRole).value<void*>());
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QColor fill = selected ? QColor(166, 202, 240) : option.palette.color(QPalette::Base);
    painter->save();
    painter->fillRect(r, fill);
    painter->setBrush(fill);
    painter->setFont(option.font);
    if (segment) DrawSegmentEntry(*painter, *segment, r.top() + 2, r.left() + 2, r.right());
    if (option.state & QStyle::State_HasFocus) {
        QPen pen(option.palette.color(QPalette::Text), 1, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TSegmentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), kRowHeight);
}
