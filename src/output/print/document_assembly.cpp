#include "output/print/document_assembly.h"

#include "model/document.h"
#include "model/segments.h"
#include "output/print/page_making.h"
#include "output/richtext/rich_text_control.h"
#include "output/richtext/text_streamer.h"

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

} // namespace

void AssembleDocument(TRichTextControl& control, const TDocument& document,
                      const QString& organisation) {
    control.Clear();
    control.SetStandardFooter(organisation);

    std::vector<TEntrySpan> spans;
    TTextStreamer streamer(control);
    for (const auto& entry : document.Entries) {
        if (!entry->Segment || !entry->Segment->Chunk) continue;
        AppendEntry(control, streamer, *entry);
        spans.push_back({control.EndPosition(), IsHeading(*entry->Segment)});
        // A text that does not end its last paragraph would run into the next one.
        if (!control.PlainText().endsWith(QLatin1Char('\n'))) {
            control.SetSelStart(-1);
            control.SetSelText(QStringLiteral("\n"));
            spans.back().end = control.EndPosition();
        }
    }
    MakePages(control, spans);
    control.SetSelStart(0);
}
