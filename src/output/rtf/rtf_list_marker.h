#pragma once

#include <QString>

class QTextBlock;
class QTextListFormat;

// The marker a list paragraph shows ("3.", "b)", "iv.", a bullet), as word
// processors number it: from the list's first item counting from its start
// number, with the numbers of the levels above where the marker names them
// ("2.1"). Empty for a paragraph outside any list.
QString RtfListMarker(const QTextBlock& block);
// What separates the marker from the text: a tab, a blank or nothing.
QString RtfListFollow(const QTextListFormat& format);
// A number in a list's style: 1, a, A, i, I (bullet styles give "").
QString RtfListNumber(int number, int style);
