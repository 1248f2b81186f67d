#include "output/rtf/rtf_list_marker.h"

#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextList>

namespace {
constexpr int kLevels = 9;

QString Roman(int number) {
    static const struct {
        int value;
        const char* digits;
    } kDigits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                   {90, "xc"},  {50, "l"},   {40, "xl"}, {10, "x"},   {9, "ix"},
                   {5, "v"},    {4, "iv"},   {1, "i"}};
    if (number <= 0 || number >= 4000) return QString::number(number);
    QString text;
    for (const auto& d : kDigits)
        for (; number >= d.value; number -= d.value)
            text += QLatin1String(d.digits);
    return text;
}

// a..z, then aa..zz, as word processors letter past z.
QString Letters(int number) {
    if (number <= 0) return QString::number(number);
    const int repeat = (number - 1) / 26 + 1;
    return QString(repeat, QChar(u'a' + (number - 1) % 26));
}

bool IsBullet(int style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

QString DefaultBullet(int style) {
    if (style == QTextListFormat::ListCircle) return QStringLiteral("\u25e6");
    if (style == QTextListFormat::ListSquare) return QStringLiteral("\u25aa");
    return QStringLiteral("\u2022");
}

int NumberOf(const QTextBlock& block, const QTextList& list) {
    const QTextListFormat f = list.format();
    const int start =
        f.hasProperty(RtfProperty::ListStart) ? f.intProperty(RtfProperty::ListStart) : 1;
    return start + list.itemNumber(block);
}

// The item of level `level` of the same multi-level list that `block` comes under.
QString ParentNumber(const QTextBlock& block, int id, int level) {
    for (QTextBlock b = block.previous(); b.isValid(); b = b.previous()) {
        const QTextList* list = b.textList();
        if (!list) continue;
        const QTextListFormat f = list->format();
        if (f.intProperty(RtfProperty::ListId) != id) continue;
        const int l = f.intProperty(RtfProperty::ListLevel);
        if (l == level) return RtfListNumber(NumberOf(b, *list), f.style());
        if (l < level) break;
    }
    return RtfListNumber(1, QTextListFormat::ListDecimal);
}
} // namespace

QString RtfListNumber(int number, int style) {
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return Letters(number);
    case QTextListFormat::ListUpperAlpha:
        return Letters(number).toUpper();
    case QTextListFormat::ListLowerRoman:
        return Roman(number);
    case QTextListFormat::ListUpperRoman:
        return Roman(number).toUpper();
    default:
        return IsBullet(style) ? QString() : QString::number(number);
    }
}

QString RtfListFollow(const QTextListFormat& format) {
    switch (format.intProperty(RtfProperty::ListFollow)) {
    case 1:
        return QStringLiteral(" ");
    case 2:
        return {};
    default:
        return QStringLiteral("\t");
    }
}

QString RtfListMarker(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list) return {};
    const QTextListFormat f = list->format();
    const int style = f.style();
    if (!f.hasProperty(RtfProperty::ListLevelText)) {
        if (IsBullet(style)) return DefaultBullet(style);
        // Qt's own lists end their number with a full stop unless told otherwise.
        const QString suffix = f.numberSuffix().isNull() ? QStringLiteral(".") : f.numberSuffix();
        return f.numberPrefix() + RtfListNumber(NumberOf(block, *list), style) + suffix;
    }
    const QString pattern = f.stringProperty(RtfProperty::ListLevelText);
    const int level = f.intProperty(RtfProperty::ListLevel);
    const int id = f.intProperty(RtfProperty::ListId);
    QString marker;
    for (const QChar c : pattern) {
        if (c.unicode() >= kLevels) {
            marker.append(c);
        } else if (c.unicode() == level) {
            marker.append(RtfListNumber(NumberOf(block, *list), style));
        } else if (c.unicode() < level) {
            marker.append(ParentNumber(block, id, c.unicode()));
        }
    }
    return marker;
}
