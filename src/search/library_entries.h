#pragma once

#include "search/text_index.h"

#include <functional>
#include <string>

#include <vector>

class TLibrary;
class TTextSegment;

// The texts of a library in the order LibraryEntries gives them, so that the rows of
// an index built from that source are these segments.
std::vector<const TTextSegment*> IndexedSegments(const TLibrary& library);

// Turns one stored rich text into plain UTF-8 text without its end mark.
using TPlainTextFn = std::function<std::string(const std::string& rtf)>;

// The library's texts in library order: the question, syllabus and resource trees in
// pre-order, and within an identity its question, mark scheme, examiner's report,
// note, syllabus link and resource. The library must outlive the source.
TEntrySource LibraryEntries(const TLibrary& library, TPlainTextFn plainText);
