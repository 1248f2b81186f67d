#pragma once

#include <array>

// Where each tool-button glyph lives in the "BMP_BUTTONS" bitmap: the 16 x 16 cell at
// (16 x column, 16 x row) starts a strip of `count` cells; with two cells the second
// is the disabled image. Shared by the program and the bitmap generator, so that the
// artwork and its users cannot drift apart.
struct TGlyphCell {
    int column;
    int row;
    int count;
};

inline constexpr int kGlyphCellSize = 16;
inline constexpr int kGlyphColumns = 4;
inline constexpr int kGlyphRows = 16;

inline constexpr std::array<TGlyphCell, 40> kGlyphTable = {{
    {0, 0, 1},  {1, 0, 1},  {2, 0, 2},  {0, 1, 2},  {2, 1, 2},  {0, 2, 2},  {2, 2, 2},  {0, 3, 2},
    {2, 3, 2},  {0, 4, 2},  {2, 4, 2},  {0, 5, 2},  {0, 6, 2},  {3, 6, 1},  {0, 7, 2},  {2, 7, 2},
    {0, 8, 2},  {2, 8, 2},  {0, 9, 2},  {0, 10, 1}, {1, 10, 1}, {2, 10, 1}, {2, 9, 2},  {0, 11, 1},
    {1, 11, 1}, {2, 11, 1}, {3, 11, 1}, {0, 12, 1}, {1, 12, 1}, {2, 12, 1}, {3, 12, 1}, {0, 13, 2},
    {1, 13, 1}, {2, 13, 1}, {3, 13, 1}, {0, 14, 1}, {1, 14, 1}, {2, 14, 2}, {0, 15, 2}, {2, 15, 2},
}};

// True when the cell is the first (enabled) image of some glyph. The centre-align
// glyph claims a disabled image in the cell that holds the right-align picture; such
// a shared cell keeps its own picture and the glyph falls back to a generated
// disabled look.
constexpr bool IsEnabledGlyphCell(int column, int row) {
    for (const TGlyphCell& g : kGlyphTable)
        if (g.column == column && g.row == row) return true;
    return false;
}

// Whether the glyph's second cell really is its disabled image.
constexpr bool HasOwnDisabledImage(const TGlyphCell& g) {
    return g.count >= 2 && !IsEnabledGlyphCell(g.column + 1, g.row);
}

// Cells of "BMP_SYMBOLS" beyond the category symbols.
inline constexpr int kSymbolCellWidth = 10;
inline constexpr int kSymbolHeight = 8;
inline constexpr int kTimeGlyphX = 296;
inline constexpr int kCollapsedNodeX = 304;
inline constexpr int kExpandedNodeX = 312;
inline constexpr int kNodeGlyphSize = 8;

// "BMP_ICONS": kind icons one under the other.
inline constexpr int kKindIconWidth = 22;
inline constexpr int kKindIconHeight = 24;
inline constexpr int kKindIconCount = 8;
