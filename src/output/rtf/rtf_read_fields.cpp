#include "output/rtf/rtf_read_parser.h"

#include "framework/cp1252.h"

#include <QTextDocument>

namespace {
// The words of a field instruction; quoted arguments keep their blanks.
QStringList SplitInstruction(const QString& text) {
    QStringList words;
    QString current;
    bool quoted = false, any = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (!quoted && c.isSpace()) {
            if (any) words.append(current);
            current.clear();
            any = false;
        } else {
            current.append(c);
            any = true;
        }
    }
    if (any) words.append(current);
    return words;
}

QString HyperlinkTarget(const QStringList& words) {
    QString url, anchor;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w.startsWith(QLatin1Char('\\'))) {
            if (w == QLatin1String("\\l") && i + 1 < words.size()) anchor = words[i + 1];
            ++i; // every switch of HYPERLINK takes an argument
        } else if (url.isEmpty()) {
            url = w;
        }
    }
    if (!anchor.isEmpty()) url += QLatin1Char('#') + anchor;
    return url;
}

char32_t SymbolCharacter(const QStringList& words) {
    if (words.size() < 2) return 0;
    bool ok = false;
    const QString& number = words[1];
    const uint code = number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? number.mid(2).toUInt(&ok, 16)
                          : number.toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0xFFFF) return 0;
    QString font;
    bool unicode = false;
    for (qsizetype i = 2; i < words.size(); ++i) {
        if (words[i] == QLatin1String("\\f") && i + 1 < words.size()) font = words[++i].toLower();
        if (words[i] == QLatin1String("\\u")) unicode = true;
    }
    if (unicode || code > 0xFF) return code;
    const auto byte = static_cast<unsigned char>(code);
    char32_t mapped = 0;
    if (font == QLatin1String("symbol")) mapped = SymbolFontToUnicode(byte);
    if (font.startsWith(QLatin1String("wingdings"))) mapped = WingdingsFontToUnicode(byte);
    return mapped ? mapped : Cp1252ToUnicode(byte);
}
} // namespace

void TRtfParser::BeginField() {
    TField field;
    field.emittedAtStart = emitted_;
    fields_.push_back(field);
    Top().field = int(fields_.size() - 1);
    Top().ownsField = true;
}

void TRtfParser::BeginFieldResult() {
    if (Top().field < 0) return;
    TField& field = fields_[std::size_t(Top().field)];
    field.resultSeen = true;
    const QStringList words = SplitInstruction(field.instruction);
    const QString kind = words.isEmpty() ? QString() : words.first().toUpper();
    if (kind == QLatin1String("HYPERLINK")) {
        field.kind = TFieldKind::Hyperlink;
        field.href = HyperlinkTarget(words);
        if (!field.href.isEmpty()) {
            links_.push_back(field.href);
            Top().chr.link = int(links_.size());
        }
    } else if (kind == QLatin1String("PAGE")) {
        field.kind = TFieldKind::Page;
        // In a footer the number stays live; its stored result is a stale value.
        if (Top().dest == TRtfDest::Footer) {
            FooterPageNumber();
            SkipDestination();
        } else {
            Top().chr.pageField = std::uint8_t(TRtfPageField::Page);
        }
    } else if (kind == QLatin1String("NUMPAGES") || kind == QLatin1String("SECTIONPAGES")) {
        field.kind = TFieldKind::PageCount;
        if (Top().dest != TRtfDest::Footer)
            Top().chr.pageField = std::uint8_t(TRtfPageField::PageCount);
    } else if (kind == QLatin1String("SYMBOL")) {
        field.kind = TFieldKind::Symbol;
        field.symbol = SymbolCharacter(words);
    }
}

void TRtfParser::EndField(const TGroup& closed) {
    if (closed.field < 0) return;
    TField& field = fields_[std::size_t(closed.field)];
    if (!field.resultSeen) {
        // A field without a result group: work out its kind from the instruction.
        const QStringList words = SplitInstruction(field.instruction);
        const QString kind = words.isEmpty() ? QString() : words.first().toUpper();
        if (kind == QLatin1String("PAGE") && Top().dest == TRtfDest::Footer) FooterPageNumber();
        if (Top().dest != TRtfDest::Footer) {
            if (kind == QLatin1String("PAGE")) AppendPageField(TRtfPageField::Page);
            if (kind == QLatin1String("NUMPAGES")) AppendPageField(TRtfPageField::PageCount);
        }
        if (kind == QLatin1String("SYMBOL")) {
            field.kind = TFieldKind::Symbol;
            field.symbol = SymbolCharacter(words);
        }
    }
    // A symbol field whose result shows nothing stands for its character.
    if (field.kind == TFieldKind::Symbol && emitted_ == field.emittedAtStart)
        AppendUnicode(field.symbol);
}

void TRtfParser::EndPicture() {
    if (!picture_) return;
    const TRtfReadPicture picture = std::move(*picture_);
    picture_.reset();
    // A shape's picture shows where the shape's text would go.
    const TRtfDest dest = Top().dest;
    if (dest == TRtfDest::ShapePicture) Top().dest = Top().textDest;
    if (Top().dest == TRtfDest::Body) {
        QTextImageFormat image = PlaceRtfPicture(doc_, picture, pixelBudget_);
        if (dest == TRtfDest::ShapePicture) ShapePictureFormat(image);
        if (Top().chr.hidden) image.setProperty(RtfProperty::Hidden, true);
        AppendImage(image);
    }
    Top().dest = dest;
}

void TRtfParser::BeginFooter(bool primary, TRtfAreaPages pages) {
    // The footer of odd or all pages wins over those of even and first pages.
    if (extras_.footer.present && (footerPrimary_ || !primary)) {
        ReadArea(extras_.areas.footers, pages);
        return;
    }
    footerStart_ = tokenizer_->Position();
    footerPages_ = pages;
    if (stack_.size() > 2 && excessDepth_ == 0) footerStartGroup_ = std::make_unique<TGroup>(Top());
    CloseRun();
    extras_.footer = TRtfFooter{};
    extras_.footer.present = true;
    footerPrimary_ = primary;
    EnterDestination(TRtfDest::Footer);
    Top().textDest = TRtfDest::Footer;
}

void TRtfParser::FooterPageNumber() {
    CloseRun();
    TRtfFooter& footer = extras_.footer;
    if (footer.pageNumberAt >= 0) return;
    footer.pageNumberAt = int(footer.text.size());
    footer.pointSize = std::clamp(Top().chr.halfPoints, 2, 3276) / 2.0;
    footer.italic = Top().chr.italic;
}
