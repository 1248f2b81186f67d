#pragma once

#include <QByteArray>
#include <QString>
#include <QTextFormat>

// What an RTF file carries beyond the body text that QTextDocument has no place for.
struct TRtfFooter {
    bool present = false;
    // The footer paragraph's text; a live page number stands where
    // `pageNumberAt` says (-1: none), after a tab when the system writes it.
    QString text;
    int pageNumberAt = -1;
    double pointSize = 9.0;
    bool italic = true;
};

struct TRtfExtras {
    TRtfFooter footer;
};

// Properties the reader sets on QTextDocument formats and the writer reads back.
namespace RtfProperty {
enum : int {
    // QTextBlockFormat, bool: a box around the paragraph (the title texts' border).
    ParagraphBorder = QTextFormat::UserProperty + 1,
    // QTextBlockFormat, bool: keep the paragraph's lines on one page.
    KeepTogether,
    // QTextBlockFormat, bool: keep the paragraph on the page of the next one.
    KeepWithNext,
    // QTextCharFormat, bool: hidden text (kept, not shown).
    Hidden,
    // QTextCharFormat, int: the original RTF font family class, when known.
    FontFamilyClass,
};
}
