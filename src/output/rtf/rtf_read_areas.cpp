#include "output/rtf/rtf_read_parser.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// Headers, footers and footnotes are read each into a document of its own, from the
// bytes of their group, with the fonts, colours and styles of the file.

TRtfText TRtfParser::ReadText(std::string_view inner, const TGroup& start, int noteNumber) {
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    // On the heap: the parser's tables are large.
    auto parser = std::make_unique<TRtfParser>(cursor, true);
    parser->ansiCodePage_ = ansiCodePage_;
    parser->defaultFont_ = defaultFont_;
    parser->fonts_ = fonts_;
    parser->colors_ = colors_;
    parser->styles_ = styles_;
    parser->defaultTab_ = defaultTab_;
    parser->pixelBudget_ = pixelBudget_;
    parser->noteNumber_ = noteNumber;
    parser->areaDepth_ = areaDepth_ + 1;
    TGroup g = start;
    g.dest = g.textDest = TRtfDest::Body;
    g.field = g.style = -1;
    g.ownsDest = g.ownsField = false;
    g.para.tableDepth = 0;
    cursor.beginEditBlock();
    // As if inside its group, so that destinations in it are skipped as in a file.
    parser->Run(inner, g, 2);
    // The mark that ends the last paragraph leaves an empty one after it, which
    // would make a header or footer a line taller than it is.
    const QTextBlock last = doc->lastBlock();
    if (last.length() <= 1 && last.position() > 0 &&
        doc->characterAt(last.position() - 1) == QChar::ParagraphSeparator) {
        cursor.movePosition(QTextCursor::End);
        cursor.deletePreviousChar();
    }
    cursor.endEditBlock();
    pixelBudget_ = parser->pixelBudget_;
    return TRtfText(std::move(doc));
}

std::optional<TRtfText> TRtfParser::ReadGroupAsText(int noteNumber) {
    // In the outermost group the text would be the rest of the file; a text of
    // its own holds no further ones.
    if (areaDepth_ > 0 || excessDepth_ > 0 || stack_.size() <= 2) {
        SkipDestination();
        return std::nullopt;
    }
    const std::size_t start = tokenizer_->Position();
    tokenizer_->SkipGroup();
    std::size_t end = tokenizer_->Position();
    if (end > start && source_[end - 1] == '}') --end;
    TRtfText text = ReadText(source_.substr(start, end - start), Top(), noteNumber);
    PopGroup();
    return text;
}

namespace {
// The first section's header or footer for the pages is the one kept.
void AddArea(std::vector<TRtfArea>& into, TRtfAreaPages pages, TRtfText&& text) {
    for (const TRtfArea& a : into)
        if (a.pages == pages) return;
    into.push_back({pages, std::move(text)});
}
} // namespace

void TRtfParser::ReadArea(std::vector<TRtfArea>& into, TRtfAreaPages pages) {
    CloseRun();
    if (std::optional<TRtfText> text = ReadGroupAsText(0)) AddArea(into, pages, std::move(*text));
}

void TRtfParser::EndFooterText() {
    if (!footerStartGroup_) return;
    const std::unique_ptr<TGroup> start = std::move(footerStartGroup_);
    if (areaDepth_ > 0) return;
    std::size_t end = tokenizer_->Position();
    if (end > footerStart_ && source_[end - 1] == '}') --end;
    if (end < footerStart_) return;
    AddArea(extras_.areas.footers, footerPages_,
            ReadText(source_.substr(footerStart_, end - footerStart_), *start, 0));
}

void TRtfParser::ReadNote() {
    // The run before the note ends with its mark: the number \chftn showed, or
    // the file's own mark.
    CloseRun();
    const bool numbered = noteNumberAt_ >= 0 && noteNumberAt_ == emitted_;
    const int number = numbered ? numberedNotes_ + 1 : 0;
    const bool inBody = Top().dest == TRtfDest::Body && areaDepth_ == 0;
    std::optional<TRtfText> text = ReadGroupAsText(number);
    if (!text || !inBody) return;
    if (numbered) ++numberedNotes_;
    noteNumberAt_ = -1;
    extras_.areas.notes.push_back(std::move(*text));
    if (!paragraph_.runs.empty())
        paragraph_.runs.back().format.setProperty(RtfProperty::NoteMark,
                                                  int(extras_.areas.notes.size()));
}

void TRtfParser::AppendPageField(TRtfPageField field) {
    TRtfCharState& chr = Top().chr;
    const std::uint8_t was = chr.pageField;
    chr.pageField = std::uint8_t(field);
    AppendUnicodeText(u"1");
    Top().chr.pageField = was;
}

void TRtfParser::AppendNoteNumber() {
    // A header's or footer's \chftn has no note to number.
    if (areaDepth_ > 0 && noteNumber_ == 0) return;
    const int number = noteNumber_ > 0 ? noteNumber_ : numberedNotes_ + 1;
    Top().chr.noteNumber = true;
    AppendUnicodeText(QString::number(number));
    Top().chr.noteNumber = false;
    if (areaDepth_ == 0) noteNumberAt_ = emitted_;
}
