#include "output/rtf/rtf_write_format.h"

#include "output/rtf/rtf_types.h"

#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Families that lay out like Times New Roman: the texts' own face, written under
// the name the texts have always used.
bool IsTimesLike(const QString& key) {
    return key == u"times new roman" || key == u"times" || key == u"liberation serif" ||
           key == u"tinos" || key == u"nimbus roman" || key == u"nimbus roman no9 l";
}

bool IsSymbolFamily(const QString& key) {
    return key == u"symbol" || key == u"wingdings" || key == u"webdings" || key == u"wingdings 2" ||
           key == u"wingdings 3";
}

const char* FamilyWord(const QString& key) {
    static const char16_t* const kSwiss[] = {
        u"arial",      u"helvetica", u"liberation sans", u"arimo",      u"dejavu sans",
        u"verdana",    u"tahoma",    u"calibri",         u"sans serif", u"sans",
        u"sans-serif", u"segoe ui",  u"nimbus sans"};
    static const char16_t* const kModern[] = {u"courier",  u"courier new",      u"liberation mono",
                                              u"cousine",  u"dejavu sans mono", u"monospace",
                                              u"consolas", u"lucida console"};
    static const char16_t* const kRoman[] = {u"georgia",      u"garamond",          u"serif",
                                             u"dejavu serif", u"cambria",           u"book antiqua",
                                             u"palatino",     u"palatino linotype", u"century"};
    for (const char16_t* name : kSwiss)
        if (key == QStringView(name)) return "fswiss";
    for (const char16_t* name : kModern)
        if (key == QStringView(name)) return "fmodern";
    for (const char16_t* name : kRoman)
        if (key == QStringView(name)) return "froman";
    if (key.contains(u"script")) return "fscript";
    return "fnil";
}

QString FamilyOf(const QTextCharFormat& format, const QString& fallback) {
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    }
    if (format.hasProperty(QTextFormat::FontFamily)) {
        const QString family = format.stringProperty(QTextFormat::FontFamily);
        if (!family.isEmpty()) return family;
    }
    return fallback;
}

TRtfWriteUnderline UnderlineOf(const QTextCharFormat& format, const QFont& defaultFont) {
    QTextCharFormat::UnderlineStyle style;
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        style = format.underlineStyle();
    else if (format.hasProperty(QTextFormat::FontUnderline))
        style = format.fontUnderline() ? QTextCharFormat::SingleUnderline
                                       : QTextCharFormat::NoUnderline;
    else
        style = defaultFont.underline() ? QTextCharFormat::SingleUnderline
                                        : QTextCharFormat::NoUnderline;
    if (style == QTextCharFormat::NoUnderline || style == QTextCharFormat::SpellCheckUnderline)
        return TRtfWriteUnderline::None;
    switch (static_cast<TRtfUnderlineKind>(format.intProperty(RtfProperty::UnderlineKind))) {
    case TRtfUnderlineKind::Double:
        return TRtfWriteUnderline::Double;
    case TRtfUnderlineKind::Words:
        return TRtfWriteUnderline::Words;
    case TRtfUnderlineKind::Thick:
        return TRtfWriteUnderline::Thick;
    }
    switch (style) {
    case QTextCharFormat::DashUnderline:
        return TRtfWriteUnderline::Dashed;
    case QTextCharFormat::DotLine:
        return TRtfWriteUnderline::Dotted;
    case QTextCharFormat::DashDotLine:
        return TRtfWriteUnderline::DashDot;
    case QTextCharFormat::DashDotDotLine:
        return TRtfWriteUnderline::DashDotDot;
    case QTextCharFormat::WaveUnderline:
        return TRtfWriteUnderline::Wave;
    default:
        return TRtfWriteUnderline::Single;
    }
}

// The colour of a brush that paints, or an invalid colour.
QColor PaintedColor(const QTextFormat& format, int property) {
    if (!format.hasProperty(property)) return {};
    const QBrush brush = format.brushProperty(property);
    if (brush.style() == Qt::NoBrush || brush.color().alpha() == 0) return {};
    return brush.color();
}

const char* UnderlineWord(TRtfWriteUnderline u) {
    switch (u) {
    case TRtfWriteUnderline::None:
        return "ulnone";
    case TRtfWriteUnderline::Single:
        return "ul";
    case TRtfWriteUnderline::Double:
        return "uldb";
    case TRtfWriteUnderline::Dotted:
        return "uld";
    case TRtfWriteUnderline::Dashed:
        return "uldash";
    case TRtfWriteUnderline::DashDot:
        return "uldashd";
    case TRtfWriteUnderline::DashDotDot:
        return "uldashdd";
    case TRtfWriteUnderline::Wave:
        return "ulwave";
    case TRtfWriteUnderline::Words:
        return "ulw";
    case TRtfWriteUnderline::Thick:
        return "ulth";
    }
    return "ul";
}

void Toggle(TRtfSink& sink, const char* word, bool on) {
    if (on)
        sink.Word(word);
    else
        sink.Word(word, 0);
}

const char* LeaderWord(TRtfTabLeader leader) {
    switch (leader) {
    case TRtfTabLeader::Dot:
        return "tldot";
    case TRtfTabLeader::Hyphen:
        return "tlhyph";
    case TRtfTabLeader::Underline:
        return "tlul";
    case TRtfTabLeader::ThickLine:
        return "tlth";
    case TRtfTabLeader::Equal:
        return "tleq";
    case TRtfTabLeader::None:
        break;
    }
    return nullptr;
}

void WriteTabs(TRtfSink& sink, const QTextBlockFormat& format) {
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    const QVariantList leaders = format.property(RtfProperty::TabLeaders).toList();
    std::vector<int> written;
    for (qsizetype i = 0; i < tabs.size(); ++i) {
        // Readers add up stops given twice; one position holds one stop.
        const int twips = std::max(0, UnitsToTwips(tabs[i].position));
        if (std::find(written.begin(), written.end(), twips) != written.end()) continue;
        written.push_back(twips);
        switch (tabs[i].type) {
        case QTextOption::RightTab:
            sink.Word("tqr");
            break;
        case QTextOption::CenterTab:
            sink.Word("tqc");
            break;
        case QTextOption::DelimiterTab:
            sink.Word("tqdec");
            break;
        case QTextOption::LeftTab:
            break;
        }
        if (i < leaders.size())
            if (const char* word = LeaderWord(static_cast<TRtfTabLeader>(leaders[i].toInt())))
                sink.Word(word);
        sink.Word("tx", twips);
    }
}

void WriteBox(TRtfSink& sink) {
    // Each side separately: the words readers of every age understand.
    for (const char* side : {"brdrt", "brdrl", "brdrb", "brdrr"}) {
        sink.Word(side);
        sink.Word("brdrs");
        sink.Word("brdrw", 15);
        sink.Word("brsp", 40);
    }
}
} // namespace

int UnitsToTwips(double units) {
    const double twips = std::round(TTwips(TFormatUnits(units)).Value());
    return static_cast<int>(std::clamp(twips, -1.0e8, 1.0e8));
}

int TRtfFontTable::IndexFor(const QString& family, int familyClass) {
    static const char* const kClassWords[] = {"fnil",    "froman", "fswiss", "fmodern",
                                              "fscript", "fdecor", "ftech",  "fbidi"};
    QString key = family.trimmed().toLower();
    if (IsTimesLike(key)) key = QStringLiteral("times new roman");
    if (const auto it = byKey_.constFind(key); it != byKey_.constEnd()) return it.value();
    TFont font;
    if (key == u"times new roman") {
        font = {QStringLiteral("TIMES NEW ROMAN"), "froman", false};
    } else if (IsSymbolFamily(key)) {
        font = {family.trimmed(), "ftech", true};
    } else {
        QString name = family.trimmed();
        name.remove(u';');
        if (name.isEmpty()) name = QStringLiteral("TIMES NEW ROMAN");
        const char* word =
            familyClass >= 1 && familyClass <= 8 ? kClassWords[familyClass - 1] : FamilyWord(key);
        font = {name, word, false};
    }
    const int index = int(fonts_.size());
    fonts_.push_back(std::move(font));
    byKey_.insert(key, index);
    return index;
}

void TRtfFontTable::Write(TRtfSink& sink) const {
    sink.Open();
    sink.Word("fonttbl");
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const TFont& font = fonts_[i];
        sink.Open();
        sink.Word("f", int(i));
        sink.Word(font.familyWord);
        sink.Word("fcharset", font.symbol ? 2 : 0);
        sink.Text(font.name);
        sink.Raw(";}");
    }
    sink.Close();
}

int TRtfColorTable::IndexFor(const QColor& color) {
    const QRgb rgb = color.rgb() | 0xFF000000u;
    if (const auto it = byRgb_.constFind(rgb); it != byRgb_.constEnd()) return it.value();
    colors_.push_back(rgb);
    const int index = int(colors_.size()); // 0 stays the automatic colour
    byRgb_.insert(rgb, index);
    return index;
}

void TRtfColorTable::Write(TRtfSink& sink) const {
    sink.Open();
    sink.Word("colortbl");
    sink.Raw(";");
    for (const QRgb rgb : colors_) {
        sink.Word("red", qRed(rgb));
        sink.Word("green", qGreen(rgb));
        sink.Word("blue", qBlue(rgb));
        sink.Raw(";");
    }
    sink.Close();
}

void WriteCharChange(TRtfSink& sink, const TRtfCharProps& from, const TRtfCharProps& to) {
    if (to.font != from.font) sink.Word("f", to.font);
    if (to.halfPoints != from.halfPoints) sink.Word("fs", to.halfPoints);
    if (to.bold != from.bold) Toggle(sink, "b", to.bold);
    if (to.italic != from.italic) Toggle(sink, "i", to.italic);
    if (to.underline != from.underline) sink.Word(UnderlineWord(to.underline));
    if (to.strike != from.strike) Toggle(sink, "strike", to.strike);
    if (to.vertical != from.vertical)
        sink.Word(to.vertical > 0 ? "super" : to.vertical < 0 ? "sub" : "nosupersub");
    if (to.caps != from.caps) {
        if (from.caps == 1) sink.Word("caps", 0);
        if (from.caps == 2) sink.Word("scaps", 0);
        if (to.caps == 1) sink.Word("caps");
        if (to.caps == 2) sink.Word("scaps");
    }
    if (to.foreground != from.foreground) sink.Word("cf", to.foreground);
    if (to.background != from.background) {
        // \chcbpat is what current word processors read; \cb what older ones did.
        sink.Word("chcbpat", to.background);
        sink.Word("cb", to.background);
    }
    if (to.hidden != from.hidden) Toggle(sink, "v", to.hidden);
}

TRtfFormatMapper::TRtfFormatMapper(const QTextDocument& doc, TRtfFontTable& fonts,
                                   TRtfColorTable& colors)
    : fonts_(fonts), colors_(colors), defaultFont_(doc.defaultFont()) {
    fonts_.IndexFor(defaultFont_.family()); // becomes \f0, the \deff font
    double points = defaultFont_.pointSizeF();
    if (points <= 0 && defaultFont_.pixelSize() > 0) points = defaultFont_.pixelSize() * 0.75;
    if (points > 0) defaultHalfPoints_ = std::clamp(int(std::lround(points * 2)), 2, 3276);
}

const TRtfCharProps& TRtfFormatMapper::Props(const QTextCharFormat& format, int formatIndex) {
    if (formatIndex < 0) {
        cache_.push_back(Resolve(format));
        return cache_.back();
    }
    const auto slot = std::size_t(formatIndex);
    if (slot >= cacheSlot_.size()) cacheSlot_.resize(slot + 1, -1);
    if (cacheSlot_[slot] < 0) {
        cacheSlot_[slot] = int(cache_.size());
        cache_.push_back(Resolve(format));
    }
    return cache_[std::size_t(cacheSlot_[slot])];
}

TRtfCharProps TRtfFormatMapper::Resolve(const QTextCharFormat& format) {
    TRtfCharProps p;
    p.font = fonts_.IndexFor(FamilyOf(format, defaultFont_.family()),
                             format.intProperty(RtfProperty::FontFamilyClass));
    double points = 0;
    if (format.hasProperty(QTextFormat::FontPointSize))
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    p.halfPoints =
        points > 0 ? std::clamp(int(std::lround(points * 2)), 2, 3276) : defaultHalfPoints_;
    p.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                         : defaultFont_.weight() >= QFont::DemiBold;
    p.italic =
        format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont_.italic();
    p.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                              : defaultFont_.strikeOut();
    p.underline = UnderlineOf(format, defaultFont_);
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        p.vertical = 1;
        break;
    case QTextCharFormat::AlignSubScript:
        p.vertical = -1;
        break;
    default:
        break;
    }
    const QFont::Capitalization caps = format.hasProperty(QTextFormat::FontCapitalization)
                                           ? format.fontCapitalization()
                                           : defaultFont_.capitalization();
    p.caps = caps == QFont::AllUppercase ? 1 : caps == QFont::SmallCaps ? 2 : 0;
    if (const QColor c = PaintedColor(format, QTextFormat::ForegroundBrush); c.isValid())
        p.foreground = colors_.IndexFor(c);
    if (const QColor c = PaintedColor(format, QTextFormat::BackgroundBrush); c.isValid())
        p.background = colors_.IndexFor(c);
    p.hidden = format.boolProperty(RtfProperty::Hidden);
    return p;
}

void WriteParagraphProps(TRtfSink& sink, const QTextBlockFormat& format, double extraIndent,
                         TRtfColorTable& colors) {
    const Qt::Alignment align = format.alignment();
    if (align & Qt::AlignHCenter)
        sink.Word("qc");
    else if (align & Qt::AlignJustify)
        sink.Word("qj");
    else if (align & Qt::AlignRight) // also trailing: the texts run left to right
        sink.Word("qr");

    const int left = UnitsToTwips(format.leftMargin() + extraIndent);
    if (left != 0) sink.Word("li", left);
    if (const int right = UnitsToTwips(format.rightMargin()); right != 0) sink.Word("ri", right);
    if (const int first = UnitsToTwips(format.textIndent()); first != 0) sink.Word("fi", first);
    if (const int before = UnitsToTwips(format.topMargin()); before != 0) sink.Word("sb", before);
    if (const int after = UnitsToTwips(format.bottomMargin()); after != 0) sink.Word("sa", after);

    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (const double percent = format.lineHeight(); percent > 0 && percent != 100) {
            sink.Word("sl", std::lround(240 * percent / 100));
            sink.Word("slmult", 1);
        }
        break;
    case QTextBlockFormat::FixedHeight:
        if (const int h = UnitsToTwips(format.lineHeight()); h > 0) {
            sink.Word("sl", -h);
            sink.Word("slmult", 0);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        if (const int h = UnitsToTwips(format.lineHeight()); h > 0) {
            sink.Word("sl", h);
            sink.Word("slmult", 0);
        }
        break;
    default:
        break;
    }

    if (format.nonBreakableLines() || format.boolProperty(RtfProperty::KeepTogether))
        sink.Word("keep");
    if (format.boolProperty(RtfProperty::KeepWithNext)) sink.Word("keepn");
    if (format.boolProperty(RtfProperty::WidowControl)) sink.Word("widctlpar");
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) sink.Word("pagebb");
    if (format.boolProperty(RtfProperty::ParagraphBorder)) WriteBox(sink);
    if (const QColor c = PaintedColor(format, QTextFormat::BackgroundBrush); c.isValid())
        sink.Word("cbpat", colors.IndexFor(c));
    WriteTabs(sink, format);
}
