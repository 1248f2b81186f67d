#include "output/rtf/rtf_read_parser.h"

#include <algorithm>

namespace {
// Style numbers: paragraph, character and section styles count separately.
constexpr int kCharStyleKey = 1 << 24;
constexpr int kSectionStyleKey = 2 << 24;
constexpr int kStyleKindMask = ~((1 << 24) - 1);
// A style that reaches deeper along its \sbasedon chain is taken as a loop.
constexpr int kMaxStyleDepth = 16;
constexpr std::size_t kMaxStyleWords = 256;

bool On(bool hasParam, int param) {
    return !hasParam || param != 0;
}
} // namespace

void TRtfParser::HandleWord(const TRtfToken& token) {
    const bool starred = starred_;
    starred_ = false;
    const TRtfWord word = LookupRtfWord(token.name);
    if (word == TRtfWord::Unknown) {
        if (starred) SkipDestination();
        return;
    }
    if (HandleDestinationWord(word)) return;
    const bool hasParam = token.hasParam;
    const int param = token.param;
    switch (Top().dest) {
    case TRtfDest::FontTable:
    case TRtfDest::FontAlt:
    case TRtfDest::ColorTable:
    case TRtfDest::Picture:
        HandleTableEntryWord(word, hasParam, param);
        return;
    case TRtfDest::NestProps:
        // Tables nested deeper than one level inside another stay lines of text.
        if (word != TRtfWord::nestrow)
            HandleTableWord(word, hasParam, param);
        else if (Top().para.tableDepth > 2)
            EndParagraph(true);
        else
            builder_.EndNestedRow(rowDef_);
        return;
    case TRtfDest::FieldInst:
        return;
    default:
        break;
    }
    if (HandleListWord(word, hasParam, param)) return;
    if (word == TRtfWord::u) {
        // \uN is a signed 16-bit value; anything else is damage and shows nothing.
        char32_t cp =
            param < -32768 || param > 65535 ? 0 : char32_t(param < 0 ? param + 65536 : param);
        // Symbol fonts written as Unicode use the private area F020-F0FF.
        const int page = CodePageOf(Top().chr);
        if (cp >= 0xF020 && cp <= 0xF0FF &&
            (page == RtfCodePage::Symbol || page == RtfCodePage::Wingdings)) {
            const auto byte = static_cast<unsigned char>(cp - 0xF000);
            const char32_t mapped = page == RtfCodePage::Symbol ? SymbolFontToUnicode(byte)
                                                                : WingdingsFontToUnicode(byte);
            if (mapped) cp = mapped;
        }
        AppendUnicode(cp);
        skipBytes_ = Top().uc;
        return;
    }
    if (Top().dest == TRtfDest::StyleSheet) {
        RecordStyleWord(word, hasParam, param);
        return;
    }
    if (HandleCharWord(word, hasParam, param) || HandleParaWord(word, hasParam, param) ||
        HandleTableWord(word, hasParam, param) || HandleSectionWord(word, hasParam, param))
        return;
    HandleSpecialWord(word, hasParam, param);
}

bool TRtfParser::HandleDestinationWord(TRtfWord word) {
    using W = TRtfWord;
    if (HandleListDestination(word)) return true;
    switch (word) {
    case W::fonttbl:
        currentFont_ = -1;
        EnterDestination(TRtfDest::FontTable);
        return true;
    case W::falt:
        if (Top().dest == TRtfDest::FontTable)
            EnterDestination(TRtfDest::FontAlt);
        else
            SkipDestination();
        return true;
    case W::colortbl:
        colors_.clear();
        EnterDestination(TRtfDest::ColorTable);
        return true;
    case W::stylesheet:
        EnterDestination(TRtfDest::StyleSheet);
        Top().chr = {};
        Top().para = {};
        return true;
    case W::pict:
        picture_ = std::make_unique<TRtfReadPicture>();
        EnterDestination(TRtfDest::Picture);
        return true;
    case W::field:
        BeginField();
        return true;
    case W::fldinst:
        if (Top().field >= 0)
            EnterDestination(TRtfDest::FieldInst);
        else
            SkipDestination();
        return true;
    case W::fldrslt:
        BeginFieldResult();
        return true;
    case W::footer:
        BeginFooter(true, TRtfAreaPages::All);
        return true;
    case W::footerr:
        BeginFooter(true, TRtfAreaPages::Right);
        return true;
    case W::footerl:
        BeginFooter(false, TRtfAreaPages::Left);
        return true;
    case W::footerf:
        BeginFooter(false, TRtfAreaPages::First);
        return true;
    case W::header:
        ReadArea(extras_.areas.headers, TRtfAreaPages::All);
        return true;
    case W::headerl:
        ReadArea(extras_.areas.headers, TRtfAreaPages::Left);
        return true;
    case W::headerr:
        ReadArea(extras_.areas.headers, TRtfAreaPages::Right);
        return true;
    case W::headerf:
        ReadArea(extras_.areas.headers, TRtfAreaPages::First);
        return true;
    case W::footnote:
        ReadNote();
        return true;
    case W::shppict:
        return true; // the picture inside is read; \nonshppict is its fallback
    case W::shp:
        BeginShape();
        EnterDestination(TRtfDest::Container);
        return true;
    case W::shpinst:
    case W::object:
        EnterDestination(TRtfDest::Container);
        return true;
    case W::shprslt:
        // The fallback drawing of a shape, for readers that did not get the shape.
        if (shapeHadContent_)
            SkipDestination();
        else
            EnterDestination(Top().textDest);
        return true;
    case W::sn:
        shapePropertyName_.clear();
        EnterDestination(TRtfDest::ShapeName);
        return true;
    case W::sv:
        // Word processors keep an inline picture as the shape's "pib" property.
        EnterDestination(shapePropertyName_ == "pib" ? TRtfDest::ShapePicture
                                                     : TRtfDest::ShapeValue);
        return true;
    case W::shptxt:
        BeginTextBox();
        return true;
    case W::result:
        EnterDestination(Top().textDest);
        return true;
    case W::nesttableprops:
        EnterDestination(TRtfDest::NestProps);
        outerRowDef_ = rowDef_;
        borderTarget_ = TBorderTarget::None;
        return true;
    case W::nonshppict:
    case W::nonesttables:
    case W::generator:
    case W::info:
    case W::annotation:
    case W::filetbl:
    case W::revtbl:
    case W::xe:
    case W::tc:
    case W::tcn:
    case W::txe:
    case W::do_:
    case W::upr:
    case W::template_:
    case W::docvar:
    case W::userprops:
    case W::comment:
    case W::ftnsep:
    case W::ftnsepc:
    case W::aftnsep:
    case W::aftnsepc:
    case W::ftncn:
    case W::aftncn:
    case W::background:
    case W::atnid:
    case W::atnauthor:
    case W::atrfstart:
    case W::atrfend:
    case W::pgdsctbl:
        SkipDestination();
        return true;
    default:
        return false;
    }
}

void TRtfParser::HandleTableEntryWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    if (Top().dest == TRtfDest::Picture) {
        if (!picture_) return;
        TRtfReadPicture& p = *picture_;
        switch (word) {
        case W::pngblip:
            p.kind = TRtfPictureKind::Png;
            break;
        case W::jpegblip:
            p.kind = TRtfPictureKind::Jpeg;
            break;
        case W::dibitmap:
            p.kind = TRtfPictureKind::Dib;
            break;
        case W::wbitmap:
            p.kind = TRtfPictureKind::Bitmap;
            break;
        case W::emfblip:
            p.kind = TRtfPictureKind::Emf;
            break;
        case W::wmetafile:
            p.kind = TRtfPictureKind::Wmf;
            break;
        case W::macpict:
        case W::pmmetafile:
            p.kind = TRtfPictureKind::Other;
            break;
        case W::picw:
            p.width = std::max(0, param);
            break;
        case W::pich:
            p.height = std::max(0, param);
            break;
        case W::picwgoal:
            p.goalWidth = std::max(0, param);
            break;
        case W::pichgoal:
            p.goalHeight = std::max(0, param);
            break;
        case W::picscalex:
            p.scaleX = param;
            break;
        case W::picscaley:
            p.scaleY = param;
            break;
        default:
            break;
        }
        return;
    }
    if (Top().dest == TRtfDest::ColorTable) {
        const int v = std::clamp(param, 0, 255);
        if (word == W::red) red_ = v;
        if (word == W::green) green_ = v;
        if (word == W::blue) blue_ = v;
        return;
    }
    // Font table entries.
    if (word == W::f) {
        BeginFont(param);
        return;
    }
    if (word == W::u) {
        if (Top().dest == TRtfDest::FontTable && param >= -32768 && param <= 65535)
            AppendFontNameUnicode(char32_t(param < 0 ? param + 65536 : param));
        skipBytes_ = Top().uc;
        return;
    }
    if (word == W::uc) {
        Top().uc = std::clamp(param, 0, 255);
        return;
    }
    if (currentFont_ < 0) return;
    TFont& font = fonts_[currentFont_];
    switch (word) {
    case W::fcharset:
        font.charset = param;
        break;
    case W::cpg:
        font.codePage = std::max(0, param);
        break;
    case W::fnil:
    case W::froman:
    case W::fswiss:
    case W::fmodern:
    case W::fscript:
    case W::fdecor:
    case W::ftech:
    case W::fbidi:
        font.familyClass = int(word) - int(W::fnil) + 1;
        break;
    default:
        break;
    }
    (void)hasParam;
}

bool TRtfParser::HandleCharWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    TRtfCharState& c = Top().chr;
    const bool on = On(hasParam, param);
    auto underline = [&](TRtfUnderline kind) { c.underline = on ? kind : TRtfUnderline::None; };
    switch (word) {
    case W::plain:
        c = TRtfCharState{};
        break;
    case W::f:
        c.font = param;
        break;
    case W::fs:
        c.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        break;
    case W::b:
        c.bold = on;
        break;
    case W::i:
        c.italic = on;
        break;
    case W::ul:
        underline(TRtfUnderline::Single);
        break;
    case W::ulth:
        underline(TRtfUnderline::Thick);
        break;
    case W::ulnone:
        c.underline = TRtfUnderline::None;
        break;
    case W::uld:
    case W::ulthd:
        underline(TRtfUnderline::Dotted);
        break;
    case W::uldb:
        underline(TRtfUnderline::Double);
        break;
    case W::ulw:
        underline(TRtfUnderline::Word);
        break;
    case W::uldash:
    case W::uldashd:
    case W::uldashdd:
    case W::ulldash:
    case W::ulthdash:
        underline(TRtfUnderline::Dashed);
        break;
    case W::ulwave:
    case W::ulhwave:
    case W::ululdbwave:
        underline(TRtfUnderline::Wave);
        break;
    case W::strike:
    case W::striked:
        c.strike = on;
        break;
    case W::caps:
        c.caps = on ? 1 : 0;
        break;
    case W::scaps:
        c.caps = on ? 2 : 0;
        break;
    case W::super:
        c.vertical = 1;
        break;
    case W::sub:
        c.vertical = -1;
        break;
    case W::nosupersub:
        c.vertical = 0;
        break;
    case W::up:
        c.vertical = !hasParam || param > 0 ? 1 : 0;
        break;
    case W::dn:
        c.vertical = !hasParam || param > 0 ? -1 : 0;
        break;
    case W::cf:
        c.foreground = param;
        break;
    case W::cb:
    case W::chcbpat:
    case W::highlight:
        c.background = param;
        break;
    case W::v:
        c.hidden = on;
        break;
    case W::cs:
        ApplyStyle(kCharStyleKey + param);
        break;
    default:
        return false;
    }
    return true;
}

void TRtfParser::RecordStyleWord(TRtfWord word, bool hasParam, int param) {
    using W = TRtfWord;
    switch (word) {
    case W::s:
        Top().style = std::max(param, 0);
        return;
    case W::cs:
        Top().style = kCharStyleKey + std::max(param, 0);
        return;
    case W::ds:
        Top().style = kSectionStyleKey + std::max(param, 0);
        return;
    case W::sbasedon:
        styleEntry_.basedOn = param;
        return;
    // A style does not reset what it leaves unset, nor take the text into a table.
    case W::plain:
    case W::pard:
    case W::intbl:
    case W::itap:
        return;
    default:
        if (styleEntry_.words.size() < kMaxStyleWords)
            styleEntry_.words.push_back({word, hasParam, param});
    }
}

void TRtfParser::ApplyStyle(int key, int depth) {
    const auto it = styles_.constFind(key);
    if (it == styles_.constEnd() || depth > kMaxStyleDepth) return;
    const TStyle& style = *it;
    if (style.basedOn >= 0) {
        const int base = (key & kStyleKindMask) + style.basedOn;
        if (base != key) ApplyStyle(base, depth + 1);
    }
    for (const TStyleWord& w : style.words)
        if (!HandleCharWord(w.word, w.hasParam, w.param))
            HandleParaWord(w.word, w.hasParam, w.param);
}
