#include "output/rtf/rtf_write_lists.h"

#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextList>

#include <algorithm>

namespace {
constexpr int kLevels = 9;
constexpr int kDefaultHang = 360;
constexpr int kLevelStep = 720;

bool IsBullet(int style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

int NfcOf(int style) {
    switch (style) {
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    default:
        return IsBullet(style) ? 23 : 0;
    }
}

// The marker template: the reader's, or one made from Qt's style, prefix and suffix.
QString TemplateOf(const QTextListFormat& f, int level) {
    if (f.hasProperty(RtfProperty::ListLevelText))
        return f.stringProperty(RtfProperty::ListLevelText);
    if (IsBullet(f.style()))
        return f.style() == QTextListFormat::ListCircle   ? QStringLiteral("\u25e6")
               : f.style() == QTextListFormat::ListSquare ? QStringLiteral("\u25aa")
                                                          : QStringLiteral("\u2022");
    const QString suffix = f.numberSuffix().isNull() ? QStringLiteral(".") : f.numberSuffix();
    return f.numberPrefix() + QChar(char16_t(level)) + suffix;
}

} // namespace

TRtfListTable::TItem TRtfListTable::Register(const QTextBlock& block, int leftIndent,
                                             int firstIndent, int font) {
    const QTextList* list = block.textList();
    if (!list) return {};
    const QTextListFormat f = list->format();
    // A reader's list keeps its id; one of Qt's counts its levels by indent, and the
    // lists nested in it share the key of the list it starts under.
    qint64 key;
    int level;
    if (f.hasProperty(RtfProperty::ListId)) {
        // Texts read one by one into a document each bring their own list 1: a list
        // is the first level's QTextList, and its deeper levels follow it.
        const int id = f.intProperty(RtfProperty::ListId);
        level = f.intProperty(RtfProperty::ListLevel);
        const auto root = roots_.constFind(id);
        if (level == 0 || root == roots_.constEnd()) {
            key = list->objectIndex();
            roots_.insert(id, key);
        } else {
            key = *root;
        }
    } else {
        level = std::max(0, f.indent() - 1);
        key = (qint64(1) << 40) + list->objectIndex();
        if (level > 0)
            for (QTextBlock b = block.previous(); b.isValid(); b = b.previous()) {
                const QTextList* outer = b.textList();
                if (!outer) break;
                if (outer->format().indent() <= f.indent() - level) {
                    key = (qint64(1) << 40) + outer->objectIndex();
                    break;
                }
            }
    }
    level = std::clamp(level, 0, kLevels - 1);
    auto it = byKey_.find(key);
    if (it == byKey_.end()) {
        it = byKey_.insert(key, int(lists_.size()));
        lists_.emplace_back();
    }
    auto& slot = lists_[std::size_t(*it)].levels[std::size_t(level)];
    if (!slot) slot = TLevel{f, leftIndent, firstIndent, font};
    return {*it + 1, level};
}

void TRtfListTable::WriteLevel(TRtfSink& sink, const std::optional<TLevel>& level, int index,
                               const std::optional<TLevel>& first) {
    // A level no paragraph uses copies the first one used, one step further in.
    TLevel l;
    if (level) {
        l = *level;
    } else if (first) {
        l = *first;
        l.leftIndent = first->leftIndent + kLevelStep * index;
        l.format.setProperty(RtfProperty::ListLevel, index);
        if (l.format.hasProperty(RtfProperty::ListLevelText) && !IsBullet(l.format.style()))
            l.format.setProperty(RtfProperty::ListLevelText,
                                 QString(QChar(char16_t(index))) + QLatin1Char('.'));
    } else {
        l.format.setStyle(QTextListFormat::ListDecimal);
        l.leftIndent = kLevelStep * (index + 1);
        l.firstIndent = -kDefaultHang;
    }
    const QTextListFormat& f = l.format;
    const int nfc = NfcOf(f.style());
    const int start =
        f.hasProperty(RtfProperty::ListStart) ? f.intProperty(RtfProperty::ListStart) : 1;
    const int follow = std::clamp(f.intProperty(RtfProperty::ListFollow), 0, 2);
    const int ownLevel = f.hasProperty(RtfProperty::ListLevel)
                             ? f.intProperty(RtfProperty::ListLevel)
                             : std::max(0, f.indent() - 1);
    QString pattern = TemplateOf(f, ownLevel);
    if (pattern.size() > 64) pattern.truncate(64);

    sink.Open();
    sink.Word("listlevel");
    sink.Word("levelnfc", nfc);
    sink.Word("levelnfcn", nfc);
    sink.Word("leveljc", 0);
    sink.Word("leveljcn", 0);
    sink.Word("levelfollow", follow);
    sink.Word("levelstartat", start);
    sink.Open();
    sink.Word("leveltext");
    sink.EscapedByte(static_cast<unsigned char>(pattern.size()));
    QString numbers;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i].unicode();
        if (c < kLevels) {
            sink.EscapedByte(static_cast<unsigned char>(c));
            numbers += QChar(char16_t(i + 1));
        } else {
            sink.Text(QStringView(pattern).mid(i, 1));
        }
    }
    sink.Raw(";");
    sink.Close();
    sink.Open();
    sink.Word("levelnumbers");
    for (const QChar n : numbers)
        sink.EscapedByte(static_cast<unsigned char>(n.unicode()));
    sink.Raw(";");
    sink.Close();
    if (IsBullet(f.style())) sink.Word("f", l.font);
    sink.Word("fi", l.firstIndent);
    sink.Word("li", l.leftIndent);
    sink.Close();
}

void TRtfListTable::Write(TRtfSink& sink) const {
    if (lists_.empty()) return;
    sink.Open();
    sink.Raw("\\*");
    sink.Word("listtable");
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const TList& list = lists_[i];
        const auto first = std::find_if(list.levels.begin(), list.levels.end(),
                                        [](const auto& l) { return l.has_value(); });
        sink.LineBreak();
        sink.Open();
        sink.Word("list");
        sink.Word("listtemplateid", int(i) + 1);
        for (int level = 0; level < kLevels; ++level)
            WriteLevel(sink, list.levels[std::size_t(level)], level,
                       first == list.levels.end() ? std::nullopt : *first);
        sink.Word("listid", int(i) + 1);
        sink.Close();
    }
    sink.Close();
    sink.LineBreak();
    sink.Open();
    sink.Raw("\\*");
    sink.Word("listoverridetable");
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        sink.Open();
        sink.Word("listoverride");
        sink.Word("listid", int(i) + 1);
        sink.Word("listoverridecount", 0);
        sink.Word("ls", int(i) + 1);
        sink.Close();
    }
    sink.Close();
}
