#pragma once

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <vector>

class TQuestion;
class TTextSegment;

// The questions of a result held elsewhere, one row each. Rows read as the identifier
// and the title, for assistive technology and tests alike.
class TQuestionListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TQuestionListModel(const std::vector<TQuestion*>& items, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    TQuestion* Question(int row) const;
    // The held result has changed.
    void Refill();

private:
    const std::vector<TQuestion*>& fItems;
};

// The text a list row of a segment reads as: its full identifier and its title.
QString SegmentRowText(const TTextSegment& segment);

// Draws a segment row with the shared segment-entry routine; highlighted rows take the
// pale sky blue of the finder's lists.
class TSegmentDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 33;
    // The model's user role that holds the row's segment.
    static constexpr int kSegmentRole = Qt::UserRole + 1;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
