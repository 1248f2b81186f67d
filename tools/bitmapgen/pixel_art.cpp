#include "pixel_art.h"

#include <cstdio>
#include <cstdlib>

QColor PaletteColour(char c) {
    switch (c) {
    case 'k':
        return {0, 0, 0};
    case 'd':
        return {64, 64, 64};
    case 'g':
        return {128, 128, 128};
    case 's':
        return {168, 168, 168};
    case 'l':
        return {220, 220, 220};
    case 'w':
        return {255, 255, 255};
    case 'y':
        return {255, 222, 60};
    case 'Y':
        return {205, 150, 20};
    case 'o':
        return {255, 140, 0};
    case 'r':
        return {220, 30, 30};
    case 'R':
        return {140, 0, 0};
    case 'b':
        return {40, 100, 220};
    case 'B':
        return {0, 0, 128};
    case 'c':
        return {160, 205, 255};
    case 'e':
        return {40, 170, 40};
    case 'E':
        return {0, 100, 0};
    case 'm':
        return {150, 50, 180};
    case 'M':
        return {220, 60, 160};
    case 'n':
        return {150, 90, 30};
    case 'N':
        return {215, 170, 110};
    case 't':
        return {0, 150, 150};
    case 'p':
        return {255, 248, 170};
    default:
        std::fprintf(stderr, "bitmapgen: no palette colour for '%c'\n", c);
        std::exit(2);
    }
}

void Paint(QImage& image, int x, int y, PixelMap rows, QColor key) {
    int dy = 0;
    for (std::string_view row : rows) {
        for (int dx = 0; dx < static_cast<int>(row.size()); ++dx) {
            char c = row[static_cast<std::size_t>(dx)];
            if (c == '.' || c == ' ') continue;
            QColor colour = PaletteColour(c);
            if (colour == key) colour = colour.red() > 0 ? colour.darker(101) : colour.lighter(101);
            if (colour == key) colour.setBlue(colour.blue() ^ 1);
            if (image.rect().contains(x + dx, y + dy)) image.setPixelColor(x + dx, y + dy, colour);
        }
        ++dy;
    }
}

void PaintDisabled(QImage& image, const QRect& from, QPoint to, QColor key) {
    const QColor shadow(128, 128, 128);
    const QColor highlight(255, 255, 255);
    auto isInk = [&](int x, int y) {
        if (!from.contains(x, y)) return false;
        QColor c = image.pixelColor(x, y);
        return c != key && qGray(c.rgb()) < 170;
    };
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            image.setPixelColor(to.x() + x, to.y() + y, key);
    // Highlight first, one pixel down and right, so that the grey covers it where both fall.
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            if (isInk(from.x() + x, from.y() + y) && x + 1 < from.width() && y + 1 < from.height())
                image.setPixelColor(to.x() + x + 1, to.y() + y + 1, highlight);
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            if (isInk(from.x() + x, from.y() + y))
                image.setPixelColor(to.x() + x, to.y() + y, shadow);
}
