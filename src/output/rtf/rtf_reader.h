#pragma once

#include "output/rtf/rtf_types.h"

#include <QByteArray>
#include <QString>

class QTextDocument;
class QTextCursor;

// Replaces the document's content with the RTF text. Never throws on malformed input;
// whatever can be read is kept.
TRtfExtras LoadRtf(QTextDocument& doc, const QByteArray& rtf);
// Inserts the RTF text at the cursor (the "load RTF at the selection" operation).
TRtfExtras InsertRtf(QTextCursor& cursor, const QByteArray& rtf);
// Plain text as our reader sees it: one line per paragraph (joined by '\n'), table cells
// separated by '\t', hidden text left out.
QString RtfToPlainText(const QByteArray& rtf);
// The same for a document already read.
QString RtfDocumentPlainText(const QTextDocument& doc);
