#pragma once

#include <functional>
#include <string>

class QWidget;

// Runs a user action; an exception it raises is shown in a message box with its
// message and the window stays usable.
void RunReportingErrors(const std::function<void()>& action);
// The error box with one OK button; also written to standard error.
void ShowError(QWidget* parent, const std::string& utf8Message);
