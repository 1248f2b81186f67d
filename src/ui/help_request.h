#pragma once

#include <functional>

class QWidget;

// Windows outside the application core ask for their manual section through this; the
// main window installs the handler that opens the help window.
void SetHelpHandler(std::function<void(int context)> handler);
void RequestHelp(int context);
// F1 anywhere in `window` (a window or a part of one) asks for `context`.
void InstallHelpKey(QWidget* window, int context);
