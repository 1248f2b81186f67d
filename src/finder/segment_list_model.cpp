#include "finder/segment_list_model.h"

#include "finder/segment_list.h"

#include "model/segments.h"
#include "ui/qt_text.h"

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
    case TSegmentListModel::SegmentRole:
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
