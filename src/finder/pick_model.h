#pragma once

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <vector>

class TCategory;
class TSet;

// The picker's rows: a tree under its root listed alphabetically (every category, by
// name without regard to case, the root first) or hierarchically (the root, then
// nodes that open and close in place).
class TPickModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kCategoryRole = Qt::UserRole + 1;
    static constexpr int kDepthRole = Qt::UserRole + 2;
    static constexpr int kCandidateRole = Qt::UserRole + 3;
    static constexpr int kExpandedRole = Qt::UserRole + 4;

    using QAbstractListModel::QAbstractListModel;
    void Fill(const TCategory* root, const TSet* candidates, bool alphabetical);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TCategory* Category(int row) const;
    int RowOf(const TCategory* category) const;
    bool Alphabetical() const { return fAlphabetical; }
    bool IsCandidate(const TCategory* category) const;
    // The candidate set is the caller's and goes when the picker closes.
    void ForgetCandidates() { fCandidates = nullptr; }
    bool CanOpen(int row) const;
    bool IsExpanded(int row) const;
    // What a double click on the row does: open a closed node, close an open one with
    // everything opened below it. Nothing for the root, a leaf, or an alphabetical list.
    void Toggle(int row);

private:
    struct Row {
        TCategory* category;
        int depth;
    };
    const TCategory* fRoot = nullptr;
    const TSet* fCandidates = nullptr;
    bool fAlphabetical = false;
    std::vector<Row> fRows;
};

// Draws a picker row: grey outside the candidate set, the root bold; hierarchically
// indented with its symbol and node glyph.
class TPickDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
