#pragma once

#include <QHash>
#include <QString>
#include <QTextListFormat>

#include <array>
#include <vector>

class QTextCursor;
class QTextList;

// Lists as the reader collects them: the levels of \listtable, the \lsN numbers of
// \listoverridetable, and the old paragraph numbering of \pn groups.

constexpr int kRtfListLevels = 9;

struct TRtfListLevel {
    int nfc = 0;    // \levelnfcN: 0 decimal, 1-4 roman and letters, 23 bullet, 255 none
    int start = 1;  // \levelstartatN
    int follow = 0; // \levelfollowN: 0 tab, 1 blank, 2 nothing
    int font = -1;
    int leftIndent = 0; // twips
    int firstIndent = 0;
    // \leveltext as read: bytes as kRtfRawByte + byte, \uN as the character.
    std::vector<char32_t> text;
};
constexpr char32_t kRtfRawByte = 0x110000;

struct TRtfListDef {
    int id = 0;
    std::vector<TRtfListLevel> levels;
};

// A \pn description: one level of old-style numbering.
struct TRtfOldList {
    int level = 0;
    int nfc = 0; // as \levelnfc
    int start = 1;
    int font = -1;
    bool bullet = false;
    std::string before, after; // \pntxtb, \pntxta as bytes
    bool operator==(const TRtfOldList&) const = default;
};

// The list a paragraph belongs to, as the document takes it.
struct TRtfParaList {
    int id = 0; // 0: none
    int level = 0;
    QTextListFormat format;
};

// Puts paragraphs into the document's lists: one QTextList per level of each list,
// a level starting afresh after an item of a level above it.
class TRtfListJoiner {
public:
    void Join(QTextCursor& cursor, const TRtfParaList& list);

private:
    QHash<int, std::array<QTextList*, kRtfListLevels>> open_;
};

// The QTextListFormat for a level: style, marker template and the properties the
// writer reads back. `marker` holds the decoded \leveltext.
QTextListFormat RtfListFormat(int id, int level, int nfc, int start, int follow,
                              const QString& marker);
