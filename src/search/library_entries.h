#pragma once

#include "search/text_index.h"

#include <functional>
#include <string>

class TLibrary;

// Turns one stored rich text into plain UTF-8 text without its end mark.
using TPlainTextFn = std::function<std::string(const std::string& rtf)>;

// The library's texts in library order: the question, syllabus and resource trees in
// pre-order, and within an identity its question, mark scheme, examiner's report,
// note, syllabus link and resource. The library must outlive the source.
TEntrySource LibraryEntries(const TLibrary& library, TPlainTextFn plainText);
