#include "output/rtf/rtf_read_parser.h"

#include "framework/cp1252.h"

#include <QTextCursor>
#include <QTextList>

#include <algorithm>

namespace {
int StyleFor(int nfc) {
    switch (nfc) {
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return QTextListFormat::ListDisc;
    default:
        return QTextListFormat::ListDecimal;
    }
}

// Old-style numbering keeps apart from \lsN numbers.
constexpr int kOldListIdBase = -1000;
} // namespace

QTextListFormat RtfListFormat(int id, int level, int nfc, int start, int follow,
                              const QString& marker) {
    QTextListFormat f;
    int style = StyleFor(nfc);
    // The screen draws Qt's own bullet shapes: the one nearest the level's.
    if (style == QTextListFormat::ListDisc && marker.size() == 1) {
        const char16_t c = marker.front().unicode();
        if (c == u'\u25e6' || c == u'o' || c == u'\u25cb') style = QTextListFormat::ListCircle;
        if (c == u'\u25aa' || c == u'\u25a0' || c == u'\u00a7') style = QTextListFormat::ListSquare;
    }
    f.setStyle(QTextListFormat::Style(style));
    f.setIndent(0); // the paragraph's own indents place it
    f.setProperty(RtfProperty::ListLevelText, marker);
    f.setProperty(RtfProperty::ListStart, start);
    f.setProperty(RtfProperty::ListId, id);
    f.setProperty(RtfProperty::ListLevel, level);
    f.setProperty(RtfProperty::ListFollow, std::clamp(follow, 0, 2));
    // Qt draws its own marker on screen from prefix and suffix.
    const int at = int(marker.indexOf(QChar(char16_t(level))));
    if (at >= 0) {
        QString prefix = marker.left(at), suffix = marker.mid(at + 1);
        auto dropLevels = [](QString& s) {
            s.removeIf([](QChar c) { return c.unicode() < kRtfListLevels; });
        };
        dropLevels(prefix);
        dropLevels(suffix);
        f.setNumberPrefix(prefix);
        f.setNumberSuffix(suffix);
    }
    return f;
}

void TRtfListJoiner::Join(QTextCursor& cursor, const TRtfParaList& list) {
    if (list.id == 0) return;
    auto it = open_.find(list.id);
    if (it == open_.end()) it = open_.insert(list.id, {});
    auto& levels = *it;
    const int level = std::clamp(list.level, 0, kRtfListLevels - 1);
    QTextList*& current = levels[std::size_t(level)];
    if (current && current->format() == list.format)
        current->add(cursor.block());
    else
        current = cursor.createList(list.format);
    for (int l = level + 1; l < kRtfListLevels; ++l)
        levels[std::size_t(l)] = nullptr;
}

bool TRtfParser::HandleListWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    const TRtfDest dest = Top().dest;
    if (dest < TRtfDest::ListTable) return false;
    if (word == W::u) {
        if (dest == TRtfDest::ListLevelText && param >= -32768 && param <= 65535)
            listLevel_.text.push_back(char32_t(param < 0 ? param + 65536 : param));
        skipBytes_ = Top().uc;
        return true;
    }
    if (word == W::uc) {
        Top().uc = std::clamp(param, 0, 255);
        return true;
    }
    switch (dest) {
    case TRtfDest::ListDef:
        if (word == W::listid) listDef_.id = param;
        return true;
    case TRtfDest::ListLevel:
        switch (word) {
        case W::levelnfc:
        case W::levelnfcn:
            listLevel_.nfc = param;
            break;
        case W::levelstartat:
            listLevel_.start = param;
            break;
        case W::levelfollow:
            listLevel_.follow = param;
            break;
        case W::f:
            listLevel_.font = param;
            break;
        case W::li:
        case W::lin:
            listLevel_.leftIndent = std::clamp(param, -kRtfMaxAcross, kRtfMaxAcross);
            break;
        case W::fi:
            listLevel_.firstIndent = std::clamp(param, -kRtfMaxAcross, kRtfMaxAcross);
            break;
        default:
            break;
        }
        return true;
    case TRtfDest::ListOverride:
        if (word == W::listid) overrideList_ = param;
        if (word == W::ls) overrideNumber_ = param;
        return true;
    case TRtfDest::OldList:
        switch (word) {
        case W::pnlvlblt:
            oldList_.bullet = true;
            oldList_.nfc = 23;
            break;
        case W::pnlvlbody:
            oldList_.level = 0;
            break;
        case W::pnlvl:
            oldList_.level = std::clamp(param - 1, 0, kRtfListLevels - 1);
            break;
        case W::pndec:
            oldList_.nfc = 0;
            break;
        case W::pnucrm:
            oldList_.nfc = 1;
            break;
        case W::pnlcrm:
            oldList_.nfc = 2;
            break;
        case W::pnucltr:
            oldList_.nfc = 3;
            break;
        case W::pnlcltr:
            oldList_.nfc = 4;
            break;
        case W::pnstart:
            oldList_.start = param;
            break;
        case W::pnf:
            oldList_.font = param;
            break;
        default:
            break;
        }
        return true;
    default:
        return true; // the tables themselves and the texts take no other words
    }
    (void)hasParam;
}

bool TRtfParser::HandleListDestination(TRtfWord word) {
    using W = TRtfWord;
    const TRtfDest dest = Top().dest;
    switch (word) {
    case W::listtable:
        EnterDestination(TRtfDest::ListTable);
        return true;
    case W::list:
        if (dest != TRtfDest::ListTable) return false;
        listDef_ = TRtfListDef{};
        EnterDestination(TRtfDest::ListDef);
        return true;
    case W::listlevel:
        if (dest != TRtfDest::ListDef) return false;
        listLevel_ = TRtfListLevel{};
        EnterDestination(TRtfDest::ListLevel);
        return true;
    case W::leveltext:
        if (dest != TRtfDest::ListLevel) return false;
        listLevel_.text.clear();
        EnterDestination(TRtfDest::ListLevelText);
        return true;
    case W::listoverridetable:
        EnterDestination(TRtfDest::ListOverrideTable);
        return true;
    case W::listoverride:
        if (dest != TRtfDest::ListOverrideTable) return false;
        overrideList_ = overrideNumber_ = 0;
        EnterDestination(TRtfDest::ListOverride);
        return true;
    case W::pn:
        if (dest != TRtfDest::Body) {
            SkipDestination();
            return true;
        }
        oldList_ = TRtfOldList{};
        EnterDestination(TRtfDest::OldList);
        return true;
    case W::pntxtb:
    case W::pntxta:
        if (dest != TRtfDest::OldList) return false;
        oldListAfter_ = word == W::pntxta;
        (oldListAfter_ ? oldList_.after : oldList_.before).clear();
        EnterDestination(TRtfDest::OldListText);
        return true;
    case W::listtext:
    case W::pntext:
        // The marker as text, for readers without lists: kept only where the
        // paragraph turns out not to be in a list it names.
        if (dest != TRtfDest::Body) return false;
        CloseRun();
        if (listTextFrom_ < 0) listTextFrom_ = int(paragraph_.runs.size());
        Top().ownsListText = true;
        return true;
    default:
        return false;
    }
}

void TRtfParser::AppendListText(std::string_view bytes) {
    if (Top().dest == TRtfDest::ListLevelText) {
        for (const char c : bytes)
            if (c != ';') listLevel_.text.push_back(kRtfRawByte + static_cast<unsigned char>(c));
    } else if (Top().dest == TRtfDest::OldListText) {
        (oldListAfter_ ? oldList_.after : oldList_.before).append(bytes);
    }
}

QString TRtfParser::DecodeListBytes(const std::vector<char32_t>& text, int font) {
    TRtfCharState chr;
    chr.font = font;
    const int page = CodePageOf(chr);
    QString out;
    for (const char32_t c : text) {
        char32_t cp = c;
        if (c >= kRtfRawByte) {
            const auto byte = static_cast<unsigned char>(c - kRtfRawByte);
            if (byte < kRtfListLevels) {
                out.append(QChar(char16_t(byte)));
                continue;
            }
            cp = page == RtfCodePage::Symbol      ? SymbolFontToUnicode(byte)
                 : page == RtfCodePage::Wingdings ? WingdingsFontToUnicode(byte)
                                                  : Cp1252ToUnicode(byte);
        } else if (cp >= 0xF020 && cp <= 0xF0FF &&
                   (page == RtfCodePage::Symbol || page == RtfCodePage::Wingdings)) {
            const auto byte = static_cast<unsigned char>(cp - 0xF000);
            cp = page == RtfCodePage::Symbol ? SymbolFontToUnicode(byte)
                                             : WingdingsFontToUnicode(byte);
        }
        if (cp > 0 && cp < 0x10000) out.append(QChar(char16_t(cp)));
    }
    return out;
}

void TRtfParser::EndListGroup(const TGroup& closed) {
    switch (closed.dest) {
    case TRtfDest::ListLevel:
        if (listDef_.levels.size() < std::size_t(kRtfListLevels))
            listDef_.levels.push_back(std::move(listLevel_));
        listLevel_ = TRtfListLevel{};
        break;
    case TRtfDest::ListDef:
        if (listDefs_.size() < 4096) listDefs_.insert(listDef_.id, std::move(listDef_));
        listDef_ = TRtfListDef{};
        break;
    case TRtfDest::ListOverride:
        if (listOverrides_.size() < 4096) listOverrides_.insert(overrideNumber_, overrideList_);
        break;
    case TRtfDest::OldList: {
        auto same = std::find(oldLists_.begin(), oldLists_.end(), oldList_);
        if (same == oldLists_.end() && oldLists_.size() < 256) {
            oldLists_.push_back(oldList_);
            same = oldLists_.end() - 1;
        }
        if (same != oldLists_.end()) Top().para.oldList = int(same - oldLists_.begin());
        break;
    }
    default:
        break;
    }
}

void TRtfParser::EndListText() {
    CloseRun();
    listTextTo_ = int(paragraph_.runs.size());
}

TRtfParaList TRtfParser::ListOf(const TRtfParaState& para, TRtfParaState& indents) {
    TRtfParaList list;
    if (para.listOverride > 0) {
        const auto o = listOverrides_.constFind(para.listOverride);
        if (o == listOverrides_.constEnd()) return list;
        const auto def = listDefs_.constFind(*o);
        if (def == listDefs_.constEnd() || def->levels.empty()) return list;
        const int level = std::clamp(para.listLevel, 0, int(def->levels.size()) - 1);
        const TRtfListLevel& l = def->levels[std::size_t(level)];
        if (l.nfc == 255) return list; // a level without a marker
        // The level text begins with its length, as a byte.
        std::vector<char32_t> text = l.text;
        if (!text.empty() && text.front() >= kRtfRawByte) text.erase(text.begin());
        const QString marker = DecodeListBytes(text, l.font);
        list.id = para.listOverride;
        list.level = level;
        list.format = RtfListFormat(list.id, level, l.nfc, l.start, l.follow, marker);
        if (indents.leftIndent == 0 && indents.firstIndent == 0) {
            indents.leftIndent = l.leftIndent;
            indents.firstIndent = l.firstIndent;
        }
        return list;
    }
    if (para.oldList >= 0 && std::size_t(para.oldList) < oldLists_.size()) {
        const TRtfOldList& o = oldLists_[std::size_t(para.oldList)];
        auto decode = [&](const std::string& bytes) {
            std::vector<char32_t> raw;
            for (const char c : bytes)
                raw.push_back(kRtfRawByte + static_cast<unsigned char>(c));
            QString s = DecodeListBytes(raw, o.font);
            s.removeIf([](QChar c) { return c.unicode() < kRtfListLevels; });
            return s;
        };
        const QString before = decode(o.before), after = decode(o.after);
        QString marker = before;
        if (!o.bullet) marker += QChar(char16_t(o.level)) + after;
        if (o.bullet && marker.isEmpty()) marker = QStringLiteral("\u2022");
        list.id = kOldListIdBase - para.oldList;
        list.level = o.level;
        list.format = RtfListFormat(list.id, o.level, o.nfc, o.start, 0, marker);
    }
    return list;
}

void TRtfParser::PlaceInList(TRtfParagraph& p, const TRtfParaState& para) {
    const int from = listTextFrom_, to = listTextTo_;
    listTextFrom_ = listTextTo_ = -1;
    TRtfParaState indents = para;
    p.list = ListOf(para, indents);
    if (p.list.id == 0) return;
    if (from >= 0 && from <= to && std::size_t(to) <= p.runs.size())
        p.runs.erase(p.runs.begin() + from, p.runs.begin() + to);
    auto units = [](int twips) {
        return TFormatUnits(TTwips(std::clamp(twips, -kRtfMaxAcross, kRtfMaxAcross))).Value();
    };
    p.format.setLeftMargin(std::max(0.0, units(indents.leftIndent)));
    p.format.setTextIndent(0);
    if (indents.firstIndent != 0)
        p.format.setProperty(RtfProperty::ListTextIndent, units(indents.firstIndent));
}
