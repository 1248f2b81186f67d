#include "output/rtf/rtf_reader.h"

#include "output/rtf/rtf_list_marker.h"
#include "output/rtf/rtf_read_parser.h"

#include "framework/cp1252.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace {
// Text that does not start like RTF is taken as plain code page 1252 text, one
// paragraph per line, rather than losing its line breaks to the RTF rules.
bool LooksLikeRtf(const QByteArray& data) {
    for (char c : data) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{';
    }
    return false;
}

QString PlainToUnicode(const QByteArray& data) {
    QString text;
    text.reserve(data.size());
    for (char c : data)
        if (c != '\r') text.append(QChar(char16_t(Cp1252ToUnicode(static_cast<unsigned char>(c)))));
    return text;
}

TRtfExtras Read(QTextCursor& cursor, const QByteArray& rtf, bool replacing) {
    cursor.beginEditBlock();
    if (cursor.hasSelection()) cursor.removeSelectedText();
    TRtfExtras extras;
    if (LooksLikeRtf(rtf)) {
        TRtfParser parser(cursor, replacing);
        extras = parser.Parse(std::string_view(rtf.constData(), std::size_t(rtf.size())));
    } else {
        cursor.insertText(PlainToUnicode(rtf));
    }
    cursor.endEditBlock();
    return extras;
}

// A list paragraph reads with its marker, as word processors' plain text has it;
// hidden text is left out.
QString BlockText(const QTextBlock& block) {
    QString text;
    if (const QTextList* list = block.textList())
        text = RtfListMarker(block) + RtfListFollow(list->format());
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (!it.fragment().charFormat().boolProperty(RtfProperty::Hidden))
            text += it.fragment().text();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

QString FrameText(const QTextFrame* frame);
QString TableText(const QTextTable* table);

QString CellText(const QTextTableCell& cell) {
    QStringList lines;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
            // A cell cannot begin with a table either.
            if (lines.size() == 1 && lines.first().isEmpty()) lines.clear();
            lines.append(TableText(table));
        } else if (const QTextFrame* f = it.currentFrame())
            lines.append(FrameText(f));
        else
            lines.append(BlockText(it.currentBlock()));
    }
    return lines.join(QLatin1Char('\n'));
}

QString TableText(const QTextTable* table) {
    QStringList rows;
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns();) {
            const QTextTableCell cell = table->cellAt(r, c);
            // A cell merged down from an earlier row shows as an empty field.
            cells.append(cell.row() == r ? CellText(cell) : QString());
            c += std::max(1, cell.columnSpan());
        }
        rows.append(cells.join(QLatin1Char('\t')));
    }
    return rows.join(QLatin1Char('\n'));
}

QString FrameText(const QTextFrame* frame) {
    QStringList lines;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            // A document cannot begin with a table: Qt keeps an empty paragraph
            // before it that the file did not have.
            if (lines.size() == 1 && lines.first().isEmpty() && !frame->parentFrame())
                lines.clear();
            if (const auto* table = qobject_cast<const QTextTable*>(child))
                lines.append(TableText(table));
            else
                lines.append(FrameText(child));
        } else {
            lines.append(BlockText(it.currentBlock()));
        }
    }
    return lines.join(QLatin1Char('\n'));
}
} // namespace

TRtfExtras LoadRtf(QTextDocument& doc, const QByteArray& rtf) {
    doc.clear();
    QTextCursor cursor(&doc);
    return Read(cursor, rtf, true);
}

TRtfExtras InsertRtf(QTextCursor& cursor, const QByteArray& rtf) {
    if (cursor.isNull()) return {};
    return Read(cursor, rtf, false);
}

QString RtfDocumentPlainText(const QTextDocument& doc) {
    return FrameText(doc.rootFrame());
}

QString RtfToPlainText(const QByteArray& rtf) {
    QTextDocument doc;
    LoadRtf(doc, rtf);
    return RtfDocumentPlainText(doc);
}
