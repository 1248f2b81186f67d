#pragma once

#include <QListView>

// A list of texts that tells its window when the user, not the program, changed the
// highlighted rows or the current row, and when the user starts dragging.
class TItemListView : public QListView {
    Q_OBJECT
public:
    explicit TItemListView(QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;

    // Runs a change of the rows made by the program, which raises no UserChanged.
    template <class F> void Quietly(F change) {
        const bool was = fQuiet;
        fQuiet = true;
        change();
        fQuiet = was;
    }
    // The highlighted rows in row order.
    QList<int> HighlightedRows() const;

signals:
    // After the mouse press, release or key that changed the highlighted or current row.
    void UserChanged();
    void DragRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void Touched();
    void Flush();

    bool fQuiet = false;
    bool fTouched = false;
};
