#include "output/richtext/tab_stops.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
// Leaders are drawn in layout units (points).
constexpr double kDotPitch = 3.0;
constexpr double kDotRadius = 0.45;
constexpr double kThinLine = 0.5;
constexpr double kThickLine = 1.5;

QList<int> LeadersOf(const QTextBlockFormat& f) {
    QList<int> leaders;
    for (const QVariant& v : f.property(RtfProperty::TabLeaders).toList())
        leaders.append(v.toInt());
    return leaders;
}
} // namespace

void FitTabStops(QTextDocument& doc, double textWidth) {
    QTextCursor cursor(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        const QList<QTextOption::Tab> stops = f.tabPositions();
        if (stops.isEmpty()) continue;
        const QList<int> leaders = LeadersOf(f);
        // The layout measures from where each line starts; the first line is the one
        // a hanging indent's tab is on.
        const double indent = f.leftMargin() + f.textIndent();
        // A right stop at the margin ends within the lines after the first too: a
        // question's mark there would otherwise wrap to a line of its own. On the
        // first line of a hanging indent it then ends the hang short of the margin.
        const double hang = std::max(0.0, -f.textIndent());
        // A right stop exactly at a line's end wraps the text after it, since the layout
        // keeps a cursor's width free there; a hair (1.5 pt) short of the end it stays on
        // the line, as in a word processor.
        constexpr double kShort = 2;
        const double firstEnd = std::max(0.0, textWidth - indent - f.rightMargin() - kShort);
        const double last = std::max(0.0, firstEnd - hang);
        QList<QTextOption::Tab> fitted;
        QVariantList fittedLeaders;
        auto add = [&](const QTextOption::Tab& stop, int leader) {
            // In order, once: the layout takes the first stop past the text.
            qsizetype at = 0;
            while (at < fitted.size() && fitted[at].position < stop.position)
                ++at;
            if (at < fitted.size() && fitted[at].position == stop.position) return;
            fitted.insert(at, stop);
            fittedLeaders.insert(at, leader);
        };
        for (qsizetype i = 0; i < stops.size(); ++i) {
            QTextOption::Tab stop = stops[i];
            const int leader = i < leaders.size() ? leaders[i] : 0;
            stop.position -= indent;
            if (stop.position <= 0) continue; // a stop left of the line is never reached
            if (stop.type == QTextOption::RightTab && stop.position > last) {
                // The first line of a hanging indent reaches further: text too long
                // for the later lines' stop goes on to the first line's own.
                QTextOption::Tab first = stop;
                first.position = std::min(stop.position, firstEnd);
                if (first.position > last) add(first, leader);
                stop.position = last;
            }
            add(stop, leader);
        }
        f.setTabPositions(fitted);
        if (!leaders.isEmpty()) f.setProperty(RtfProperty::TabLeaders, fittedLeaders);
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
}

std::vector<TTabLeader> FindTabLeaders(const QTextDocument& doc, double formatScale) {
    std::vector<TTabLeader> found;
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        const QList<int> leaders = LeadersOf(f);
        const QTextLayout* text = b.layout();
        if (leaders.isEmpty() || !text) continue;
        const QList<QTextOption::Tab> stops = f.tabPositions();
        const QString chars = b.text();
        const QPointF origin = layout.blockBoundingRect(b).topLeft();
        for (qsizetype i = chars.indexOf(QLatin1Char('\t')); i >= 0;
             i = chars.indexOf(QLatin1Char('\t'), i + 1)) {
            const QTextLine line = text->lineForTextPosition(int(i));
            if (!line.isValid()) continue;
            const double from = line.cursorToX(int(i));
            const double to = line.cursorToX(int(i) + 1);
            if (to - from < 1) continue;
            // The stop this tab went to: the first one past where it started.
            const double start = from - line.x();
            const auto stop = std::find_if(stops.begin(), stops.end(), [&](const auto& s) {
                return s.position * formatScale > start + 0.5;
            });
            const qsizetype index = stop - stops.begin();
            if (stop == stops.end() || index >= leaders.size() || leaders[index] == 0) continue;
            const double y = origin.y() + line.y() + line.ascent();
            found.push_back({QLineF(origin.x() + from, y, origin.x() + to, y), line.ascent(),
                             TRtfTabLeader(leaders[index])});
        }
    }
    return found;
}

void DrawTabLeaders(QPainter& painter, const std::vector<TTabLeader>& leaders, const QRectF& clip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const TTabLeader& leader : leaders) {
        const QLineF& l = leader.baseline;
        if (l.y1() < clip.top() || l.y1() - leader.ascent > clip.bottom()) continue;
        const double x1 = l.x1() + kDotPitch / 2;
        const double x2 = l.x2() - kDotPitch / 2;
        if (x2 <= x1) continue;
        const double y = l.y1();
        switch (leader.kind) {
        case TRtfTabLeader::Dot: {
            // On a fixed grid, so that the dots of lines above one another align. One
            // stroke of round-capped, nearly empty dashes rather than a shape per dot: a
            // printed page of answer lines would otherwise carry thousands of shapes.
            const double first = std::ceil(x1 / kDotPitch) * kDotPitch;
            if (first > x2) break;
            constexpr double kWidth = 2 * kDotRadius;
            constexpr double kDash = 0.01; // in pen widths; its round caps make the dot
            QPen pen(Qt::black, kWidth, Qt::CustomDashLine, Qt::RoundCap);
            pen.setDashPattern({kDash, kDotPitch / kWidth - kDash});
            painter.setPen(pen);
            const double last = first + std::floor((x2 - first) / kDotPitch) * kDotPitch;
            painter.drawLine(QPointF(first, y - kDotRadius),
                             QPointF(last + kWidth * kDash, y - kDotRadius));
            break;
        }
        case TRtfTabLeader::Hyphen: {
            QPen pen(Qt::black, kThinLine);
            pen.setDashPattern({4, 4}); // in pen widths: 2-point dashes, 2-point gaps
            painter.setPen(pen);
            const double mid = y - leader.ascent * 0.3;
            painter.drawLine(QPointF(x1, mid), QPointF(x2, mid));
            break;
        }
        case TRtfTabLeader::Underline:
        case TRtfTabLeader::ThickLine: {
            const double width = leader.kind == TRtfTabLeader::ThickLine ? kThickLine : kThinLine;
            painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(l.x1(), y + width), QPointF(l.x2(), y + width));
            break;
        }
        case TRtfTabLeader::Equal: {
            painter.setPen(QPen(Qt::black, kThinLine, Qt::SolidLine, Qt::FlatCap));
            const double mid = y - leader.ascent * 0.3;
            painter.drawLine(QPointF(x1, mid - 1), QPointF(x2, mid - 1));
            painter.drawLine(QPointF(x1, mid + 1), QPointF(x2, mid + 1));
            break;
        }
        default:
            break;
        }
    }
    painter.restore();
}
