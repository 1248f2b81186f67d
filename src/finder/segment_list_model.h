#pragma once

#include <QAbstractListModel>

#include <vector>

class TQuestion;
class TTextSegment;

// The questions of a result held elsewhere, one row each, drawn by TSegmentDelegate
// (finder/segment_list.h). Rows read as the identifier and the title, for assistive
// technology and tests alike.
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
