#pragma once

#include "sheets/workbook.h"

#include <string>

// The first line of every mark sheet template; the format is in docs/file-formats.md.
inline constexpr const char* kTemplateHeader = "quarrybook-sheet-template 1";

// Reads a mark sheet template into the workbook it starts: its font, worksheets,
// labels, numbers, formulas, column widths and frozen panes. The template must give
// at least two worksheets and, on the first, cell B7 (the number of students, which
// the percentage formulas divide by) as a number or formula. Raises EInOutError when
// the file cannot be read and EDataError naming the line when it is not a template.
TWorkbook ReadSheetTemplate(const std::string& path);
// The same from the template's text; `name` says where it came from in messages.
TWorkbook ParseSheetTemplate(const std::string& text, const std::string& name);
