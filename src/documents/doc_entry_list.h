#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <QTimer>

#include <functional>
#include <vector>

class TDocContent;

// The rows of a document window: one per entry, in the order the window last saw. The
// window brings the rows in step with the document's entries by the smallest change
// (an insert, a removal, or a refresh of every row when the count is unchanged), so
// that the rows around a change keep their selection.
class TDocEntryModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum { EntryRole = Qt::UserRole + 1 };

    explicit TDocEntryModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TDocContent* Entry(int row) const;
    const std::vector<TDocContent*>& Rows() const { return fRows; }
    void Synchronise(const std::vector<TDocContent*>& entries);
    void Clear();

private:
    std::vector<TDocContent*> fRows;
};

// Draws a row of 33 pixels: the pale sky-blue fill when selected, a numbered entry's
// number in navy at the left, then the entry.
class TDocEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 33;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The list of a document window. A drag carries the application's selection; a drop
// is handed to the window, which decides between moving an entry and adding texts.
class TDocListView : public QListView {
    Q_OBJECT
public:
    // Whether a drag from `fromHere` (this list) or another list may drop here.
    std::function<bool(bool fromHere)> CanDrop;
    // Row under the pointer, or -1 below the last row.
    std::function<void(bool fromHere, int row)> Dropped;

    explicit TDocListView(QWidget* parent = nullptr);
    // Scrolls one row when `pos` is at the top or bottom edge; true when it scrolled.
    bool ScrollAtEdge(const QPoint& pos);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Acceptable(const QDropEvent* event) const;
    void ShowDropRow(int row);

    // Holding the pointer still at an edge goes on scrolling.
    QTimer fEdgeTimer;
    QPoint fEdgePos;
    // Where a drop would insert, drawn as a line above that row; -2 for none.
    int fDropRow = -2;
};
