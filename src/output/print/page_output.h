#pragma once

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class TRichTextControl;

// Draws pages `from` to `to` of the control, one page of the device each, every
// page scaled to fit the device's paper whole. The device's page layout must have no
// margins: the control's page carries its own.
void DrawPages(const TRichTextControl& control, QPagedPaintDevice& device, int from, int to);

// Every page of the control as a PDF document on the control's own paper, with the
// title and the program as creator in its metadata.
QByteArray PagesAsPdf(const TRichTextControl& control, const QString& title);

// The assembled text as RTF for a word processor: the footer, the page breaks, and
// the spacing between paragraphs as the pages show it.
QByteArray RtfAsPrinted(const TRichTextControl& control);

// Write the whole file or nothing: an existing file stays as it was when writing
// fails. Both raise EInOutError with the reason.
void WritePdfFile(const TRichTextControl& control, const QString& path, const QString& title);
void WriteRtfFile(const TRichTextControl& control, const QString& path);
