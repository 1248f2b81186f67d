#pragma once

#include "output/rtf/rtf_text_areas.h"

#include <vector>

class QTextDocument;

// Adds the footnotes of a text inserted at [from, to) of `doc` to the notes the
// document has, `into`: the text's marks are made to refer to them, and the notes
// numbered in the text are numbered on after those before them.
void AppendNotes(QTextDocument& doc, int from, int to, std::vector<TRtfText>&& notes,
                 std::vector<TRtfText>& into);
