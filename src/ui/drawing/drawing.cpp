#include "ui/drawing/drawing.h"

#include "framework/collections.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "ui/drawing/glyph_table.h"
#include "ui/qt_text.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

#include <cstring>
#include <memory>

// The resources live in a static library; registering them by hand keeps the linker
// from dropping them.
static void InitAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace {

const QColor kSymbolKey(0, 128, 0);
const QColor kIconKey(255, 255, 255);
const QColor kButtonKey(192, 192, 192);

// Icon shown for kinds the table leaves out (resources), so every entry has a picture.
constexpr int kFallbackIcon = 6;

QPixmap LoadKeyed(const char* path, const QColor& key) {
    QPixmap pixmap(QString::fromLatin1(path));
    if (!pixmap.isNull()) pixmap.setMask(pixmap.createMaskFromColor(key, Qt::MaskInColor));
    return pixmap;
}

struct TResources {
    QPixmap icons = LoadKeyed(":/app/bitmaps/icons.png", kIconKey);
    QPixmap symbols = LoadKeyed(":/app/bitmaps/symbols.png", kSymbolKey);
    QPixmap buttons = LoadKeyed(":/app/bitmaps/buttons.png", kButtonKey);
};

// Loaded on first use: a QPixmap needs the application object, which does not exist
// yet when static objects are made. Released with the application object, because a
// pixmap must not outlive it.
const TResources& Resources() {
    static std::unique_ptr<TResources> resources;
    if (!resources) {
        InitAppResources();
        resources = std::make_unique<TResources>();
        qAddPostRoutine([] { resources.reset(); });
    }
    return *resources;
}

void NumberTree(const TCategory* root, TDictionary::Value first) {
    if (!root) return;
    TCategoryIterator it(root);
    TDictionary::Value number = first;
    while (TCategory* category = it.Next())
        if (category->Parent) CategorySymbols().Add(category, number++);
}

// The kind table is keyed by class: one stable address per class name, found by
// comparing the text, so that the key never depends on how the linker placed literals.
constexpr const char* kKindClasses[] = {"TQuestion", "TMarkScheme", "TSyllabus", "TExaminersReport",
                                        "TText",     "TNote",       "TResource"};

TDictionary::Key ClassKey(const char* className) {
    for (const char* const& name : kKindClasses)
        if (std::strcmp(name, className) == 0) return reinterpret_cast<TDictionary::Key>(&name);
    return 0;
}

// On a high-density screen the painter scales the small bitmaps up; whole-pixel scaling
// keeps their edges sharp where smoothing would blur them.
void DrawCrisp(QPainter& painter, int x, int y, const QPixmap& pixmap, int sx, int sy, int w,
               int h) {
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(x, y, pixmap, sx, sy, w, h);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void DrawSymbol(QPainter& painter, int symbol, int x, int y) {
    DrawCrisp(painter, x, y, Resources().symbols, (symbol - 1) * kSymbolCellWidth, 0,
              kSymbolCellWidth, kSymbolHeight);
}

// Text with an opaque background in the painter's brush, as list entries are drawn over
// whatever the item rectangle holds. `y` is the top of the text, not its baseline.
void DrawText(QPainter& painter, int x, int y, const QString& text) {
    const QFontMetrics metrics(painter.font());
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (painter.brush().style() != Qt::NoBrush) painter.fillRect(box, painter.brush());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

QString TopicNames(const TQuestion& question) {
    QString names;
    for (const TCategory* topic : question.Topics) {
        if (!topic) continue;
        if (!names.isEmpty()) names += QStringLiteral(", ");
        names += FromCp1252(topic->Name);
    }
    return names;
}

} // namespace

const QPixmap& IconsBitmap() {
    return Resources().icons;
}
const QPixmap& SymbolsBitmap() {
    return Resources().symbols;
}
const QPixmap& ButtonsBitmap() {
    return Resources().buttons;
}

QIcon ProgramIcon() {
    InitAppResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/app/icons/quarrybook-%1.png").arg(size), QSize(size, size));
    return icon;
}

TDictionary& KindIcons() {
    static TDictionary table(8);
    return table;
}

TDictionary& CategorySymbols() {
    static TDictionary table(20);
    return table;
}
int KindIconOf(const TTextSegment& segment) {
    const TDictionary::Key key = ClassKey(segment.ClassName());
    const auto icon = key ? KindIcons().Find(key) : 0;
    return icon > 0 ? static_cast<int>(icon) : kFallbackIcon;
}

void BuildSymbolTables(const TLibrary& library) {
    CategorySymbols().Clear();
    NumberTree(library.QuestionTypeRoot.get(), 1);
    NumberTree(library.LevelRoot.get(), 17);

    TDictionary& kinds = KindIcons();
    kinds.Clear();
    kinds.Add(ClassKey("TQuestion"), 1);
    kinds.Add(ClassKey("TMarkScheme"), 2);
    kinds.Add(ClassKey("TSyllabus"), 3);
    kinds.Add(ClassKey("TExaminersReport"), 4);
    kinds.Add(ClassKey("TText"), 5);
    kinds.Add(ClassKey("TNote"), 7);
}

void DrawSegmentEntry(QPainter& painter, const TTextSegment& segment, int top, int left,
                      int right) {
    painter.save();
    painter.drawLine(left + 7, top, left + 110, top);
    DrawCrisp(painter, left, top + 1, IconsBitmap(), 0, (KindIconOf(segment) - 1) * kKindIconHeight,
              kKindIconWidth, kKindIconHeight);

    if (const auto* question = dynamic_cast<const TQuestion*>(&segment)) {
        painter.setPen(QColor(0, 0, 128));
        DrawText(painter, left + 94, top + 2, TopicNames(*question));
        if (const auto type = CategorySymbols().Find(question->QuestionType); type > 0)
            DrawSymbol(painter, static_cast<int>(type), left + 82, top + 5);
        if (const auto level = CategorySymbols().Find(question->Level); level > 0)
            DrawSymbol(painter, static_cast<int>(level), left + 24, top + 18);
    }

    painter.setPen(QColor(255, 0, 0));
    DrawText(painter, left + 36, top + 15,
             FromCp1252(segment.GetTitle().substr(0, kMaxTitleLength)));

    painter.setPen(Qt::black);
    const std::string id = segment.GetID();
    DrawText(painter, left + 24, top + 2, FromCp1252(id.empty() ? id : id.substr(1)));

    if (segment.Time > 0) {
        DrawText(painter, right - 60, top + 2, QStringLiteral("    %1        ").arg(segment.Time));
        DrawCrisp(painter, right - 57, top + 5, SymbolsBitmap(), kTimeGlyphX, 0, kNodeGlyphSize,
                  kNodeGlyphSize);
    }
    if (segment.Marks >= 1) {
        const QString marks = QStringLiteral(" [%1] ").arg(segment.Marks);
        DrawText(painter, right - QFontMetrics(painter.font()).horizontalAdvance(marks), top + 2,
                 marks);
    }
    painter.restore();
}

void DrawCategoryLabel(QPainter& painter, const TCategory& category, int y, int x) {
    const auto symbol = CategorySymbols().Find(&category);
    if (symbol > 0) {
        DrawSymbol(painter, static_cast<int>(symbol), x, y + 3);
        x += 12;
    }
    DrawText(painter, x, y, FromCp1252(category.Name));
}

namespace {
const TGlyphCell* GlyphCell(int glyphIndex) {
    if (glyphIndex < 0 || glyphIndex >= static_cast<int>(kGlyphTable.size())) return nullptr;
    return &kGlyphTable[static_cast<std::size_t>(glyphIndex)];
}
} // namespace

QPixmap ButtonGlyph(int glyphIndex) {
    const TGlyphCell* g = GlyphCell(glyphIndex);
    if (!g) return {};
    return ButtonsBitmap().copy(g->column * kGlyphCellSize, g->row * kGlyphCellSize,
                                g->count * kGlyphCellSize, kGlyphCellSize);
}

QPixmap DisabledGlyph(const QPixmap& enabled) {
    const QImage source = enabled.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    auto ink = [&source](int x, int y) {
        if (x < 0 || y < 0 || x >= source.width() || y >= source.height()) return false;
        const QRgb p = source.pixel(x, y);
        return qAlpha(p) > 0 && qGray(p) < 192;
    };
    const QRgb shadow = qRgb(128, 128, 128);
    const QRgb highlight = qRgb(255, 255, 255);
    // Filled areas keep only their rim, so that a solid picture reads as disabled too.
    auto line = [&ink](int x, int y) {
        return ink(x, y) && !(ink(x - 1, y) && ink(x + 1, y) && ink(x, y - 1) && ink(x, y + 1));
    };
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            if (line(x, y))
                out.setPixel(x, y, shadow);
            else if (line(x - 1, y - 1))
                out.setPixel(x, y, highlight);
        }
    return QPixmap::fromImage(out);
}

void LoadButtonGlyph(QAbstractButton& button, int glyphIndex) {
    const TGlyphCell* cell = GlyphCell(glyphIndex);
    if (!cell) return;
    const QPixmap strip = ButtonGlyph(glyphIndex);
    const QPixmap picture = strip.copy(0, 0, kGlyphCellSize, kGlyphCellSize);
    QIcon icon;
    auto add = [&icon](const QPixmap& image, QIcon::Mode mode) {
        icon.addPixmap(image, mode);
        // A doubled copy for high-density screens, where Qt would otherwise smooth the
        // 16-pixel art into a blur.
        QPixmap doubled = image.scaled(2 * kGlyphCellSize, 2 * kGlyphCellSize,
                                       Qt::IgnoreAspectRatio, Qt::FastTransformation);
        doubled.setDevicePixelRatio(2);
        icon.addPixmap(doubled, mode);
    };
    add(picture, QIcon::Normal);
    // One engraved outline for every glyph. The strips' own second cells are uneven: some
    // are filled grey shapes that read as enabled pictures, and single-cell glyphs have
    // none, where the style's faded copy of a black-and-white picture hardly changes.
    add(DisabledGlyph(picture), QIcon::Disabled);
    button.setIcon(icon);
    button.setProperty("glyphCount", cell->count);
}
