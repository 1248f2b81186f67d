#include "output/rtf/rtf_write_document.h"

#include "output/rtf/rtf_list_marker.h"
#include "output/rtf/rtf_write_section.h"

#include <QRect>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <string>

namespace {
// The hanging indent a list item's marker sits in, unless the paragraph sets its own.
constexpr int kListHang = 360;

QString LinkTarget(const QTextCharFormat& format) {
    return format.isAnchor() ? format.anchorHref() : QString();
}
} // namespace

TRtfBodyWriter::TRtfBodyWriter(const QTextDocument& doc, const TRtfPage& page,
                               const TRtfAreas* areas)
    : doc_(doc), fonts_(ownFonts_), colors_(ownColors_), areas_(areas), lists_(ownLists_),
      mapper_(doc, fonts_, colors_),
      body_(std::size_t(std::max(0, doc.characterCount())) * 3 / 2 + 256),
      textWidth_(std::max(720, page.width - page.marginLeft - page.marginRight)),
      footerDistance_(page.footerDistance) {}

TRtfBodyWriter::TRtfBodyWriter(const QTextDocument& doc, TRtfBodyWriter& main)
    : doc_(doc), fonts_(main.fonts_), colors_(main.colors_), areas_(nullptr), lists_(main.lists_),
      mapper_(doc, fonts_, colors_),
      body_(std::size_t(std::max(0, doc.characterCount())) * 3 / 2 + 64),
      textWidth_(main.textWidth_), footerDistance_(main.footerDistance_) {}

void TRtfBodyWriter::Write() {
    WriteItems(doc_.rootFrame()->begin(), 0, TEnd::None, textWidth_);
}

void TRtfBodyWriter::WriteItems(QTextFrame::iterator it, int depth, TEnd lastEnd, int widthTwips) {
    std::vector<TItem> items;
    for (; !it.atEnd(); ++it)
        items.push_back({it.currentBlock(), it.currentFrame()});
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool last = i + 1 == items.size();
        TEnd end = last ? lastEnd : TEnd::Par;
        const TItem& item = items[i];
        // A section mark ends the paragraph before it, except an empty one: readers
        // take "\sect" straight after a paragraph mark as ending no paragraph, so an
        // empty last paragraph keeps its own mark and the next section writes \sect.
        if (depth == 0 && !last && !item.frame && StartsSection(items[i + 1].block) &&
            item.block.length() > 1)
            end = TEnd::Sect;
        if (item.frame) {
            if (auto* table = qobject_cast<QTextTable*>(item.frame))
                WriteTable(table, depth + 1, widthTwips);
            else
                WriteItems(item.frame->begin(), depth, end, widthTwips);
            continue;
        }
        // A table cannot open a frame in QTextDocument; an empty paragraph always
        // stands before it. Readers make that paragraph themselves, so it is only
        // written when it means something.
        if (i == 0 && !last && item.block.length() <= 1 && items[i + 1].frame &&
            qobject_cast<QTextTable*>(items[i + 1].frame))
            continue;
        WriteParagraph(item.block, depth, end);
    }
}

void TRtfBodyWriter::WriteParagraph(const QTextBlock& block, int depth, TEnd end) {
    QTextBlockFormat format = block.blockFormat();
    if (depth == 0 &&
        WriteSectionStart(body_, format, block.position() == 0, sectionEnded_, footerDistance_))
        format.setPageBreakPolicy(format.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
    body_.Word("pard");
    body_.Word("plain");
    if (depth > 0) body_.Word("intbl");
    if (depth > 1) body_.Word("itap", depth);

    const QTextList* list = block.textList();
    double indent = format.indent() * doc_.indentWidth();
    if (list) indent += list->format().indent() * doc_.indentWidth();
    WriteParagraphProps(body_, format, indent, colors_);
    const bool breakBefore = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
    if (pendingPageBreak_ && !breakBefore) body_.Word("pagebb");
    pendingPageBreak_ = format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    if (list) WriteListItem(block);
    if (depth == 0) WriteColumnBreak(body_, format);

    sectionEnded_ = end == TEnd::Sect;
    TRtfCharProps state;
    WriteRuns(block, state);
    if (block.length() <= 1) {
        // An empty paragraph's mark gives the line its height.
        const TRtfCharProps& mark = mapper_.Props(block.charFormat(), block.charFormatIndex());
        WriteCharChange(body_, state, mark);
        state = mark;
    }
    // A raised or lowered run ends before the mark: a word processor that finds the
    // mark raised joins the paragraph with the next.
    if (state.vertical != 0 && end != TEnd::None) body_.Word("nosupersub");
    switch (end) {
    case TEnd::Par:
        body_.Word("par");
        body_.LineBreak();
        break;
    case TEnd::Cell:
        body_.Word("cell");
        body_.LineBreak();
        break;
    case TEnd::NestCell:
        body_.Word("nestcell");
        body_.LineBreak();
        break;
    case TEnd::Sect:
        body_.Word("sect");
        body_.LineBreak();
        break;
    case TEnd::None:
        break;
    }
}

// The paragraph's list and level, its hanging indent, and the marker as text for
// readers that do not number paragraphs themselves.
void TRtfBodyWriter::WriteListItem(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    const QTextList* list = block.textList();
    int first = UnitsToTwips(format.textIndent());
    if (first == 0)
        first = format.hasProperty(RtfProperty::ListTextIndent)
                    ? UnitsToTwips(format.doubleProperty(RtfProperty::ListTextIndent))
                    : -kListHang;
    // WriteParagraphProps wrote the text indent, if any; the hang goes here.
    if (format.textIndent() == 0 && first != 0) body_.Word("fi", first);
    const double indent =
        format.leftMargin() + (format.indent() + list->format().indent()) * doc_.indentWidth();
    const TRtfCharProps& props = mapper_.Props(block.charFormat(), block.charFormatIndex());
    const TRtfListTable::TItem item =
        lists_.Register(block, UnitsToTwips(indent), first, props.font);
    body_.Word("ls", item.number);
    body_.Word("ilvl", item.level);

    body_.Open();
    body_.Word("listtext");
    body_.Word("pard");
    body_.Word("plain");
    body_.Word("f", props.font);
    body_.Word("fs", props.halfPoints);
    body_.Text(RtfListMarker(block) + RtfListFollow(list->format()));
    body_.Close();
}

void TRtfBodyWriter::WriteRuns(const QTextBlock& block, TRtfCharProps& state) {
    QString link;
    TRtfCharProps outside; // the state to return to when the link's group closes
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        const QTextCharFormat format = fragment.charFormat();
        if (const QString target = LinkTarget(format); target != link) {
            if (!link.isEmpty()) {
                body_.Raw("}}}");
                state = outside;
            }
            link = target;
            if (!link.isEmpty()) {
                outside = state;
                OpenLink(link);
            }
        }
        if (format.isImageFormat()) {
            const QTextImageFormat image = format.toImageFormat();
            const QString text = fragment.text();
            const bool hidden = image.boolProperty(RtfProperty::Hidden);
            if (hidden && !state.hidden) body_.Raw("{\\v ");
            for (const QChar c : text)
                if (c == QChar::ObjectReplacementCharacter) WritePicture(image);
            if (hidden && !state.hidden) body_.Raw("}");
            continue;
        }
        const TRtfCharProps& props = mapper_.Props(format, fragment.charFormatIndex());
        WriteCharChange(body_, state, props);
        state = props;
        if (!WriteLiveRun(format, fragment.text())) {
            if (mapper_.IsSymbolFont(props.font))
                body_.SymbolText(fragment.text());
            else
                body_.Text(fragment.text());
        }
        if (const int note = format.intProperty(RtfProperty::NoteMark); note > 0)
            WriteNote(note - 1);
    }
    if (!link.isEmpty()) {
        body_.Raw("}}}");
        state = outside;
    }
}

void TRtfBodyWriter::OpenLink(const QString& href) {
    QString target = href;
    target.replace(u'"', QStringLiteral("%22"));
    body_.Open();
    body_.Word("field");
    body_.Open();
    body_.Raw("\\*");
    body_.Word("fldinst");
    body_.Open();
    body_.Text(QStringLiteral("HYPERLINK \"") + target + u'"');
    body_.Close();
    body_.Close();
    body_.Open();
    body_.Word("fldrslt");
    body_.Open();
}

void TRtfBodyWriter::WritePicture(const QTextImageFormat& format) {
    const QRect box = format.property(RtfProperty::FloatingBox).toRect();
    if (box.isEmpty()) {
        WritePictureData(format);
        return;
    }
    // A floating picture goes back as the shape it was read from, so that a word
    // processor floats it too: a picture frame without a line, with the picture
    // itself as the result for readers that do not take shapes.
    // Edges as sums of the box's ints, kept far inside what readers parse.
    const auto edge = [](long long v) { return std::clamp<long long>(v, -(1 << 24), 1 << 24); };
    body_.Open();
    body_.Word("shp");
    body_.Open();
    body_.Raw("\\*");
    body_.Word("shpinst");
    body_.Word("shpleft", edge(box.left()));
    body_.Word("shptop", edge(box.top()));
    body_.Word("shpright", edge(qint64(box.left()) + box.width()));
    body_.Word("shpbottom", edge(qint64(box.top()) + box.height()));
    body_.Word("shpwr", 3);
    body_.Word("shpfblwtxt", format.boolProperty(RtfProperty::FloatingBehind) ? 1 : 0);
    body_.Word("shpbxignore");
    body_.Word("shpbyignore");
    body_.Raw("{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn fLine}{\\sv 0}}");
    auto reference = [&](const char* name, int property) {
        const int value = std::clamp(format.intProperty(property), 0, 3);
        body_.Raw(std::string("{\\sp{\\sn ") + name + "}{\\sv " + char('0' + value) + "}}");
    };
    reference("posrelh", RtfProperty::FloatingAcross);
    reference("posrelv", RtfProperty::FloatingDown);
    body_.Raw("{\\sp{\\sn pib}{\\sv ");
    WritePictureData(format);
    body_.Raw("}}");
    body_.Close();
    body_.Open();
    body_.Word("shprslt");
    WritePictureData(format);
    body_.Close();
    body_.Close();
}

void TRtfBodyWriter::WritePictureData(const QTextImageFormat& format) {
    if (format.hasProperty(RtfProperty::PictureData)) {
        const QSize extent = format.property(RtfProperty::PictureExtent).toSize();
        const double width = format.width() > 0 ? format.width() : extent.width();
        const double height = format.height() > 0 ? format.height() : extent.height();
        if (width > 0 && height > 0 &&
            WriteRtfPictureAsRead(body_, format.stringProperty(RtfProperty::PictureType),
                                  format.property(RtfProperty::PictureData).toByteArray(), extent,
                                  UnitsToTwips(width), UnitsToTwips(height)))
            return;
    }
    const QString name = format.name();
    auto found = pictures_.find(name);
    if (found == pictures_.end()) found = pictures_.insert(name, RtfPictureFor(doc_, name));
    if (!found->has_value()) return;
    const TRtfPicture& picture = **found;
    // The format's size wins; a missing side keeps the picture's proportions.
    double width = format.width(), height = format.height();
    if (width <= 0 && height <= 0) {
        width = picture.pixelWidth;
        height = picture.pixelHeight;
    } else if (width <= 0) {
        width = height * picture.pixelWidth / picture.pixelHeight;
    } else if (height <= 0) {
        height = width * picture.pixelHeight / picture.pixelWidth;
    }
    WriteRtfPicture(body_, picture, std::max(1, UnitsToTwips(width)),
                    std::max(1, UnitsToTwips(height)));
}
