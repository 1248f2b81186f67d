#pragma once

#include <QString>

class TDocument;
class TRichTextControl;

// Puts a whole test document into a rich-text control the way it is printed: a
// footer with the organisation name and the page number, every entry's text in
// order with its number ("12.", bold) in front, then pages made so that every text
// that fits on a page stays whole on one, headings move to the page of what they
// head, and no end mark is left. Printing, the preview and both exports all show
// what this builds.
void AssembleDocument(TRichTextControl& control, const TDocument& document,
                      const QString& organisation);
