#pragma once

#include <QString>

#include <string>

// What the title dialog passes on, as typed.
struct TTitleValues {
    QString title;
    QString subtitle;
    QString date;
    QString timeAllowed;
    QString totalMarks;
    QString instructions;
    bool fullPage = false;
};

struct TSectionValues {
    QString title;
    QString instruction;
    bool newPage = false;
};

// A typed value as it enters an RTF text in code page 1252: "\", "{" and "}" are
// escaped and characters the code page lacks become \uN with a "?" for readers that
// skip Unicode, so that what was typed is what prints. Control characters other
// than the tab are dropped: a NUL would end the stored text early.
std::string EscapeRtfValue(const QString& value);

// The RTF of a title page and of a section heading, built from fixed fragments and
// the values; `organisation` heads the title page. Both end with the end mark.
std::string BuildTitleRtf(const TTitleValues& values, const QString& organisation);
std::string BuildSectionRtf(const TSectionValues& values);
