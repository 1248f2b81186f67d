// Draws the program's three bitmaps. Run it after changing the artwork and commit the
// pictures it writes:  qb_bitmapgen src/ui/resources/bitmaps
#include "ui/drawing/glyph_table.h"
#include "pixel_art.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kIconKey(255, 255, 255);
const QColor kSymbolKey(0, 128, 0);
const QColor kButtonKey(192, 192, 192);

QFont SmallFont(int pixels, bool bold = true) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A kind icon: a sheet of paper with a folded corner and the kind's letter on a tab.
void DrawKindIcon(QPainter& p, int n, QColor colour, QChar letter) {
    const int y = (n - 1) * kKindIconHeight;
    p.save();
    p.translate(0, y);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(250, 250, 240));
    QPolygon sheet({QPoint(3, 2), QPoint(14, 2), QPoint(18, 6), QPoint(18, 21), QPoint(3, 21)});
    p.drawPolygon(sheet);
    p.drawLine(14, 2, 14, 6);
    p.drawLine(14, 6, 18, 6);
    p.setPen(QColor(160, 160, 160));
    for (int line = 13; line <= 19; line += 3)
        p.drawLine(6, line, 15, line);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(1, 3, 11, 9);
    p.setPen(QColor(254, 254, 254));
    p.setFont(SmallFont(9));
    p.drawText(QRect(1, 3, 11, 9), Qt::AlignCenter, letter);
    p.restore();
}

QImage Icons() {
    QImage image(kKindIconWidth, kKindIconHeight * kKindIconCount, QImage::Format_RGB32);
    image.fill(kIconKey);
    QPainter p(&image);
    DrawKindIcon(p, 1, QColor(30, 80, 200), 'Q');  // question
    DrawKindIcon(p, 2, QColor(20, 140, 40), 'M');  // mark scheme
    DrawKindIcon(p, 3, QColor(140, 50, 170), 'S'); // specification link
    DrawKindIcon(p, 4, QColor(220, 110, 0), 'E');  // examiner's report
    DrawKindIcon(p, 5, QColor(90, 90, 90), 'T');   // free text
    DrawKindIcon(p, 6, QColor(140, 80, 30), 'R');  // resource
    DrawKindIcon(p, 7, QColor(200, 160, 0), 'N');  // note
    DrawKindIcon(p, 8, QColor(0, 140, 140), '?');  // spare
    return image;
}

// 3 x 5 digits, so that a symbol number fits a 10 x 8 cell.
const char* const kDigits[10][5] = {
    {"kkk", "k.k", "k.k", "k.k", "kkk"}, {".k.", "kk.", ".k.", ".k.", "kkk"},
    {"kk.", "..k", ".k.", "k..", "kkk"}, {"kk.", "..k", ".k.", "..k", "kk."},
    {"k.k", "k.k", "kkk", "..k", "..k"}, {"kkk", "k..", "kk.", "..k", "kk."},
    {".kk", "k..", "kkk", "k.k", "kkk"}, {"kkk", "..k", ".k.", ".k.", ".k."},
    {"kkk", "k.k", "kkk", "k.k", "kkk"}, {"kkk", "k.k", "kkk", "..k", "kk."},
};

void DrawDigits(QImage& image, int x, int y, int number, QColor ink) {
    const QString text = QString::number(number);
    int dx = x + (text.size() == 1 ? 3 : 1);
    for (QChar c : text) {
        const auto& rows = kDigits[c.digitValue()];
        for (int r = 0; r < 5; ++r)
            for (int col = 0; col < 3; ++col)
                if (rows[r][col] == 'k') image.setPixelColor(dx + col, y + r, ink);
        dx += 4;
    }
}

// Question types: a coloured shape each (four shapes in four colours). Levels: a
// numbered badge, darker as the level rises.
QImage Symbols() {
    QImage image(320, kSymbolHeight, QImage::Format_RGB32);
    image.fill(kSymbolKey);
    QPainter p(&image);
    const QColor colours[4] = {QColor(30, 80, 200), QColor(210, 40, 40), QColor(230, 150, 0),
                               QColor(130, 50, 170)};
    for (int n = 1; n <= 16; ++n) {
        const int x = (n - 1) * kSymbolCellWidth;
        p.setPen(Qt::black);
        p.setBrush(colours[(n - 1) / 4]);
        switch ((n - 1) % 4) {
        case 0:
            p.drawEllipse(x + 1, 0, 7, 7);
            break;
        case 1:
            p.drawRect(x + 1, 0, 7, 7);
            break;
        case 2:
            p.drawPolygon(QPolygon({QPoint(x + 4, 0), QPoint(x + 8, 7), QPoint(x + 0, 7)}));
            break;
        case 3:
            p.drawPolygon(
                QPolygon({QPoint(x + 4, 0), QPoint(x + 8, 4), QPoint(x + 4, 7), QPoint(x + 0, 4)}));
            break;
        }
    }
    p.end();
    for (int n = 17; n <= 29; ++n) {
        const int x = (n - 1) * kSymbolCellWidth;
        const int shade = 230 - (n - 17) * 12;
        for (int yy = 0; yy < 8; ++yy)
            for (int xx = 0; xx < 9; ++xx)
                image.setPixelColor(x + xx, yy, QColor(shade, shade, 255));
        DrawDigits(image, x, 1, n - 16, QColor(0, 0, 96));
    }
    Paint(image, kTimeGlyphX, 0,
          {"..kkkk..", ".kwwwwk.", "kwwkwwwk", "kwwkwwwk", "kwwkkkwk", "kwwwwwwk", ".kwwwwk.",
           "..kkkk.."},
          kSymbolKey);
    Paint(image, kCollapsedNodeX, 0,
          {"kkkkkkkk", "kwwwwwwk", "kwwkwwwk", "kwkkkwwk", "kwwkwwwk", "kwwwwwwk", "kkkkkkkk",
           "........"},
          kSymbolKey);
    Paint(image, kExpandedNodeX, 0,
          {"kkkkkkkk", "kwwwwwwk", "kwwwwwwk", "kwkkkwwk", "kwwwwwwk", "kwwwwwwk", "kkkkkkkk",
           "........"},
          kSymbolKey);
    return image;
}

using Artwork = std::function<void(QPainter&)>;

void Page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
}

void Letter(QPainter& p, const QRect& r, const QString& text, QColor colour, int size = 11,
            bool bold = true) {
    p.setPen(colour);
    p.setFont(SmallFont(size, bold));
    p.drawText(r, Qt::AlignCenter, text);
}

void Arrow(QPainter& p, bool right, QColor colour) {
    p.setPen(Qt::black);
    p.setBrush(colour);
    if (right)
        p.drawPolygon(QPolygon({QPoint(2, 5), QPoint(8, 5), QPoint(8, 1), QPoint(14, 7),
                                QPoint(8, 13), QPoint(8, 9), QPoint(2, 9)}));
    else
        p.drawPolygon(QPolygon({QPoint(13, 5), QPoint(7, 5), QPoint(7, 1), QPoint(1, 7),
                                QPoint(7, 13), QPoint(7, 9), QPoint(13, 9)}));
}

// A document page with a letter on it: the related-text and create-document glyphs.
Artwork LetterPage(const QString& letter, QColor colour) {
    return [=](QPainter& p) {
        Page(p, 2, 1, 11, 13);
        Letter(p, QRect(2, 1, 12, 14), letter, colour);
    };
}

Artwork CreatePage(const QString& letter, QColor colour) {
    return [=](QPainter& p) {
        Page(p, 1, 2, 10, 12);
        Letter(p, QRect(1, 2, 11, 13), letter, colour, 10);
        p.setPen(QColor(200, 150, 0));
        p.drawLine(12, 1, 12, 5);
        p.drawLine(10, 3, 14, 3);
        p.drawLine(11, 2, 13, 4);
        p.drawLine(11, 4, 13, 2);
    };
}

Artwork AlignLines(int mode) {
    return [=](QPainter& p) {
        p.setPen(Qt::black);
        for (int i = 0; i < 5; ++i) {
            const int width = (i % 2) ? 8 : 12;
            const int x = mode == 0 ? 2 : mode == 1 ? 8 - width / 2 : 14 - width;
            p.drawLine(x, 3 + 2 * i, x + width - 1, 3 + 2 * i);
        }
    };
}

Artwork Script(bool super) {
    return [=](QPainter& p) {
        Letter(p, QRect(0, 2, 11, 13), QStringLiteral("x"), Qt::black, 12);
        Letter(p, super ? QRect(9, 0, 6, 8) : QRect(9, 8, 6, 8), QStringLiteral("2"),
               QColor(0, 0, 160), 8);
    };
}

// Artwork for every glyph of the table, in glyph-index order.
std::vector<Artwork> ButtonArtwork() {
    const QColor blue(0, 0, 160), green(0, 120, 0), purple(120, 40, 150), orange(200, 100, 0);
    return {
        [=](QPainter& p) { // 0 new
            Page(p, 3, 1, 10, 13);
            p.drawLine(10, 1, 13, 4);
        },
        [=](QPainter& p) { // 1 open
            p.setPen(Qt::black);
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(1, 4, 12, 9);
            p.setBrush(QColor(255, 230, 130));
            p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
        },
        [=](QPainter& p) { // 2 save
            p.setPen(Qt::black);
            p.setBrush(QColor(40, 70, 160));
            p.drawRect(1, 1, 13, 13);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 7, 5);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(4, 9, 7, 5);
        },
        [=](QPainter& p) { // 3 print
            Page(p, 4, 1, 7, 5);
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(1, 6, 13, 6);
            Page(p, 4, 10, 7, 4);
        },
        [=](QPainter& p) { // 4 preview
            Page(p, 1, 1, 9, 12);
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(7, 6, 5, 5);
            p.drawLine(12, 11, 14, 14);
        },
        [=](QPainter& p) { // 5 cut
            p.setPen(Qt::black);
            p.drawLine(5, 1, 10, 9);
            p.drawLine(10, 1, 5, 9);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(180, 0, 0), 1));
            p.drawEllipse(2, 9, 4, 4);
            p.drawEllipse(9, 9, 4, 4);
        },
        [=](QPainter& p) { // 6 copy
            Page(p, 1, 1, 8, 10);
            Page(p, 6, 4, 8, 10);
        },
        [=](QPainter& p) { // 7 paste
            p.setPen(Qt::black);
            p.setBrush(QColor(180, 120, 60));
            p.drawRect(1, 2, 10, 12);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(4, 1, 4, 2);
            Page(p, 7, 6, 7, 8);
        },
        LetterPage("Q", blue),                // 8 related questions
        LetterPage("M", green),               // 9 related mark scheme
        LetterPage("S", purple),              // 10 related specification links
        LetterPage("E", orange),              // 11 related report
        LetterPage("N", QColor(160, 130, 0)), // 12 related notes
        [=](QPainter& p) {                    // 13 question finder
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(2, 2, 8, 8);
            p.drawLine(9, 9, 14, 14);
            Letter(p, QRect(2, 2, 9, 9), QStringLiteral("Q"), blue, 7);
        },
        [=](QPainter& p) { // 14 viewer
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawEllipse(1, 4, 14, 8);
            p.setBrush(QColor(30, 80, 200));
            p.drawEllipse(5, 5, 6, 6);
        },
        [=](QPainter& p) { // 15 copy to document
            Page(p, 8, 1, 7, 13);
            p.translate(-1, 1);
            Arrow(p, true, QColor(0, 170, 0));
        },
        [=](QPainter& p) { Arrow(p, true, QColor(0, 170, 0)); },  // 16 next
        [=](QPainter& p) { Arrow(p, false, QColor(0, 170, 0)); }, // 17 previous
        [=](QPainter& p) {                                        // 18 back
            p.setPen(QPen(QColor(0, 120, 0), 2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(3, 3, 10, 9, 90 * 16, -200 * 16);
            p.setPen(Qt::black);
            p.setBrush(QColor(0, 170, 0));
            p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(7, 0), QPoint(7, 6)}));
        },
        [=](QPainter& p) { Letter(p, QRect(0, 0, 16, 16), "M", green, 12); }, // 19 mark schemes tab
        [=](QPainter& p) { Letter(p, QRect(0, 0, 16, 16), "S", purple, 12); }, // 20 specification
        [=](QPainter& p) { Letter(p, QRect(0, 0, 16, 16), "E", orange, 12); }, // 21 reports tab
        CreatePage("M", green), // 22 create mark scheme
        [=](QPainter& p) {      // 23 whole page
            Page(p, 3, 1, 10, 13);
            p.setPen(QColor(120, 120, 120));
            for (int y = 4; y <= 11; y += 2)
                p.drawLine(5, y, 10, y);
        },
        [=](QPainter& p) { // 24 full size
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(Qt::white);
            p.drawEllipse(1, 1, 10, 10);
            p.drawLine(10, 10, 14, 14);
            p.setPen(Qt::black);
            p.drawLine(4, 6, 8, 6);
            p.drawLine(6, 4, 6, 8);
        },
        [=](QPainter& p) { // 25 style
            Letter(p, QRect(0, 0, 10, 12), "A", blue, 11);
            p.setPen(Qt::black);
            for (int y = 11; y <= 14; y += 3)
                p.drawLine(2, y, 14, y);
        },
        [=](QPainter& p) { Letter(p, QRect(0, 0, 16, 16), "Aa", Qt::black, 10, false); }, // 26 font
        [=](QPainter& p) { Letter(p, QRect(0, 0, 16, 16), "B", Qt::black, 13, true); },   // 27 bold
        [=](QPainter& p) { // 28 italic
            QFont f = SmallFont(13, false);
            f.setItalic(true);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("I"));
        },
        [=](QPainter& p) { // 29 underline
            Letter(p, QRect(0, 0, 16, 14), "U", Qt::black, 12, false);
            p.drawLine(3, 14, 12, 14);
        },
        AlignLines(0),
        AlignLines(1),
        AlignLines(2),     // 30, 31, 32 alignment
        [=](QPainter& p) { // 33 insert picture
            p.setPen(Qt::black);
            p.setBrush(QColor(170, 220, 255));
            p.drawRect(1, 2, 13, 11);
            p.setBrush(QColor(40, 150, 40));
            p.drawPolygon(QPolygon(
                {QPoint(2, 12), QPoint(6, 6), QPoint(9, 10), QPoint(11, 8), QPoint(13, 12)}));
            p.setBrush(QColor(255, 220, 0));
            p.drawEllipse(9, 3, 3, 3);
        },
        Script(true),
        Script(false),     // 34 superscript, 35 subscript
        [=](QPainter& p) { // 36 resources
            p.setPen(Qt::black);
            p.setBrush(QColor(150, 80, 30));
            p.drawRect(2, 1, 11, 13);
            p.setBrush(QColor(250, 240, 220));
            p.drawRect(4, 3, 7, 3);
        },
        [=](QPainter& p) { // 37 teaching objectives
            p.setPen(Qt::black);
            p.setBrush(QColor(220, 30, 30));
            p.drawEllipse(1, 1, 13, 13);
            p.setBrush(Qt::white);
            p.drawEllipse(4, 4, 7, 7);
            p.setBrush(QColor(220, 30, 30));
            p.drawEllipse(6, 6, 3, 3);
        },
        CreatePage("E", orange), // 38 create report
        [=](QPainter& p) {       // 39 export to a word processor
            Page(p, 1, 1, 10, 13);
            Letter(p, QRect(1, 1, 11, 10), "W", QColor(20, 60, 170), 9);
            p.translate(3, 5);
            p.scale(0.75, 0.75);
            Arrow(p, true, QColor(0, 170, 0));
        },
    };
}

QImage Buttons() {
    QImage image(kGlyphColumns * kGlyphCellSize, kGlyphRows * kGlyphCellSize, QImage::Format_RGB32);
    image.fill(kButtonKey);
    const auto artwork = ButtonArtwork();
    for (std::size_t i = 0; i < kGlyphTable.size(); ++i) {
        const TGlyphCell& g = kGlyphTable[i];
        QPainter p(&image);
        p.setClipRect(g.column * kGlyphCellSize, g.row * kGlyphCellSize, kGlyphCellSize,
                      kGlyphCellSize);
        p.translate(g.column * kGlyphCellSize, g.row * kGlyphCellSize);
        artwork[i](p);
    }
    for (const TGlyphCell& g : kGlyphTable)
        if (HasOwnDisabledImage(g))
            PaintDisabled(image,
                          QRect(g.column * kGlyphCellSize, g.row * kGlyphCellSize, kGlyphCellSize,
                                kGlyphCellSize),
                          QPoint((g.column + 1) * kGlyphCellSize, g.row * kGlyphCellSize),
                          kButtonKey);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qb_bitmapgen OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "qb_bitmapgen: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = Icons().save(out.filePath("icons.png")) &&
                    Symbols().save(out.filePath("symbols.png")) &&
                    Buttons().save(out.filePath("buttons.png"));
    if (!ok) std::fprintf(stderr, "qb_bitmapgen: cannot write the bitmaps\n");
    return ok ? 0 : 1;
}
