#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <initializer_list>
#include <string_view>

// Pixel maps: one string per row, one character per pixel. '.' and ' ' leave the
// pixel as it is; every other character is a palette colour (see PaletteColour).
using PixelMap = std::initializer_list<std::string_view>;

QColor PaletteColour(char c);

// Paints a pixel map with its top-left corner at (x, y). A palette colour equal to
// `key` (the bitmap's transparent colour) is nudged so that it stays visible.
void Paint(QImage& image, int x, int y, PixelMap rows, QColor key);

// Paints the disabled look of the picture in `from` into the same-sized area at `to`:
// dark pixels become a grey etched into a white highlight, light pixels vanish.
void PaintDisabled(QImage& image, const QRect& from, QPoint to, QColor key);
