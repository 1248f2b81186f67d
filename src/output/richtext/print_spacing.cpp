#include "output/richtext/print_spacing.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

namespace {
// The space between paragraphs: the layout keeps only the larger of a paragraph's
// space after and the next one's space before; moved onto the next paragraph, the
// two add up. Only paragraphs that follow each other in the same frame or cell;
// across a hard page break the next page shows only the space before.
void AddParagraphSpaces(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    QTextBlock previous = doc.begin();
    for (QTextBlock b = previous.next(); b.isValid(); previous = b, b = b.next()) {
        const QTextBlockFormat before = previous.blockFormat();
        if (before.bottomMargin() <= 0 || !previous.isVisible() ||
            doc.characterAt(b.position() - 1) != QChar::ParagraphSeparator)
            continue;
        QTextBlockFormat f = b.blockFormat();
        if ((before.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter) ||
            (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            continue;
        f.setTopMargin(f.topMargin() + before.bottomMargin());
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
        QTextBlockFormat p = before;
        p.setBottomMargin(0);
        cursor.setPosition(previous.position());
        cursor.setBlockFormat(p);
    }
}

// How far the layout's line of a font is from the word processor's: the layout's
// height (measured, as it rounds), and the height of the font's own metrics.
struct TLineHeights {
    double layout = 0;
    double font = 0;
};

class TLineMeasure {
public:
    TLineMeasure(QPaintDevice& device, const QFont& base) : device_(device), base_(base) {}

    TLineHeights Of(const QTextCharFormat& format) {
        const QFont font = format.font().resolve(base_);
        const QString key = font.key();
        if (const auto it = cache_.constFind(key); it != cache_.cend()) return *it;
        TLineHeights h;
        QTextDocument probe;
        probe.documentLayout()->setPaintDevice(&device_);
        probe.setUseDesignMetrics(true);
        probe.setDocumentMargin(0);
        probe.setDefaultFont(base_);
        QTextOption oneLine;
        oneLine.setWrapMode(QTextOption::NoWrap);
        probe.setDefaultTextOption(oneLine);
        QTextCharFormat plain;
        plain.setFont(font);
        QTextCursor(&probe).insertText(QStringLiteral("Xg"), plain);
        h.layout = probe.documentLayout()->blockBoundingRect(probe.begin()).height();
        // The metrics at a large size, where the font engine's rounding is lost.
        constexpr double kEm = 1000;
        QRawFont raw = QRawFont::fromFont(font);
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 12;
        if (raw.isValid()) {
            raw.setPixelSize(kEm);
            h.font = (raw.ascent() + raw.descent() + std::max(0.0, raw.leading())) / kEm * points;
        }
        cache_.insert(key, h);
        return h;
    }

private:
    QPaintDevice& device_;
    QFont base_;
    QHash<QString, TLineHeights> cache_;
};

// The line heights of the paragraph's tallest font, for the paragraphs whose lines
// follow their fonts (single or proportional spacing, or an at-least height below
// the font's; exact spacing gives its own height). Raised and lowered text and pictures do not
// count.
TLineHeights ParagraphLines(const QTextBlock& b, TLineMeasure& measure) {
    TLineHeights tallest;
    bool any = false;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (f.isImageFormat() || f.verticalAlignment() == QTextCharFormat::AlignSuperScript ||
            f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            continue;
        const TLineHeights h = measure.Of(f);
        if (!any || h.layout > tallest.layout) tallest = h;
        any = true;
    }
    return any ? tallest : measure.Of(b.charFormat());
}

void FitLineHeights(QTextDocument& doc, QPaintDevice& device, double formatScale) {
    TLineMeasure measure(device, doc.defaultFont());
    QTextCursor cursor(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        const int type = f.lineHeightType();
        if (type != QTextBlockFormat::SingleHeight &&
            type != QTextBlockFormat::ProportionalHeight && type != QTextBlockFormat::MinimumHeight)
            continue;
        const TLineHeights h = ParagraphLines(b, measure);
        if (h.layout <= 0 || h.font <= 0 || std::abs(h.layout - h.font) < 0.01) continue;
        if (type == QTextBlockFormat::ProportionalHeight) {
            f.setLineHeight(f.lineHeight() * h.font / h.layout,
                            QTextBlockFormat::ProportionalHeight);
        } else {
            // An at-least height below the layout's rounded one gives way to the font's.
            const double least =
                type == QTextBlockFormat::MinimumHeight ? f.lineHeight() * formatScale : 0;
            if (least >= h.layout) continue;
            f.setLineHeight((std::max(least, h.font) - h.layout) / formatScale,
                            QTextBlockFormat::LineDistanceHeight);
        }
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
}

// A document whose text ends with a paragraph mark holds an empty paragraph after
// it, which a word processor does not print.
void HideTrailingEmptyParagraph(QTextDocument& doc) {
    QTextBlock last = doc.lastBlock();
    if (last == doc.begin() || last.length() > 1 ||
        doc.characterAt(last.position() - 1) != QChar::ParagraphSeparator)
        return;
    last.setVisible(false);
    doc.markContentsDirty(last.position(), last.length());
}
} // namespace

double DrawingClipTop(const QTextDocument& doc, double top) {
    constexpr double kEdge = 1.0 / 32;
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    const int position = layout.hitTest(QPointF(1, top + kEdge), Qt::FuzzyHit);
    const QTextBlock b = doc.findBlock(std::max(0, position));
    const QTextLayout* text = b.isValid() ? b.layout() : nullptr;
    if (!text || QTextCursor(b).currentFrame() != doc.rootFrame()) return top + kEdge;
    const double blockTop = layout.blockBoundingRect(b).top();
    for (int i = 0; i < text->lineCount(); ++i) {
        const QTextLine line = text->lineAt(i);
        if (blockTop + line.y() < top - kEdge) continue;
        // The paragraph's first line has none above it to keep out; clipping below it
        // would lose the page's first line.
        if (i == 0) break;
        return blockTop + line.y() + line.height() + kEdge;
    }
    return top + kEdge;
}

void MatchPrintSpacing(QTextDocument& doc, QPaintDevice& device, double formatScale) {
    AddParagraphSpaces(doc);
    FitLineHeights(doc, device, formatScale);
    HideTrailingEmptyParagraph(doc);
}
