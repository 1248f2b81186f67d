#pragma once

#include "output/rtf/rtf_types.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// The whole document as one RTF string in code page 1252 bytes.
QByteArray WriteRtf(const QTextDocument& doc, const TRtfExtras& extras = {});

// Writes it to a file; returns false (and leaves no half-written file) on failure,
// with an error message.
bool SaveRtfFile(const QTextDocument& doc, const TRtfExtras& extras, const QString& path,
                 QString* error = nullptr);
