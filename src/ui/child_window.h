#pragma once

class QMdiSubWindow;

// A child window's own menu would take Ctrl+W for Close, which is the main window's key for
// the Viewer; the child's Close moves to Ctrl+F4, as in other multiple-document programs.
void FreeCtrlW(QMdiSubWindow& child);
