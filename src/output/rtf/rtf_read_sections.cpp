#include "output/rtf/rtf_read_parser.h"

#include <QList>

#include <algorithm>

namespace {
// More columns than a page can show side by side are damage, not layout.
constexpr int kMaxColumns = 20;
} // namespace

bool TRtfParser::HandleSectionWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    const bool body = Top().dest == TRtfDest::Body;
    TRtfSectionState& s = section_;
    switch (word) {
    case W::sect:
        if (body) {
            // "\par\sect" ends one paragraph, as word processors read it: with nothing
            // since the last paragraph mark, the section ends after that paragraph
            // (an empty one would also take the last one's page break before).
            CloseRun();
            if (!paragraph_.IsEmpty()) EndParagraph(true);
            firstSectionEnded_ = true;
            sectionBreakPending_ = true;
            sectionStartPending_ = true;
        }
        break;
    case W::column:
        if (body && Top().para.tableDepth == 0) {
            CloseRun();
            if (!paragraph_.IsEmpty()) EndParagraph(true);
            columnBreakPending_ = true;
        }
        break;
    case W::sectd:
        s = TRtfSectionState{};
        sectionBreaksPage_ = true;
        break;
    case W::sbkpage:
    case W::sbkeven:
    case W::sbkodd:
        s.start = word == W::sbkpage   ? TRtfSectionBreak::Page
                  : word == W::sbkeven ? TRtfSectionBreak::Even
                                       : TRtfSectionBreak::Odd;
        sectionBreaksPage_ = true;
        break;
    case W::sbknone:
    case W::sbkcol:
        s.start = word == W::sbknone ? TRtfSectionBreak::None : TRtfSectionBreak::Column;
        sectionBreaksPage_ = false;
        break;
    case W::cols:
        s.columns = std::clamp(hasParam ? param : 1, 1, kMaxColumns);
        break;
    case W::colsx:
        s.gap = std::clamp(param, 0, kRtfMaxAcross);
        break;
    case W::linebetcol:
        s.lineBetween = !hasParam || param != 0;
        break;
    case W::colno:
        s.column = std::clamp(param, 1, kMaxColumns) - 1;
        if (s.widths.size() < std::size_t(s.column + 1) * 2)
            s.widths.resize(std::size_t(s.column + 1) * 2, 0);
        break;
    case W::colw:
    case W::colsr:
        if (s.column >= 0)
            s.widths[std::size_t(s.column) * 2 + (word == W::colw ? 0 : 1)] =
                std::clamp(param, 0, kRtfMaxAcross);
        break;
    default:
        return false;
    }
    return true;
}

// Puts the pending section start and column break on the paragraph that begins
// after them. The first section is marked only when it has columns, so that a
// plain text inserted into another keeps flowing in that text's section.
void TRtfParser::MarkBreaks(QTextBlockFormat& format) {
    if (columnBreakPending_) format.setProperty(RtfProperty::ColumnBreakBefore, true);
    columnBreakPending_ = false;
    if (!sectionStartPending_) return;
    sectionStartPending_ = false;
    const TRtfSectionState& s = section_;
    if (!firstSectionEnded_ && s.columns <= 1 && s.widths.empty()) return;
    format.setProperty(RtfProperty::SectionBreak, int(s.start));
    format.setProperty(RtfProperty::SectionColumns, s.columns);
    format.setProperty(RtfProperty::SectionColumnGap, s.gap);
    if (s.lineBetween) format.setProperty(RtfProperty::SectionLineBetween, true);
    if (!s.widths.empty()) {
        QList<int> widths(s.widths.begin(), s.widths.end());
        format.setProperty(RtfProperty::SectionColumnWidths, QVariant::fromValue(widths));
    }
}
