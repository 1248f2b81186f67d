#pragma once

#include <QFrame>

class QSize;

// A panel that carries a window's controls and can be docked at an edge of the main
// window. Its limits hold wherever it is; which of its edges the user may drag is
// given by ResizeHoriz and ResizeVert and enforced by the dock it sits in.
class TSizeablePanel : public QFrame {
    Q_OBJECT
public:
    explicit TSizeablePanel(QWidget* parent = nullptr);

    int MinWidth() const { return fMinWidth; }
    int MinHeight() const { return fMinHeight; }
    // 0: no maximum.
    int MaxWidth() const { return fMaxWidth; }
    int MaxHeight() const { return fMaxHeight; }
    bool ResizeHoriz() const { return fResizeHoriz; }
    bool ResizeVert() const { return fResizeVert; }

    // A minimum above the width widens the panel and lifts a smaller maximum; a
    // maximum below the width narrows it and lowers a larger minimum. Heights alike.
    void SetMinWidth(int value);
    void SetMinHeight(int value);
    void SetMaxWidth(int value);
    void SetMaxHeight(int value);
    void SetResizeHoriz(bool value);
    void SetResizeVert(bool value);

    // Whether it sits in a dock of the main window rather than in its own window.
    bool IsDocked() const;
    // Docked, it may take all of the frame but what the frame's minimum leaves
    // for the workspace.
    void FitFrame(const QSize& frame, const QSize& frameMinimum);
    // Re-applies the limits, as after moving into or out of a dock.
    void ApplyLimits();

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int fMinWidth = 0;
    int fMinHeight = 0;
    int fMaxWidth = 0;
    int fMaxHeight = 0;
    bool fResizeHoriz = true;
    bool fResizeVert = true;
};
