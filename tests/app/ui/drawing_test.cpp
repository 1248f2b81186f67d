#include "empty_library.h"
#include "framework/collections.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "ui/drawing/drawing.h"
#include "ui/drawing/glyph_table.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "qb_drawing_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// A library whose type and level trees are two deep, so that pre-order numbering
// differs from breadth-first numbering.
struct SymbolLibrary {
    std::unique_ptr<TLibrary> owned = MakeEmptyLibrary("Symbols");
    TLibrary& lib = *owned;
    TCategory* structured = nullptr;
    TCategory* extended = nullptr;
    TCategory* multiple = nullptr;
    TCategory* foundation = nullptr;
    TCategory* higher = nullptr;
    TCategory* topic = nullptr;

    SymbolLibrary() {
        structured = lib.QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Structured"));
        extended = structured->AddChild(std::make_unique<TCategory>("Extended"));
        multiple = lib.QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Multiple choice"));
        foundation = lib.LevelRoot->AddChild(std::make_unique<TCategory>("Foundation"));
        higher = lib.LevelRoot->AddChild(std::make_unique<TCategory>("Higher"));
        topic = lib.TopicRoot->AddChild(std::make_unique<TCategory>("Algebra"));
        BuildSymbolTables(lib);
    }
};

QImage Canvas(int width = 400, int height = 40) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Leftmost column holding a pixel that is neither white nor `ignore`.
int FirstInkColumn(const QImage& image, int top, int bottom, int from = 0) {
    for (int x = from; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (image.pixelColor(x, y) != Qt::white) return x;
    return -1;
}

bool HasColour(const QImage& image, const QRect& area, auto match) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(image.pixelColor(x, y))) return true;
    return false;
}

} // namespace

TEST(DrawingResources, BitmapsHaveTheirSizes) {
    EnsureApp();
    EXPECT_EQ(IconsBitmap().size(), QSize(22, 192));
    EXPECT_EQ(SymbolsBitmap().size(), QSize(320, 8));
    EXPECT_EQ(ButtonsBitmap().size(), QSize(64, 256));
}

TEST(DrawingResources, SymbolTablesNumberTypesThenLevelsInPreOrder) {
    EnsureApp();
    SymbolLibrary s;
    EXPECT_EQ(CategorySymbols().Find(s.structured), 1);
    EXPECT_EQ(CategorySymbols().Find(s.extended), 2);
    EXPECT_EQ(CategorySymbols().Find(s.multiple), 3);
    EXPECT_EQ(CategorySymbols().Find(s.foundation), 17);
    EXPECT_EQ(CategorySymbols().Find(s.higher), 18);
    EXPECT_EQ(CategorySymbols().Find(s.lib.QuestionTypeRoot.get()), 0);
    EXPECT_EQ(CategorySymbols().Find(s.topic), 0);
    EXPECT_EQ(CategorySymbols().Count(), 5);

    EXPECT_EQ(KindIconOf(TQuestion()), 1);
    EXPECT_EQ(KindIconOf(TMarkScheme()), 2);
    EXPECT_EQ(KindIconOf(TSyllabus()), 3);
    EXPECT_EQ(KindIconOf(TExaminersReport()), 4);
    EXPECT_EQ(KindIconOf(TNote()), 7);
    // Resources have no entry of their own and fall back to the spare icon.
    EXPECT_EQ(KindIcons().Count(), 6);
    EXPECT_EQ(KindIconOf(TResource()), 6);
}

TEST(DrawingResources, ButtonGlyphStripsFollowTheTable) {
    EnsureApp();
    EXPECT_EQ(ButtonGlyph(2).size(), QSize(32, 16));
    EXPECT_EQ(ButtonGlyph(0).size(), QSize(16, 16));
    EXPECT_TRUE(ButtonGlyph(40).isNull());
    EXPECT_TRUE(ButtonGlyph(-1).isNull());
    // The strip of glyph 2 is the cells (2, 0) and (3, 0) of the bitmap.
    EXPECT_EQ(ButtonGlyph(2).toImage(), ButtonsBitmap().copy(32, 0, 32, 16).toImage());

    QToolButton button;
    LoadButtonGlyph(button, 2);
    EXPECT_FALSE(button.icon().isNull());
    EXPECT_EQ(button.property("glyphCount").toInt(), 2);
    // Disabled, every glyph is engraved: only shadow grey, white and clear pixels, and
    // a picture unlike the enabled one (a single-cell glyph too).
    for (int glyph : {0, 2}) {
        QToolButton b;
        LoadButtonGlyph(b, glyph);
        const QImage normal =
            b.icon().pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage disabled = b.icon()
                                    .pixmap(QSize(16, 16), 1.0, QIcon::Disabled)
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32);
        EXPECT_NE(disabled, normal) << glyph;
        EXPECT_TRUE(HasColour(disabled, disabled.rect(),
                              [](QColor c) { return c == QColor(128, 128, 128); }));
        EXPECT_FALSE(HasColour(disabled, disabled.rect(), [&](QColor c) {
            return c.alpha() > 0 && c != QColor(128, 128, 128) && c != QColor(Qt::white);
        })) << glyph;
    }
    const QImage doubled = button.icon().pixmap(QSize(16, 16), 2.0).toImage();
    ASSERT_EQ(doubled.size(), QSize(32, 32));
    for (int y = 0; y < 32; y += 2)
        for (int x = 0; x < 32; x += 2)
            ASSERT_EQ(doubled.pixel(x, y), doubled.pixel(x + 1, y + 1)) << x << "," << y;
    // Every glyph cell has a picture on it: none was left as bare background.
    const QImage cells = ButtonsBitmap().toImage();
    for (const TGlyphCell& g : kGlyphTable) {
        const QRect cell(g.column * 16, g.row * 16, 16, 16);
        EXPECT_TRUE(HasColour(cells, cell, [](QColor c) { return c != QColor(192, 192, 192); }))
            << "cell " << g.column << "," << g.row;
    }
}

TEST(DrawingResources, CategoryLabelIndentsOnlyForSymbols) {
    EnsureApp();
    SymbolLibrary s;
    QImage plain = Canvas();
    {
        QPainter p(&plain);
        DrawCategoryLabel(p, *s.topic, 0, 50);
    }
    const int topicStart = FirstInkColumn(plain, 0, 40);
    EXPECT_GE(topicStart, 50);
    EXPECT_LT(topicStart, 53);

    QImage withSymbol = Canvas();
    {
        QPainter p(&withSymbol);
        DrawCategoryLabel(p, *s.foundation, 0, 50);
    }
    // The level symbol (cell 17, at x 160 of the bitmap) sits at x, three pixels down.
    QImage expected = Canvas(10, 8);
    {
        QPainter p(&expected);
        p.drawPixmap(0, 0, SymbolsBitmap(), 160, 0, 10, 8);
    }
    EXPECT_EQ(withSymbol.copy(50, 3, 10, 8), expected);
    EXPECT_NE(expected, Canvas(10, 8));
    const int nameStart = FirstInkColumn(withSymbol, 0, 40, 60);
    EXPECT_GE(nameStart, 62);
}

TEST(DrawingResources, SegmentEntryShowsMarksAndTimeOnlyWhenSet) {
    EnsureApp();
    SymbolLibrary s;
    auto* identity = s.lib.QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("12a", "Q"));
    auto owned = std::make_unique<TQuestion>();
    TQuestion* q = owned.get();
    identity->SetSegment(std::move(owned));
    q->Topics = {s.topic};
    q->QuestionType = s.structured;

    auto draw = [&] {
        QImage image = Canvas();
        QPainter p(&image);
        p.setBrush(Qt::white);
        DrawSegmentEntry(p, *q, 2, 2, 400);
        return image;
    };
    const QRect rightEnd(330, 0, 70, 16);
    auto notWhite = [](QColor c) { return c != Qt::white; };

    q->Marks = 0;
    q->Time = 0;
    EXPECT_FALSE(HasColour(draw(), rightEnd, notWhite));

    q->Marks = 4;
    q->Time = 5;
    const QImage both = draw();
    EXPECT_TRUE(HasColour(both, QRect(380, 0, 20, 16), notWhite));
    EXPECT_TRUE(HasColour(both, QRect(340, 0, 40, 16), notWhite));
    // Topics in navy right of the identifier; the type symbol at (left + 82, top + 5).
    EXPECT_TRUE(HasColour(both, QRect(96, 2, 60, 14),
                          [](QColor c) { return c.blue() > 60 && c.red() < 40; }));
    // The title line (red) is empty for a question without text, the identifier is black.
    EXPECT_TRUE(HasColour(both, QRect(26, 4, 20, 12), [](QColor c) { return c.lightness() < 60; }));
}

TEST(DrawingResources, SymbolsStaySharpAtDoubleDensity) {
    EnsureApp();
    SymbolLibrary s;
    QImage image(200, 40, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        DrawCategoryLabel(p, *s.structured, 0, 10);
    }
    // Each bitmap pixel becomes a clean 2 x 2 block: no blended edge pixels.
    const QImage plainCell = SymbolsBitmap().toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const QColor a = image.pixelColor(20 + 2 * x, 6 + 2 * y);
            EXPECT_EQ(a, image.pixelColor(21 + 2 * x, 7 + 2 * y)) << x << "," << y;
            if (plainCell.pixelColor(x, y).alpha() == 255) {
                EXPECT_EQ(a.rgb(), plainCell.pixelColor(x, y).rgb()) << x << "," << y;
            }
        }
}
