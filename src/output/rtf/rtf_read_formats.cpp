#include "output/rtf/rtf_read_parser.h"

#include <QFont>

#include <algorithm>

namespace {
// Lengths beyond 22 inches are damage, not layout.
int ClampTwips(int twips) {
    return std::clamp(twips, -31680, 31680);
}
double Units(int twips) {
    return TFormatUnits(TTwips(ClampTwips(twips))).Value();
}

// Faces with the same metrics as the common Windows fonts, so that a text set in
// one of those lays out and paginates the same on every machine.
QString MetricAlias(const QString& family) {
    static const struct {
        const char* windows;
        const char* alias;
    } kAliases[] = {
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"calibri", "Carlito"},
        {"cambria", "Caladea"},
    };
    const QString lower = family.toLower();
    for (const auto& a : kAliases)
        if (lower == QLatin1String(a.windows)) return QString::fromLatin1(a.alias);
    return {};
}

QFont::StyleHint HintFor(int familyClass) {
    switch (familyClass) {
    case 2:
        return QFont::Serif;
    case 3:
        return QFont::SansSerif;
    case 4:
        return QFont::TypeWriter;
    case 5:
        return QFont::Cursive;
    case 6:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}
} // namespace

void TRtfParser::BeginFont(int index) {
    if (currentFont_ >= 0) EndFont();
    currentFont_ = index;
    fontDepth_ = stack_.size();
    fonts_[index] = TFont{};
}

int TRtfParser::FontNamePage(const TFont& f) const {
    if (f.codePage > 0) return f.codePage;
    const int charsetPage =
        f.charset >= 0 ? CodePageForCharset(f.charset, ansiCodePage_) : ansiCodePage_;
    return charsetPage == RtfCodePage::Symbol ? ansiCodePage_ : charsetPage;
}

// A name outside the code page comes as \uN with a fallback; the bytes before it
// are decoded in the font's own code page.
void TRtfParser::AppendFontNameUnicode(char32_t cp) {
    if (currentFont_ < 0 || cp == 0) return;
    TFont& f = fonts_[currentFont_];
    decoder_.Decode(FontNamePage(f), f.name.toStdString(), f.decodedName);
    f.name.clear();
    if (cp < 0x10000) f.decodedName.append(QChar(char16_t(cp)));
}

void TRtfParser::EndFont() {
    if (currentFont_ < 0) return;
    TFont& f = fonts_[currentFont_];
    currentFont_ = -1;
    cacheValid_ = false;
    const int charsetPage =
        f.charset >= 0 ? CodePageForCharset(f.charset, ansiCodePage_) : ansiCodePage_;
    const int namePage = charsetPage == RtfCodePage::Symbol ? ansiCodePage_ : charsetPage;
    QString name = f.decodedName, alt;
    decoder_.Decode(FontNamePage(f), f.name.toStdString(), name);
    decoder_.Decode(namePage, f.altName.toStdString(), alt);
    name = RtfWithoutControls(name).trimmed();
    alt = alt.trimmed();
    f.families.clear();
    if (!name.isEmpty()) f.families.append(name);
    const QString alias = MetricAlias(name);
    if (!alias.isEmpty()) f.families.append(alias);
    if (!alt.isEmpty() && alt.compare(name, Qt::CaseInsensitive) != 0) f.families.append(alt);
    const QString lower = name.toLower();
    if (lower == QLatin1String("symbol"))
        f.resolvedCodePage = RtfCodePage::Symbol;
    else if (lower.startsWith(QLatin1String("wingdings")))
        f.resolvedCodePage = RtfCodePage::Wingdings;
    else if (f.codePage > 0)
        f.resolvedCodePage = f.codePage;
    else
        f.resolvedCodePage = charsetPage;
}

void TRtfParser::EndColor() {
    const bool any = red_ >= 0 || green_ >= 0 || blue_ >= 0;
    if (colors_.size() < 65536)
        colors_.push_back(any ? QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0))
                              : QColor());
    red_ = green_ = blue_ = -1;
    cacheValid_ = false;
}

const TRtfParser::TFont* TRtfParser::FontAt(int index) const {
    auto it = fonts_.constFind(index < 0 ? defaultFont_ : index);
    if (it == fonts_.constEnd() && index >= 0) it = fonts_.constFind(defaultFont_);
    return it == fonts_.constEnd() ? nullptr : &*it;
}

int TRtfParser::CodePageOf(const TRtfCharState& chr) const {
    const TFont* font = FontAt(chr.font);
    return font ? font->resolvedCodePage : ansiCodePage_;
}

QColor TRtfParser::ColorAt(int index) const {
    if (index <= 0 || std::size_t(index) >= colors_.size()) return {};
    return colors_[std::size_t(index)];
}

QTextCharFormat TRtfParser::CharFormat(const TRtfCharState& chr) {
    if (cacheValid_ && cachedState_ == chr) return cachedFormat_;
    QTextCharFormat f;
    const TFont* font = FontAt(chr.font);
    auto symbolic = [](const TFont* t) {
        return t && (t->resolvedCodePage == RtfCodePage::Symbol ||
                     t->resolvedCodePage == RtfCodePage::Wingdings);
    };
    // Symbol-font text has been turned into Unicode; it is shown in the body font.
    if (symbolic(font)) {
        font = FontAt(-1);
        if (symbolic(font)) font = nullptr;
    }
    if (font && !font->families.isEmpty()) {
        f.setFontFamilies(font->families);
        f.setFontStyleHint(HintFor(font->familyClass));
        if (font->familyClass > 0) f.setProperty(RtfProperty::FontFamilyClass, font->familyClass);
    }
    f.setFontPointSize(std::clamp(chr.halfPoints, 2, 3276) / 2.0);
    f.setFontWeight(chr.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chr.italic);
    switch (chr.underline) {
    case TRtfUnderline::None:
        break;
    case TRtfUnderline::Dotted:
        f.setUnderlineStyle(QTextCharFormat::DotLine);
        break;
    case TRtfUnderline::Dashed:
        f.setUnderlineStyle(QTextCharFormat::DashUnderline);
        break;
    case TRtfUnderline::Wave:
        f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        break;
    default:
        // Double, thick and word underlines draw one line; the kind is kept for writing.
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        if (chr.underline == TRtfUnderline::Double)
            f.setProperty(RtfProperty::UnderlineKind, int(TRtfUnderlineKind::Double));
        if (chr.underline == TRtfUnderline::Word)
            f.setProperty(RtfProperty::UnderlineKind, int(TRtfUnderlineKind::Words));
        if (chr.underline == TRtfUnderline::Thick)
            f.setProperty(RtfProperty::UnderlineKind, int(TRtfUnderlineKind::Thick));
        break;
    }
    if (chr.strike) f.setFontStrikeOut(true);
    if (chr.caps == 1) f.setFontCapitalization(QFont::AllUppercase);
    if (chr.caps == 2) f.setFontCapitalization(QFont::SmallCaps);
    if (chr.vertical > 0) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (chr.vertical < 0) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (const QColor c = ColorAt(chr.foreground); c.isValid()) f.setForeground(c);
    if (const QColor c = ColorAt(chr.background); c.isValid()) f.setBackground(c);
    if (chr.hidden) f.setProperty(RtfProperty::Hidden, true);
    if (chr.pageField != 0) f.setProperty(RtfProperty::PageField, int(chr.pageField));
    if (chr.noteNumber) f.setProperty(RtfProperty::NoteNumber, true);
    if (chr.link > 0 && std::size_t(chr.link) <= links_.size()) {
        f.setAnchor(true);
        f.setAnchorHref(links_[std::size_t(chr.link - 1)]);
    }
    cachedState_ = chr;
    cachedFormat_ = f;
    cacheValid_ = true;
    return f;
}

QTextBlockFormat TRtfParser::BlockFormat(const TRtfParaState& para) const {
    QTextBlockFormat b;
    static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    b.setAlignment(kAlign[std::min<int>(para.align, 3)]);
    b.setLeftMargin(std::max(0.0, Units(para.leftIndent)));
    b.setRightMargin(std::max(0.0, Units(para.rightIndent)));
    b.setTextIndent(Units(para.firstIndent));
    b.setTopMargin(std::max(0.0, Units(para.spaceBefore)));
    b.setBottomMargin(std::max(0.0, Units(para.spaceAfter)));
    const int sl = ClampTwips(para.lineSpacing);
    if (sl > 0 && para.lineMultiple)
        b.setLineHeight(sl * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (sl > 0)
        b.setLineHeight(Units(sl), QTextBlockFormat::MinimumHeight);
    else if (sl < 0)
        b.setLineHeight(Units(-sl), QTextBlockFormat::FixedHeight);
    if (para.pageBreakBefore) b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (para.background.isValid()) b.setBackground(para.background);
    if (para.keep) b.setProperty(RtfProperty::KeepTogether, true);
    if (para.keepNext) b.setProperty(RtfProperty::KeepWithNext, true);
    if (para.widowControl == 1 || (para.widowControl < 0 && widowControl_))
        b.setProperty(RtfProperty::WidowControl, true);
    if (para.border || para.borderSides == 0xF) b.setProperty(RtfProperty::ParagraphBorder, true);
    if (para.outlineLevel >= 0) b.setHeadingLevel(para.outlineLevel + 1);
    if (!para.tabs.empty()) {
        std::vector<TRtfTabStop> stops = para.tabs;
        std::stable_sort(stops.begin(), stops.end(),
                         [](const auto& a, const auto& b) { return a.position < b.position; });
        QList<QTextOption::Tab> tabs;
        QVariantList leaders;
        for (const TRtfTabStop& t : stops) {
            leaders.append(int(t.leader));
            QTextOption::Tab tab;
            tab.position = std::max(0.0, Units(t.position));
            switch (t.kind) {
            case TRtfTabKind::Center:
                tab.type = QTextOption::CenterTab;
                break;
            case TRtfTabKind::Right:
                tab.type = QTextOption::RightTab;
                break;
            case TRtfTabKind::Decimal:
                tab.type = QTextOption::DelimiterTab;
                tab.delimiter = QLatin1Char('.');
                break;
            default:
                tab.type = QTextOption::LeftTab;
                break;
            }
            tabs.append(tab);
        }
        b.setTabPositions(tabs);
        if (std::any_of(stops.begin(), stops.end(), [](const auto& t) { return t.leader != 0; }))
            b.setProperty(RtfProperty::TabLeaders, leaders);
    }
    return b;
}

namespace {
// The field of TRtfPage a page word sets, as the index of a bit; -1: none.
int PageField(TRtfWord word) {
    switch (word) {
    case TRtfWord::paperw:
    case TRtfWord::pgwsxn:
        return 0;
    case TRtfWord::paperh:
    case TRtfWord::pghsxn:
        return 1;
    case TRtfWord::margl:
    case TRtfWord::marglsxn:
        return 2;
    case TRtfWord::margr:
    case TRtfWord::margrsxn:
        return 3;
    case TRtfWord::margt:
    case TRtfWord::margtsxn:
        return 4;
    case TRtfWord::margb:
    case TRtfWord::margbsxn:
        return 5;
    case TRtfWord::footery:
        return 6;
    case TRtfWord::headery:
        return 7;
    default:
        return -1;
    }
}

int& PageFieldOf(TRtfPage& page, int field) {
    int* const fields[] = {&page.width,          &page.height,        &page.marginLeft,
                           &page.marginRight,    &page.marginTop,     &page.marginBottom,
                           &page.footerDistance, &page.headerDistance};
    return *fields[field];
}

void SetPageField(TRtfPage& page, int field, int twips) {
    const int paper = std::clamp(twips, 1440, 31680 * 2);
    const int margin = std::clamp(twips, 0, 31680);
    PageFieldOf(page, field) = field < 2 ? paper : margin;
}
} // namespace

void TRtfParser::SetPageValue(TRtfWord word, int twips) {
    const int field = PageField(word);
    if (field < 0) return;
    SetPageField(extras_.page, field, twips);
    SetPageField(extras_.documentPage, field, twips);
    // The first section's own values win over the document's, wherever they stand.
    if (sectionPageSet_ & (1u << field))
        SetPageField(extras_.documentPage, field, PageFieldOf(sectionPage_, field));
}

void TRtfParser::SetSectionPageValue(TRtfWord word, int twips) {
    const int field = PageField(word);
    if (field < 0 || firstSectionEnded_) return;
    SetPageField(sectionPage_, field, twips);
    sectionPageSet_ |= std::uint8_t(1u << field);
    SetPageField(extras_.documentPage, field, twips);
}
