#include "output/print/document_assembly.h"

#include "model/document.h"
#include "model/segments.h"
#include "output/print/page_making.h"
#include "output/richtext/rich_text_control.h"
#include "output/richtext/text_streamer.h"
#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

// A title, a section or a typed text that carries no marks heads what follows it
// rather than standing alone.
bool IsHeading(const TTextSegment& segment) {
    return segment.Kind() == 'T' && segment.Marks == 0;
}

// Loads one entry's text at the end; the chunk is let go again afterwards unless
// someone else had it loaded already.
void AppendEntry(TRichTextControl& control, TTextStreamer& streamer, const TDocContent& entry) {
    TTextChunk& chunk = *entry.Segment->Chunk;
    const bool wasLoaded = chunk.IsLoaded();
    struct TUnload {
        TTextChunk& chunk;
        bool keep;
        ~TUnload() {
            if (!keep) chunk.UnloadLines();
        }
    } unload{chunk, wasLoaded};

    control.SetSelStart(-1);
    control.SetSelLength(0);
    const int start = control.SelStart();
    streamer.LoadInto(chunk);
    if (!entry.Numbered) return;
    const QString number = QString::number(entry.Number) + QLatin1Char('.');
    control.SetSelStart(start);
    control.SetSelText(number);
    control.SetSelStart(start);
    control.SetSelLength(int(number.size()));
    control.SetFontBold(1);
}

// A text written in columns keeps them to itself: the text after it starts a
// section of one column again, as it would print on its own, instead of running
// on in the columns of the text before.
void EndColumnsWithTheirText(QTextDocument& doc, const std::vector<int>& entryStarts) {
    int columns = 1;
    std::size_t next = 1;
    for (QTextBlock b = doc.begin(); b.isValid() && next < entryStarts.size(); b = b.next()) {
        while (next < entryStarts.size() && b.position() >= entryStarts[next]) {
            const bool own = b.blockFormat().hasProperty(RtfProperty::SectionBreak);
            if (columns > 1 && !own && b.position() == entryStarts[next]) {
                QTextBlockFormat f;
                f.setProperty(RtfProperty::SectionBreak, int(TRtfSectionBreak::None));
                f.setProperty(RtfProperty::SectionColumns, 1);
                QTextCursor(b).mergeBlockFormat(f);
                columns = 1;
            }
            ++next;
        }
        const QTextBlockFormat f = b.blockFormat();
        if (f.hasProperty(RtfProperty::SectionBreak))
            columns = std::max(1, f.intProperty(RtfProperty::SectionColumns));
    }
}

} // namespace

void AssembleDocument(TRichTextControl& control, const TDocument& document,
                      const QString& organisation) {
    control.Clear();
    control.SetStandardFooter(organisation);

    std::vector<TEntrySpan> spans;
    TTextStreamer streamer(control);
    std::vector<int> entryStarts;
    for (const auto& entry : document.Entries) {
        if (!entry->Segment || !entry->Segment->Chunk) continue;
        entryStarts.push_back(control.EndPosition());
        AppendEntry(control, streamer, *entry);
        spans.push_back({control.EndPosition(), IsHeading(*entry->Segment)});
        // A text that does not end its last paragraph would run into the next one.
        if (!control.PlainText().endsWith(QLatin1Char('\n'))) {
            control.SetSelStart(-1);
            control.SetSelText(QStringLiteral("\n"));
            spans.back().end = control.EndPosition();
        }
    }
    EndColumnsWithTheirText(control.Document(), entryStarts);
    MakePages(control, spans);
    control.SetSelStart(0);
}
