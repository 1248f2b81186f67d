#include "output/richtext/note_numbers.h"

#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
struct TRun {
    int position, length;
    QTextCharFormat format;
};

// The runs in [from, to) that carry `property`.
std::vector<TRun> RunsWith(const QTextDocument& doc, int property, int from, int to) {
    std::vector<TRun> runs;
    for (QTextBlock b = doc.findBlock(from); b.isValid() && b.position() < to; b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() >= from && f.position() < to && f.charFormat().hasProperty(property))
                runs.push_back({f.position(), f.length(), f.charFormat()});
        }
    return runs;
}

void Replace(QTextDocument& doc, const TRun& run, const QString& text) {
    QTextCursor cursor(&doc);
    cursor.setPosition(run.position);
    cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
    cursor.insertText(text, run.format);
}

bool IsNumbered(const QTextDocument& note) {
    return !RunsWith(note, RtfProperty::NoteNumber, 0, note.characterCount()).empty();
}
} // namespace

void AppendNotes(QTextDocument& doc, int from, int to, std::vector<TRtfText>&& notes,
                 std::vector<TRtfText>& into) {
    if (notes.empty()) return;
    const int offset = int(into.size());
    int number = 0;
    for (const TRtfText& note : into)
        number += IsNumbered(note.Document()) ? 1 : 0;

    // From the end, so that the positions before stay true; the numbers first, as
    // they change the length of the text.
    const int length = doc.characterCount();
    const std::vector<TRun> numbers = RunsWith(doc, RtfProperty::NoteNumber, from, to);
    for (std::size_t i = numbers.size(); i-- > 0;)
        Replace(doc, numbers[i], QString::number(number + 1 + int(i)));
    to += doc.characterCount() - length;
    const std::vector<TRun> marks = RunsWith(doc, RtfProperty::NoteMark, from, to);
    for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
        QTextCharFormat f = it->format;
        f.setProperty(RtfProperty::NoteMark, f.intProperty(RtfProperty::NoteMark) + offset);
        QTextCursor cursor(&doc);
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(f);
    }
    for (TRtfText& note : notes) {
        QTextDocument& text = note.Document();
        const std::vector<TRun> own =
            RunsWith(text, RtfProperty::NoteNumber, 0, text.characterCount());
        if (!own.empty()) ++number;
        for (auto it = own.rbegin(); it != own.rend(); ++it)
            Replace(text, *it, QString::number(number));
        into.push_back(std::move(note));
    }
}
