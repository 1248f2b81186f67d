#pragma once

#include "output/rtf/rtf_types.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

// The formatting state of the reader. Character and paragraph properties are saved
// and restored with every group; the row definition lives until the next \trowd.
// All lengths are twips, as in the file.

// The most a page can hold across and down (the system's page). A paragraph or
// table length beyond it cannot be laid out as written, and a layout fed such
// lengths by the thousand only slices page after page of empty space.
constexpr int kRtfMaxAcross = TRtfPage{}.width;
constexpr int kRtfMaxDown = TRtfPage{}.height;

enum class TRtfUnderline : std::uint8_t { None, Single, Double, Thick, Dotted, Dashed, Wave, Word };

struct TRtfCharState {
    int font = -1; // index into the font table; -1: the document's default font
    int halfPoints = 24;
    int foreground = 0; // colour table index; 0: automatic
    int background = 0;
    int link = 0; // 1-based index of the hyperlink target; 0: none
    TRtfUnderline underline = TRtfUnderline::None;
    std::int8_t vertical = 0; // 1: superscript, -1: subscript
    std::uint8_t caps = 0;    // 1: all capitals, 2: small capitals
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    std::uint8_t pageField = 0; // a TRtfPageField: the run shows a live field
    bool noteNumber = false;    // the run is a footnote's number (\chftn)
    bool operator==(const TRtfCharState&) const = default;
};

enum class TRtfTabKind : std::uint8_t { Left, Center, Right, Decimal };

struct TRtfTabStop {
    int position = 0;
    TRtfTabKind kind = TRtfTabKind::Left;
    std::uint8_t leader = 0; // a TRtfTabLeader value
};

struct TRtfParaState {
    std::uint8_t align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: >0 at least, <0 exactly, 0 single
    bool lineMultiple = false;
    bool keep = false;
    bool keepNext = false;
    bool pageBreakBefore = false;
    std::int8_t widowControl = -1; // \widctlpar 1, \nowidctlpar 0, else the document's
    bool border = false;
    QColor background;            // \cbpat
    std::uint8_t borderSides = 0; // \brdrt \brdrl \brdrb \brdrr seen with a line style
    int tableDepth = 0;           // \intbl / \itapN
    int outlineLevel = -1;
    int listOverride = 0; // \lsN; 0: none
    int listLevel = 0;    // \ilvlN
    int oldList = -1;     // the \pn description in force, by index
    // The kind and leader of the tab stop that the next \tx or \tb completes.
    TRtfTabKind pendingTabKind = TRtfTabKind::Left;
    std::uint8_t pendingTabLeader = 0;
    std::vector<TRtfTabStop> tabs;
};

enum class TRtfBorderStyle : std::uint8_t { Single, Double, Thick, Dotted, Dashed };

struct TRtfBorder {
    int width = 0; // twips; a line style without width is a hairline
    bool line = false;
    TRtfBorderStyle style = TRtfBorderStyle::Single;
    QColor color;
};

enum TRtfSide { kTop, kLeft, kBottom, kRight, kInsideH, kInsideV };

struct TRtfCellDef {
    int right = 0;
    TRtfBorder borders[4];
    QColor background;
    QColor pattern;   // \clcfpat: the colour \clshdng mixes into the background
    int shading = -1; // \clshdng, in hundredths of a per cent
    // \clpad*, in the order top, left, bottom, right (-1: the row's); the file's
    // words for top and left are swapped, as word processors read them.
    int padding[4] = {-1, -1, -1, -1};
    std::int8_t paddingUnit[4] = {-1, -1, -1, -1}; // \clpadf*: 0 ignores the padding, 3 twips
    std::uint8_t valign = 0;                       // 0 top, 1 centre, 2 bottom
    bool hMergeFirst = false;
    bool hMerged = false;
    bool vMergeFirst = false;
    bool vMerged = false;
};

struct TRtfRowDef {
    int left = 0;
    int gap = 0;            // half the space between cells (\trgaph)
    std::uint8_t align = 0; // 0 left, 1 centre, 2 right
    bool header = false;
    int padding[4] = {-1, -1, -1, -1};             // \trpadd*: top, left, bottom, right
    std::int8_t paddingUnit[4] = {-1, -1, -1, -1}; // \trpaddf*: 0 ignores the padding, 3 twips
    int height = 0; // \trrh: >0 at least, <0 exactly, 0 as the text needs
    TRtfBorder borders[6];
    std::vector<TRtfCellDef> cells;
    TRtfCellDef pending; // properties of the cell that the next \cellx closes
};

// The section being read (\sectd and what follows it). Not saved with groups:
// section words hold until the next \sectd.
struct TRtfSectionState {
    TRtfSectionBreak start = TRtfSectionBreak::Page;
    int columns = 1;
    int gap = 720;
    bool lineBetween = false;
    // \colno \colw \colsr: width and space to its right of each column given.
    std::vector<int> widths;
    int column = -1; // the column that \colw and \colsr describe
};
