#include "output/richtext/position_text.h"

#include <QTextDocument>

namespace {
// The characters QTextDocument keeps for block and frame boundaries.
constexpr char16_t kBeginningOfFrame = 0xFDD0;
constexpr char16_t kEndOfFrame = 0xFDD1;
} // namespace

QString DocumentPositionText(const QTextDocument& doc) {
    // The raw text holds one character per position, boundaries included.
    QString text = doc.toRawText();
    for (QChar& c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case kBeginningOfFrame:
        case kEndOfFrame:
            c = QLatin1Char('\n');
            break;
        case QChar::LineSeparator:
            c = QLatin1Char('\v');
            break;
        default:
            break;
        }
    }
    return text;
}

int FindInPositionText(const QString& text, const QString& what, int from, Qt::CaseSensitivity cs) {
    if (what.isEmpty() || from > text.size()) return -1;
    return int(text.indexOf(what, std::max(0, from), cs));
}
