#include "output/rtf/rtf_read_parser.h"

#include <algorithm>

namespace {
constexpr int kMaxTabStops = 64;
constexpr std::size_t kMaxCellDefs = 1024;

// \clpadt and \clpadl: word processors write the top padding as \clpadl and the
// left as \clpadt, and read them so; the file's order is top, left, bottom, right.
constexpr int kClPadSide[4] = {1, 0, 2, 3};

bool On(bool hasParam, int param) {
    return !hasParam || param != 0;
}
int Across(int param) {
    return std::clamp(param, -kRtfMaxAcross, kRtfMaxAcross);
}
int Down(int param) {
    return std::clamp(param, -kRtfMaxDown, kRtfMaxDown);
}
TRtfBorderStyle BorderStyleOf(TRtfWord word) {
    switch (word) {
    case TRtfWord::brdrdb:
    case TRtfWord::brdrtriple:
        return TRtfBorderStyle::Double;
    case TRtfWord::brdrth:
        return TRtfBorderStyle::Thick;
    case TRtfWord::brdrdot:
        return TRtfBorderStyle::Dotted;
    case TRtfWord::brdrdash:
    case TRtfWord::brdrdashsm:
    case TRtfWord::brdrdashd:
    case TRtfWord::brdrdashdd:
        return TRtfBorderStyle::Dashed;
    default:
        return TRtfBorderStyle::Single;
    }
}
} // namespace

// Paragraph, border and table words.

bool TRtfParser::HandleParaWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    TRtfParaState& p = Top().para;
    const bool on = On(hasParam, param);
    switch (word) {
    case W::pard:
        p = TRtfParaState{};
        borderTarget_ = TBorderTarget::None;
        break;
    case W::s: {
        // The paragraph takes its style's properties instead of those it had.
        const int depth = p.tableDepth;
        p = TRtfParaState{};
        p.tableDepth = depth;
        ApplyStyle(param);
        break;
    }
    case W::ql:
    case W::qc:
    case W::qr:
    case W::qj:
        p.align = std::uint8_t(int(word) - int(W::ql));
        break;
    case W::qd:
        p.align = 3;
        break;
    case W::li:
    case W::lin:
        p.leftIndent = Across(param);
        break;
    case W::ri:
    case W::rin:
        p.rightIndent = Across(param);
        break;
    case W::fi:
        p.firstIndent = Across(param);
        break;
    case W::sb:
        p.spaceBefore = Down(param);
        break;
    case W::sa:
        p.spaceAfter = Down(param);
        break;
    case W::sl:
        p.lineSpacing = hasParam ? Down(param) : 0;
        break;
    case W::slmult:
        p.lineMultiple = on;
        break;
    case W::keep:
        p.keep = on;
        break;
    case W::keepn:
        p.keepNext = on;
        break;
    case W::pagebb:
        p.pageBreakBefore = on;
        break;
    case W::cbpat:
        p.background = ColorAt(param);
        break;
    case W::widctlpar:
    case W::nowidctlpar:
        p.widowControl = word == W::widctlpar ? 1 : 0;
        break;
    case W::tx:
    case W::tb: {
        // A stop given again (by the style and then the paragraph) replaces the first.
        const TRtfTabStop stop{std::clamp(param, 0, kRtfMaxAcross),
                               word == W::tb ? TRtfTabKind::Left : p.pendingTabKind,
                               p.pendingTabLeader};
        const auto same = std::find_if(p.tabs.begin(), p.tabs.end(), [&](const TRtfTabStop& t) {
            return t.position == stop.position;
        });
        if (same != p.tabs.end())
            *same = stop;
        else if (int(p.tabs.size()) < kMaxTabStops)
            p.tabs.push_back(stop);
        p.pendingTabKind = TRtfTabKind::Left;
        p.pendingTabLeader = 0;
        break;
    }
    case W::tqr:
        p.pendingTabKind = TRtfTabKind::Right;
        break;
    case W::tqc:
        p.pendingTabKind = TRtfTabKind::Center;
        break;
    case W::tqdec:
        p.pendingTabKind = TRtfTabKind::Decimal;
        break;
    case W::tldot:
    case W::tlmdot:
        p.pendingTabLeader = std::uint8_t(TRtfTabLeader::Dot);
        break;
    case W::tlhyph:
        p.pendingTabLeader = std::uint8_t(TRtfTabLeader::Hyphen);
        break;
    case W::tlul:
        p.pendingTabLeader = std::uint8_t(TRtfTabLeader::Underline);
        break;
    case W::tlth:
        p.pendingTabLeader = std::uint8_t(TRtfTabLeader::ThickLine);
        break;
    case W::tleq:
        p.pendingTabLeader = std::uint8_t(TRtfTabLeader::Equal);
        break;
    case W::intbl:
        p.tableDepth = std::max(p.tableDepth, 1);
        break;
    case W::itap:
        p.tableDepth = std::clamp(param, 0, 64);
        break;
    case W::outlinelevel:
        p.outlineLevel = std::clamp(param, 0, 8);
        break;
    case W::ls:
        p.listOverride = std::max(0, param);
        break;
    case W::ilvl:
        p.listLevel = std::clamp(param, 0, kRtfListLevels - 1);
        break;
    case W::ATXbrdr:
        p.border = on;
        break;
    case W::box:
        borderTarget_ = TBorderTarget::Paragraph;
        borderSide_ = -1;
        break;
    case W::brdrt:
    case W::brdrb:
    case W::brdrl:
    case W::brdrr:
        borderTarget_ = TBorderTarget::Paragraph;
        borderSide_ = word == W::brdrt   ? kTop
                      : word == W::brdrl ? kLeft
                      : word == W::brdrb ? kBottom
                                         : kRight;
        break;
    default:
        return false;
    }
    return true;
}

TRtfBorder* TRtfParser::BorderTarget() {
    const int side = std::clamp(borderSide_, 0, 5);
    if (borderTarget_ == TBorderTarget::Cell) return &rowDef_.pending.borders[std::min(side, 3)];
    if (borderTarget_ == TBorderTarget::Row) return &rowDef_.borders[side];
    return nullptr;
}

void TRtfParser::SetBorderLine(bool line) {
    if (borderTarget_ == TBorderTarget::Paragraph) {
        TRtfParaState& p = Top().para;
        const std::uint8_t bits = borderSide_ < 0 ? 0xF : std::uint8_t(1u << borderSide_);
        p.borderSides = line ? (p.borderSides | bits) : (p.borderSides & ~bits);
    } else if (TRtfBorder* b = BorderTarget()) {
        b->line = line;
    }
}

bool TRtfParser::HandleTableWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    TRtfCellDef& cell = rowDef_.pending;
    const bool body = Top().dest == TRtfDest::Body;
    switch (word) {
    case W::cell:
        if (body) EndCell();
        break;
    case W::row:
        if (body) EndRow();
        break;
    case W::nestcell:
        if (body && Top().para.tableDepth > 2) {
            CloseRun();
            nestedCellPending_ = true;
        } else if (body) {
            EndNestedCell();
        }
        break;
    case W::nestrow:
        if (body) EndParagraph(true);
        break;
    case W::trowd:
        rowDef_ = TRtfRowDef{};
        borderTarget_ = TBorderTarget::None;
        break;
    case W::trgaph:
        rowDef_.gap = std::clamp(param, 0, kRtfMaxAcross / 2);
        break;
    case W::trleft:
        rowDef_.left = Across(param);
        break;
    case W::trql:
    case W::trqc:
    case W::trqr:
        rowDef_.align = std::uint8_t(int(word) - int(W::trql));
        break;
    case W::trhdr:
        rowDef_.header = On(hasParam, param);
        break;
    case W::trpaddt:
    case W::trpaddl:
    case W::trpaddb:
    case W::trpaddr:
        rowDef_.padding[int(word) - int(W::trpaddt)] = std::clamp(param, 0, kRtfMaxAcross / 2);
        break;
    case W::trpaddft:
    case W::trpaddfl:
    case W::trpaddfb:
    case W::trpaddfr:
        rowDef_.paddingUnit[int(word) - int(W::trpaddft)] = std::int8_t(std::clamp(param, 0, 3));
        break;
    case W::clpadt:
    case W::clpadl:
    case W::clpadb:
    case W::clpadr:
        cell.padding[kClPadSide[int(word) - int(W::clpadt)]] =
            std::clamp(param, 0, kRtfMaxAcross / 2);
        break;
    case W::clpadft:
    case W::clpadfl:
    case W::clpadfb:
    case W::clpadfr:
        cell.paddingUnit[kClPadSide[int(word) - int(W::clpadft)]] =
            std::int8_t(std::clamp(param, 0, 3));
        break;
    case W::shpleft:
    case W::shptop:
    case W::shpright:
    case W::shpbottom:
        SetShapeEdge(word, param);
        break;
    case W::shpwr:
        shapeWrap_ = param;
        break;
    case W::shpfblwtxt:
        shapeBehind_ = On(hasParam, param);
        break;
    case W::shpbxmargin:
    case W::shpbxpage:
    case W::shpbxcolumn:
        shapeAcross_ = TRtfFloatAcross(int(word) - int(W::shpbxmargin));
        break;
    case W::shpbymargin:
    case W::shpbypage:
    case W::shpbypara:
        shapeDown_ = TRtfFloatDown(int(word) - int(W::shpbymargin));
        break;
    case W::trrh:
        rowDef_.height = Down(param);
        break;
    case W::clshdng:
        cell.shading = std::clamp(param, 0, 10000);
        break;
    case W::clcfpat:
        cell.pattern = ColorAt(param);
        break;
    case W::cellx:
        // Wider than any paper, to be fitted to the page when the table is built.
        cell.right = std::clamp(param, -kRtfMaxAcross, 8 * kRtfMaxAcross);
        if (rowDef_.cells.size() < kMaxCellDefs) rowDef_.cells.push_back(cell);
        cell = TRtfCellDef{};
        borderTarget_ = TBorderTarget::None;
        break;
    case W::clbrdrt:
    case W::clbrdrl:
    case W::clbrdrb:
    case W::clbrdrr:
        borderTarget_ = TBorderTarget::Cell;
        borderSide_ = int(word) - int(W::clbrdrt);
        break;
    case W::trbrdrt:
    case W::trbrdrl:
    case W::trbrdrb:
    case W::trbrdrr:
    case W::trbrdrh:
    case W::trbrdrv:
        borderTarget_ = TBorderTarget::Row;
        borderSide_ = int(word) - int(W::trbrdrt);
        break;
    case W::clvertalt:
    case W::clvertalc:
    case W::clvertalb:
        cell.valign = std::uint8_t(int(word) - int(W::clvertalt));
        break;
    case W::clcbpat:
        cell.background = ColorAt(param);
        break;
    case W::clmgf:
        cell.hMergeFirst = true;
        break;
    case W::clmrg:
        cell.hMerged = true;
        break;
    case W::clvmgf:
        cell.vMergeFirst = true;
        break;
    case W::clvmrg:
        cell.vMerged = true;
        break;
    case W::brdrnone:
        SetBorderLine(false);
        break;
    case W::brdrw:
        if (TRtfBorder* b = BorderTarget()) b->width = std::clamp(param, 0, 1440);
        break;
    case W::brdrcf:
        if (TRtfBorder* b = BorderTarget()) b->color = ColorAt(param);
        break;
    default:
        if (word >= W::brdrs && word <= W::brdrframe) {
            SetBorderLine(true);
            if (TRtfBorder* b = BorderTarget()) b->style = BorderStyleOf(word);
            break;
        }
        return false;
    }
    return true;
}
