#include "output/rtf/rtf_read_parser.h"

#include "framework/cp1252.h"

#include <QTextDocument>

#include <algorithm>

namespace {
// Groups nested deeper than this share the state of the deepest one; only their
// braces are counted. Real files stay far below it.
constexpr std::size_t kMaxDepth = 4096;
} // namespace

TRtfParser::TRtfParser(QTextCursor& cursor, bool replacing)
    : cursor_(cursor), doc_(*cursor.document()), builder_(cursor, replacing),
      replacing_(replacing) {}

TRtfExtras TRtfParser::Parse(std::string_view rtf) {
    Run(rtf, TGroup{}, 1);
    // Moved: a copy would copy every header, footer and note.
    return std::move(extras_);
}

// `outerGroups`: the groups the text stands in, 1 for a file (the state outside
// its outermost group), 2 for a group's contents (that group's too).
void TRtfParser::Run(std::string_view rtf, const TGroup& start, std::size_t outerGroups) {
    source_ = rtf;
    tokenizer_ = std::make_unique<TRtfTokenizer>(rtf);
    stack_.assign(outerGroups, start);
    for (;;) {
        const TRtfToken t = tokenizer_->Next();
        if (t.kind == TRtfTokenKind::End) break;
        switch (t.kind) {
        case TRtfTokenKind::GroupOpen:
            PushGroup();
            break;
        case TRtfTokenKind::GroupClose:
            PopGroup();
            break;
        case TRtfTokenKind::Text:
            starred_ = false;
            HandleText(t.name);
            break;
        default:
            // Each control word, symbol, hex byte or binary block counts as one
            // character of a \uN fallback.
            if (skipBytes_ > 0) {
                --skipBytes_;
                starred_ = false;
                break;
            }
            if (t.kind == TRtfTokenKind::ControlWord) {
                HandleWord(t);
            } else if (t.kind == TRtfTokenKind::ControlSymbol) {
                HandleSymbol(t.symbol);
            } else if (t.kind == TRtfTokenKind::HexByte) {
                starred_ = false;
                HandleHexByte(static_cast<unsigned char>(t.param));
            } else {
                starred_ = false;
                HandleBinary(t.name);
            }
            break;
        }
    }
    Finish();
}

void TRtfParser::PushGroup() {
    starred_ = false;
    skipBytes_ = 0;
    if (stack_.size() >= kMaxDepth || excessDepth_ > 0) {
        ++excessDepth_;
        return;
    }
    TGroup g = stack_.back();
    if (g.dest == TRtfDest::StyleSheet && g.ownsDest) styleEntry_ = TStyle{};
    g.ownsDest = false;
    g.ownsField = false;
    g.ownsListText = false;
    g.style = -1;
    stack_.push_back(std::move(g));
}

void TRtfParser::PopGroup() {
    starred_ = false;
    skipBytes_ = 0;
    if (excessDepth_ > 0) {
        --excessDepth_;
        return;
    }
    if (stack_.size() <= 1) return; // a stray closing brace
    const TGroup closed = std::move(stack_.back());
    stack_.pop_back();
    EndGroup(closed);
    if (stack_.size() == 1 && !closedRoot_) closedRoot_ = std::make_unique<TGroup>(closed);
}

void TRtfParser::EndGroup(const TGroup& closed) {
    // A font entry ends with its own group (or with the table), not with the
    // groups inside it such as {\*\panose} or {\*\falt}.
    if (currentFont_ >= 0 && stack_.size() < fontDepth_) EndFont();
    if (closed.dest == TRtfDest::StyleSheet && !closed.ownsDest &&
        Top().dest == TRtfDest::StyleSheet && Top().ownsDest) {
        // An entry without a number defines paragraph style 0, the normal style.
        styles_.insert(std::max(closed.style, 0), std::move(styleEntry_));
        styleEntry_ = TStyle{};
    }
    if (closed.ownsField) EndField(closed);
    if (closed.ownsTextBox) EndTextBox(closed);
    if (closed.ownsListText) EndListText();
    if (closed.ownsDest) {
        EndListGroup(closed);
        if (closed.dest == TRtfDest::Picture) EndPicture();
        if (closed.dest == TRtfDest::Footer) {
            CloseRun();
            EndFooterText();
        }
        // The nested row's definition ends with its group; the outer row's holds.
        if (closed.dest == TRtfDest::NestProps) rowDef_ = outerRowDef_;
    }
}

void TRtfParser::EnterDestination(TRtfDest dest) {
    Top().dest = dest;
    Top().ownsDest = true;
}

void TRtfParser::SkipDestination() {
    if (excessDepth_ > 0) {
        tokenizer_->SkipGroup();
        --excessDepth_;
    } else if (stack_.size() > 2) {
        tokenizer_->SkipGroup();
        PopGroup();
    }
    // In the outermost group a destination word cannot take the rest of the file.
}

// Hidden body text is kept (a format property marks it); the footer is plain text
// with nowhere to keep that mark, so hidden text there is left out.
bool TRtfParser::HiddenInFooter() const {
    return stack_.back().chr.hidden && stack_.back().dest == TRtfDest::Footer;
}

bool TRtfParser::InBodyText() const {
    const TRtfDest d = stack_.back().dest;
    return d == TRtfDest::Body || d == TRtfDest::Footer;
}

void TRtfParser::HandleText(std::string_view bytes) {
    if (skipBytes_ > 0) {
        const auto n = std::min<std::size_t>(bytes.size(), std::size_t(skipBytes_));
        skipBytes_ -= int(n);
        bytes.remove_prefix(n);
    }
    if (bytes.empty()) return;
    TGroup& g = Top();
    switch (g.dest) {
    case TRtfDest::Body:
    case TRtfDest::Footer:
        AppendBytes(bytes);
        break;
    case TRtfDest::FontTable:
        for (char c : bytes) {
            if (c == ';')
                EndFont();
            else if (currentFont_ >= 0)
                fonts_[currentFont_].name.append(c);
        }
        break;
    case TRtfDest::FontAlt:
        if (currentFont_ >= 0)
            fonts_[currentFont_].altName.append(bytes.data(), qsizetype(bytes.size()));
        break;
    case TRtfDest::ColorTable:
        for (char c : bytes)
            if (c == ';') EndColor();
        break;
    case TRtfDest::FieldInst:
        if (g.field >= 0 && fields_[std::size_t(g.field)].instruction.size() < 4096)
            decoder_.Decode(CodePageOf(g.chr), bytes, fields_[std::size_t(g.field)].instruction);
        break;
    case TRtfDest::Picture:
        // Groups inside a picture ({\*\picprop{\sp{\sn ...}}}) hold names, not data.
        if (picture_ && g.ownsDest) picture_->AppendHex(bytes);
        break;
    case TRtfDest::ShapeValue:
        ShapeValueText(bytes);
        break;
    case TRtfDest::ListLevelText:
    case TRtfDest::OldListText:
        AppendListText(bytes);
        break;
    case TRtfDest::ShapeName:
        if (shapePropertyName_.size() < 64)
            shapePropertyName_.append(bytes.data(), qsizetype(bytes.size()));
        break;
    default:
        break;
    }
}

void TRtfParser::HandleHexByte(unsigned char byte) {
    const char c = static_cast<char>(byte);
    if (Top().dest == TRtfDest::Picture) return; // picture data is plain hex
    HandleText(std::string_view(&c, 1));
}

void TRtfParser::HandleSymbol(char symbol) {
    if (symbol == '*') {
        starred_ = true;
        return;
    }
    starred_ = false;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        if (Top().dest != TRtfDest::Picture) HandleText(std::string_view(&symbol, 1));
        break;
    case '~':
        AppendUnicode(0x00A0);
        break;
    case '-':
        AppendUnicode(0x00AD);
        break;
    case '_':
        AppendUnicode(0x2011);
        break;
    default:
        break; // \: \| and unknown symbols
    }
}

void TRtfParser::HandleBinary(std::string_view bytes) {
    if (Top().dest == TRtfDest::Picture && Top().ownsDest && picture_)
        picture_->AppendBinary(bytes);
}

void TRtfParser::PrepareRun() {
    const TGroup& g = Top();
    if (runOpen_ && (runDest_ != g.dest || !(runState_ == g.chr))) CloseRun();
    if (runOpen_) return;
    runOpen_ = true;
    runState_ = g.chr;
    runDest_ = g.dest;
    if (g.dest == TRtfDest::Body) {
        shapeHadContent_ = true;
        if (nestedCellPending_) {
            // The cells of a nested table stay on one line, apart by tabs.
            nestedCellPending_ = false;
            if (!paragraph_.IsEmpty()) runText_.append(QLatin1Char('\t'));
        }
    } else if (extras_.footer.text.isEmpty()) {
        extras_.footer.pointSize = std::clamp(g.chr.halfPoints, 2, 3276) / 2.0;
        extras_.footer.italic = g.chr.italic;
    }
}

void TRtfParser::FlushBytes() {
    if (pendingBytes_.empty()) return;
    decoder_.Decode(pendingCodePage_, pendingBytes_, runText_);
    pendingBytes_.clear();
}

void TRtfParser::AppendBytes(std::string_view bytes) {
    const TGroup& g = Top();
    if (HiddenInFooter()) return;
    PrepareRun();
    const int codePage = CodePageOf(g.chr);
    if (codePage == RtfCodePage::Ansi) {
        FlushBytes();
        runText_.reserve(runText_.size() + qsizetype(bytes.size()));
        for (char c : bytes)
            runText_.append(QChar(char16_t(Cp1252ToUnicode(static_cast<unsigned char>(c)))));
    } else {
        if (codePage != pendingCodePage_) FlushBytes();
        pendingCodePage_ = codePage;
        pendingBytes_.append(bytes);
    }
    emitted_ += qint64(bytes.size());
}

void TRtfParser::AppendUnicode(char32_t cp) {
    if (!InBodyText() || HiddenInFooter() || cp == 0) return;
    PrepareRun();
    FlushBytes();
    if (cp < 0x10000) {
        runText_.append(QChar(char16_t(cp)));
    } else if (cp <= 0x10FFFF) {
        runText_.append(QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10))));
        runText_.append(QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF))));
    }
    ++emitted_;
}

void TRtfParser::AppendUnicodeText(QStringView text) {
    if (!InBodyText() || HiddenInFooter() || text.isEmpty()) return;
    PrepareRun();
    FlushBytes();
    runText_.append(text);
    emitted_ += text.size();
}

void TRtfParser::CloseRun() {
    if (!runOpen_) return;
    FlushBytes();
    runOpen_ = false;
    runText_ = RtfWithoutControls(std::move(runText_));
    if (runText_.isEmpty()) return;
    if (runDest_ == TRtfDest::Body)
        paragraph_.runs.push_back({runText_, CharFormat(runState_), false});
    else
        extras_.footer.text.append(runText_);
    runText_.clear();
}

void TRtfParser::AppendImage(const QTextImageFormat& format) {
    if (Top().dest != TRtfDest::Body) return;
    CloseRun();
    nestedCellPending_ = false;
    paragraph_.runs.push_back({QString(QChar::ObjectReplacementCharacter), format, true});
    ++emitted_;
    shapeHadContent_ = true;
}

void TRtfParser::EndParagraph(bool terminated) {
    CloseRun();
    const TGroup& g = Top();
    TRtfParagraph p = std::move(paragraph_);
    paragraph_ = TRtfParagraph{};
    const bool inTable = g.para.tableDepth > 0;
    p.format = BlockFormat(g.para);
    if (!inTable && (terminated || !p.IsEmpty())) {
        // A \page or a \sect starts the next paragraph that has any content.
        if (pageBreakPending_ || (sectionBreakPending_ && sectionBreaksPage_))
            p.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        pageBreakPending_ = sectionBreakPending_ = false;
        MarkBreaks(p.format);
    }
    p.markFormat = CharFormat(g.chr);
    PlaceInList(p, g.para);
    builder_.AddParagraph(std::move(p), textBoxOpen_ ? 1 : g.para.tableDepth, terminated);
    nestedCellPending_ = false;
}

TRtfParagraph TRtfParser::TakeCellParagraph() {
    CloseRun();
    TRtfParagraph p = std::move(paragraph_);
    paragraph_ = TRtfParagraph{};
    p.format = BlockFormat(Top().para);
    p.markFormat = CharFormat(Top().chr);
    PlaceInList(p, Top().para);
    nestedCellPending_ = false;
    return p;
}

void TRtfParser::EndCell() {
    builder_.EndCell(TakeCellParagraph());
}

void TRtfParser::EndNestedCell() {
    builder_.EndNestedCell(TakeCellParagraph());
}

void TRtfParser::EndRow() {
    CloseRun();
    if (!paragraph_.IsEmpty()) EndCell();
    builder_.SetPage(extras_.documentPage);
    builder_.EndRow(rowDef_);
}

void TRtfParser::Finish() {
    CloseRun();
    if (currentFont_ >= 0) EndFont();
    const TGroup& g = stack_.size() == 1 && closedRoot_ ? *closedRoot_ : Top();
    TRtfParagraph p = std::move(paragraph_);
    p.format = BlockFormat(g.para);
    p.markFormat = CharFormat(g.chr);
    // The empty paragraph after the last paragraph mark shows no marker of its own.
    if (!p.IsEmpty()) PlaceInList(p, g.para);
    if (!p.IsEmpty() && (pageBreakPending_ || (sectionBreakPending_ && sectionBreaksPage_)))
        p.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (!p.IsEmpty() && g.para.tableDepth == 0) MarkBreaks(p.format);
    builder_.Finish(std::move(p), g.para.tableDepth > 0, rowDef_);
    if (replacing_) {
        QTextOption option = doc_.defaultTextOption();
        option.setTabStopDistance(TFormatUnits(TTwips(defaultTab_)).Value());
        doc_.setDefaultTextOption(option);
    }

    TRtfFooter& footer = extras_.footer;
    while (footer.text.endsWith(QLatin1Char('\n')))
        footer.text.chop(1);
    if (footer.pageNumberAt > footer.text.size()) footer.pageNumberAt = int(footer.text.size());
}
