#pragma once

class QTextBlockFormat;
class TRtfSink;

class QTextBlock;

// Whether the paragraph starts a section (RtfProperty::SectionBreak).
bool StartsSection(const QTextBlock& block);

// Writes the section a paragraph starts before the paragraph: \sect unless the
// paragraph before ended with it (`ended`), then \sectd and the section's own
// values. The document's first section has been opened by the header and only
// gets its values. `footerDistance` is the document's, which \sectd would reset.
// Returns whether the section start itself breaks the page, so that the paragraph
// need not ask for a break of its own.
bool WriteSectionStart(TRtfSink& sink, const QTextBlockFormat& format, bool first, bool ended,
                       int footerDistance);

// Writes \column when the paragraph starts a new column.
void WriteColumnBreak(TRtfSink& sink, const QTextBlockFormat& format);
