#include "output/rtf/rtf_write_document.h"

#include <QTextDocument>

bool TRtfBodyWriter::WriteLiveRun(const QTextCharFormat& format, const QString& text) {
    if (format.boolProperty(RtfProperty::NoteNumber)) {
        body_.Word("chftn");
        return true;
    }
    const auto field = TRtfPageField(format.intProperty(RtfProperty::PageField));
    if (field == TRtfPageField::None) return false;
    body_.Open();
    body_.Word("field");
    body_.Open();
    body_.Raw("\\*");
    body_.Word("fldinst");
    body_.Text(field == TRtfPageField::PageCount ? u"NUMPAGES" : u"PAGE");
    body_.Close();
    body_.Open();
    body_.Word("fldrslt");
    body_.Text(text);
    body_.Close();
    body_.Close();
    return true;
}

void TRtfBodyWriter::WriteNote(int index) {
    if (!areas_ || index < 0 || std::size_t(index) >= areas_->notes.size()) return;
    TRtfBodyWriter note(areas_->notes[std::size_t(index)].Document(), *this);
    note.Write();
    body_.Open();
    body_.Word("footnote");
    body_.Raw(note.Body().Bytes());
    body_.Close();
}

namespace {
const char* AreaWord(bool header, TRtfAreaPages pages) {
    switch (pages) {
    case TRtfAreaPages::Left:
        return header ? "headerl" : "footerl";
    case TRtfAreaPages::Right:
        return header ? "headerr" : "footerr";
    case TRtfAreaPages::First:
        return header ? "headerf" : "footerf";
    case TRtfAreaPages::All:
        break;
    }
    return header ? "header" : "footer";
}
} // namespace

std::string WriteRtfAreas(const TRtfAreas& areas, TRtfBodyWriter& main) {
    TRtfSink sink;
    auto write = [&](const TRtfArea& area, bool header) {
        TRtfBodyWriter text(area.text.Document(), main);
        text.Write();
        sink.Open();
        sink.Word(AreaWord(header, area.pages));
        sink.Raw(text.Body().Bytes());
        sink.Word("par");
        sink.Close();
        sink.LineBreak();
    };
    for (const TRtfArea& a : areas.headers)
        write(a, true);
    for (const TRtfArea& a : areas.footers)
        write(a, false);
    return sink.Take();
}
