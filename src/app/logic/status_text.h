#pragma once

#include <string>

class TAppLogic;

// The main window's status line: where the selection stands in the current list, or
// how many items are selected, with their total marks and time. UTF-8.
std::string BuildStatusText(const TAppLogic& app);
