#pragma once

#include <vector>

class TRichTextControl;

// Where one assembled entry ends (the position after its text) and whether it is a
// heading that belongs with the entry after it.
struct TEntrySpan {
    int end = 0;
    bool heading = false;
};

// The pages of an assembled document. Every text that ends in an end mark is kept
// whole on one page (a text without a mark goes with the one after it); one longer
// than a page starts a fresh page and runs on. Headings left at the foot of a page
// move to the next page with what they head, when both fit there. The end marks are
// removed, and every page that a text starts gets a page break of its own, so that a
// word processor reading the exported file starts the same pages.
void MakePages(TRichTextControl& control, const std::vector<TEntrySpan>& entries);
