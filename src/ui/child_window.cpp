#include "ui/child_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>

void FreeCtrlW(QMdiSubWindow& child) {
    if (!child.systemMenu()) return;
    for (QAction* action : child.systemMenu()->actions())
        if (action->shortcut() == QKeySequence(QKeySequence::Close))
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
}
