#include "output/rtf/rtf_read_parser.h"

#include <algorithm>

// Characters, breaks, section and document words.

bool TRtfParser::HandleSpecialWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    const TRtfDest dest = Top().dest;
    switch (word) {
    case W::par:
        if (dest == TRtfDest::Body) {
            EndParagraph(true);
        } else if (dest == TRtfDest::Footer) {
            CloseRun();
            extras_.footer.text.append(QLatin1Char('\n'));
        }
        break;
    case W::page:
        if (dest == TRtfDest::Body && Top().para.tableDepth == 0) {
            CloseRun();
            if (!paragraph_.IsEmpty()) EndParagraph(true);
            pageBreakPending_ = true;
        }
        break;
    case W::line:
        AppendUnicode(0x2028);
        break;
    case W::tab:
        AppendUnicode('\t');
        break;
    case W::emdash:
        AppendUnicode(0x2014);
        break;
    case W::endash:
        AppendUnicode(0x2013);
        break;
    case W::bullet:
        AppendUnicode(0x2022);
        break;
    case W::lquote:
        AppendUnicode(0x2018);
        break;
    case W::rquote:
        AppendUnicode(0x2019);
        break;
    case W::ldblquote:
        AppendUnicode(0x201C);
        break;
    case W::rdblquote:
        AppendUnicode(0x201D);
        break;
    case W::emspace:
        AppendUnicode(0x2003);
        break;
    case W::enspace:
        AppendUnicode(0x2002);
        break;
    case W::qmspace:
        AppendUnicode(0x2005);
        break;
    case W::zwj:
        AppendUnicode(0x200D);
        break;
    case W::zwnj:
        AppendUnicode(0x200C);
        break;
    case W::ltrmark:
        AppendUnicode(0x200E);
        break;
    case W::rtlmark:
        AppendUnicode(0x200F);
        break;
    case W::chpgn:
        if (dest == TRtfDest::Footer)
            FooterPageNumber();
        else
            AppendPageField(TRtfPageField::Page);
        break;
    case W::chftn:
        AppendNoteNumber();
        break;
    case W::titlepg:
        extras_.areas.titlePage = true;
        break;
    case W::ftnrstpg:
        extras_.areas.notesRestartEachPage = true;
        break;
    case W::uc:
        Top().uc = std::clamp(param, 0, 255);
        break;
    case W::ansi:
        ansiCodePage_ = RtfCodePage::Ansi;
        break;
    case W::mac:
        ansiCodePage_ = 10000;
        break;
    case W::pc:
        ansiCodePage_ = 437;
        break;
    case W::pca:
        ansiCodePage_ = 850;
        break;
    case W::ansicpg:
        if (hasParam && param > 0) ansiCodePage_ = param;
        break;
    case W::deff:
        defaultFont_ = param;
        cacheValid_ = false;
        break;
    case W::paperw:
    case W::paperh:
    case W::margl:
    case W::margr:
    case W::margt:
    case W::margb:
    case W::footery:
    case W::headery:
        SetPageValue(word, param);
        break;
    case W::pgwsxn:
    case W::pghsxn:
    case W::marglsxn:
    case W::margrsxn:
    case W::margtsxn:
    case W::margbsxn:
        SetSectionPageValue(word, param);
        break;
    case W::widowctrl:
        widowControl_ = true;
        break;
    case W::deftab:
        if (hasParam && param > 0) defaultTab_ = std::min(param, kRtfMaxAcross);
        break;
    default:
        return false;
    }
    return true;
}
