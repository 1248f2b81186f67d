#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <vector>

class TTextSegment;

// Rows over a vector of segments held elsewhere; the owner calls Reset after changing
// it. The display text (identifier and title) is what assistive technology reads.
class TSegmentListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum { SegmentRole = Qt::UserRole + 1 };
    // Resource rows name their identity: full identifier and the identity's title.
    enum class TStyle { Entry, Resource };

    explicit TSegmentListModel(const std::vector<TTextSegment*>& segments,
                               QObject* parent = nullptr)
        : QAbstractListModel(parent), fSegments(segments) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void Reset(TStyle style = TStyle::Entry);
    TStyle Style() const { return fStyle; }
    TTextSegment* Segment(int row) const;

private:
    const std::vector<TTextSegment*>& fSegments;
    TStyle fStyle = TStyle::Entry;
};

// Draws a row of 33 pixels: the pale sky-blue fill when selected, then the entry.
class TSegmentDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 33;
    using QStyledItemDelegate::QStyledItemDelegate;
    // Entries in the text list are indented by their identity's depth.
    void SetIndentByDepth(bool on) { fIndent = on; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    bool fIndent = false;
};

// A list of segment rows: several rows selectable with Ctrl and Shift, and dragging
// the application's selection on press-and-move.
class TSegmentListView : public QListView {
    Q_OBJECT
public:
    explicit TSegmentListView(QWidget* parent = nullptr);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};
