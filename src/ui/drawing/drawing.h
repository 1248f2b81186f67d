#pragma once

#include <QIcon>
#include <QPixmap>

class QAbstractButton;
class QPainter;
class TCategory;
class TDictionary;
class TLibrary;
class TTextSegment;

// The shared drawing resources every list of the program draws with: three bitmaps,
// the kind-icon and category-symbol tables, and the drawing routines.
//
// Bitmaps: "BMP_ICONS" 22 x 192 (eight 22 x 24 kind icons, white transparent),
// "BMP_SYMBOLS" 320 x 8 (10 x 8 category symbols; time, collapsed and expanded glyphs
// at x = 296, 304, 312; green (0,128,0) transparent), "BMP_BUTTONS" 64 x 256 (16 x 16
// button glyph cells, four per row).
const QPixmap& IconsBitmap();
const QPixmap& SymbolsBitmap();
const QPixmap& ButtonsBitmap();
// The program's own icon, in the sizes a desktop asks for (16 to 256 pixels).
QIcon ProgramIcon();

// Class of a segment -> icon number.
TDictionary& KindIcons();
// Category -> symbol number.
TDictionary& CategorySymbols();
// Icon number of a segment's kind; kinds without an entry (resources) get icon 6.
int KindIconOf(const TTextSegment& segment);
// Fills both tables from the open library; question types get symbols 1 up, levels 17 up.
void BuildSymbolTables(const TLibrary& library);

void DrawSegmentEntry(QPainter& painter, const TTextSegment& segment, int top, int left, int right);
void DrawCategoryLabel(QPainter& painter, const TCategory& category, int y, int x);
// Gives a tool button its glyph, enabled and disabled.
void LoadButtonGlyph(QAbstractButton& button, int glyphIndex);
// The glyph strip of a table entry: 16 high, 16 x count wide.
QPixmap ButtonGlyph(int glyphIndex);
// A glyph's disabled look: its dark lines engraved in grey with a white edge, the rest clear.
QPixmap DisabledGlyph(const QPixmap& enabled);
