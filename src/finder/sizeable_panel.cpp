#include "finder/sizeable_panel.h"

#include <QDockWidget>
#include <QResizeEvent>

TSizeablePanel::TSizeablePanel(QWidget* parent) : QFrame(parent) {}

void TSizeablePanel::SetMinWidth(int value) {
    fMinWidth = std::max(0, value);
    if (fMaxWidth > 0 && fMaxWidth < fMinWidth) fMaxWidth = fMinWidth;
    ApplyLimits();
}

void TSizeablePanel::SetMinHeight(int value) {
    fMinHeight = std::max(0, value);
    if (fMaxHeight > 0 && fMaxHeight < fMinHeight) fMaxHeight = fMinHeight;
    ApplyLimits();
}

void TSizeablePanel::SetMaxWidth(int value) {
    fMaxWidth = std::max(0, value);
    if (fMaxWidth > 0 && fMinWidth > fMaxWidth) fMinWidth = fMaxWidth;
    ApplyLimits();
}

void TSizeablePanel::SetMaxHeight(int value) {
    fMaxHeight = std::max(0, value);
    if (fMaxHeight > 0 && fMinHeight > fMaxHeight) fMinHeight = fMaxHeight;
    ApplyLimits();
}

void TSizeablePanel::SetResizeHoriz(bool value) {
    fResizeHoriz = value;
    ApplyLimits();
}

void TSizeablePanel::SetResizeVert(bool value) {
    fResizeVert = value;
    ApplyLimits();
}

bool TSizeablePanel::IsDocked() const {
    return qobject_cast<QDockWidget*>(parentWidget()) != nullptr;
}

void TSizeablePanel::FitFrame(const QSize& frame, const QSize& frameMinimum) {
    if (fResizeVert)
        SetMaxHeight(frame.height() - frameMinimum.height() + fMinHeight);
    else if (fResizeHoriz)
        SetMaxWidth(frame.width() - frameMinimum.width() + fMinWidth);
}

void TSizeablePanel::ApplyLimits() {
    // Docked, an edge the user may not drag keeps the panel's present size.
    const bool docked = IsDocked();
    int minW = fMinWidth, maxW = fMaxWidth > 0 ? fMaxWidth : QWIDGETSIZE_MAX;
    int minH = fMinHeight, maxH = fMaxHeight > 0 ? fMaxHeight : QWIDGETSIZE_MAX;
    if (docked && !fResizeHoriz) minW = maxW = std::clamp(width(), minW, maxW);
    if (docked && !fResizeVert) {
        // A dock at the left or right edge spans the frame's height whatever the panel
        // says; only a top or bottom dock would keep it.
        auto* dock = qobject_cast<QDockWidget*>(parentWidget());
        if (dock && (dock->allowedAreas() & (Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea)))
            minH = maxH = std::clamp(height(), minH, maxH);
    }
    setMinimumSize(minW, minH);
    setMaximumSize(maxW, maxH);
    if (width() < minW || height() < minH || width() > maxW || height() > maxH)
        resize(std::clamp(width(), minW, maxW), std::clamp(height(), minH, maxH));
}

void TSizeablePanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    emit Resized();
}
