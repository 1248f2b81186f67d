#include "output/richtext/page_areas.h"

#include "output/richtext/tab_stops.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

namespace {
// Qt's layout scales a paragraph's space before and after, and the lengths of
// tables and frames, from format units to its device, but takes a paragraph's left
// and right indents and its first-line indent as device units. In the copy that is
// printed those three are scaled here, so that an indent prints as wide as it is.
void ScaleParagraphIndents(QTextDocument& doc, double formatScale) {
    QTextCursor cursor(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        if (f.leftMargin() == 0 && f.rightMargin() == 0 && f.textIndent() == 0) continue;
        f.setLeftMargin(f.leftMargin() * formatScale);
        f.setRightMargin(f.rightMargin() * formatScale);
        f.setTextIndent(f.textIndent() * formatScale);
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
}

// Between the body and the rule above its notes, and between the rule and the
// first note: together the six points or so word processors leave.
constexpr TPoints kNoteRuleGap(3);
constexpr TPoints kNoteRuleWidth(0.5);
// The rule is as long as a third of the body is wide.
constexpr double kNoteRuleShare = 1.0 / 3;
} // namespace

void PrepareTextForLayout(QTextDocument& doc, QPaintDevice& device, double formatScale,
                          TPoints width) {
    FitTabStops(doc, width.Value() / formatScale);
    ScaleParagraphIndents(doc, formatScale);
    doc.documentLayout()->setPaintDevice(&device);
    doc.setUseDesignMetrics(true);
    doc.setDocumentMargin(0);
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    root.setBorder(0);
    doc.rootFrame()->setFrameFormat(root);
    doc.setTextWidth(width.Value());
}

bool FillPageFields(QTextDocument& doc, int page, int pageCount) {
    struct TField {
        int position, length;
        QTextCharFormat format;
    };
    std::vector<TField> fields;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            if (f.intProperty(RtfProperty::PageField) != 0)
                fields.push_back({fragment.position(), fragment.length(), f});
        }
    QTextCursor cursor(&doc);
    // From the end, so that the positions before stay true.
    for (auto it = fields.rbegin(); it != fields.rend(); ++it) {
        const auto kind = TRtfPageField(it->format.intProperty(RtfProperty::PageField));
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(QString::number(kind == TRtfPageField::PageCount ? pageCount : page),
                          it->format);
    }
    return !fields.empty();
}

TPageAreas::TPageAreas(const TRtfAreas& areas, const TRtfPage& page, QPaintDevice& device,
                       double formatScale)
    : page_(page), titlePage_(areas.titlePage), hasFooters_(!areas.footers.empty()),
      device_(device), formatScale_(formatScale) {
    // Pages 1, 2 and 3 stand for the first page, the left pages and the right ones.
    for (int kind = 0; kind < kKinds; ++kind) {
        const int example = kind == kFirst ? 1 : kind == kLeft ? 2 : 3;
        const TRtfText* header = areas.HeaderFor(example);
        const TRtfText* footer = areas.FooterFor(example);
        headers_.push_back(header ? Prepare(header->Document()) : nullptr);
        footers_.push_back(footer ? Prepare(footer->Document()) : nullptr);
    }
    for (const TRtfText& note : areas.notes)
        notes_.push_back(Prepare(note.Document()));
}

TPageAreas::~TPageAreas() = default;

std::unique_ptr<TPageAreas::TArea> TPageAreas::Prepare(const QTextDocument& source) const {
    auto area = std::make_unique<TArea>();
    area->source.reset(source.clone());
    area->laidOut.reset(source.clone());
    area->hasFields = FillPageFields(*area->laidOut, 1, 1);
    area->floating = TakeFloatingPictures(*area->laidOut);
    const TPoints width(TTwips(std::max(720, page_.width - page_.marginLeft - page_.marginRight)));
    PrepareTextForLayout(*area->laidOut, device_, formatScale_, width);
    area->height = TPoints(area->laidOut->documentLayout()->documentSize().height());
    return area;
}

TPageAreas::TKind TPageAreas::KindOf(int page) const {
    if (titlePage_ && page == 1) return kFirst;
    return page % 2 == 0 ? kLeft : kRight;
}

const TPageAreas::TArea* TPageAreas::Header(int page) const {
    return headers_[std::size_t(KindOf(page))].get();
}

const TPageAreas::TArea* TPageAreas::Footer(int page) const {
    return footers_[std::size_t(KindOf(page))].get();
}

TPoints TPageAreas::BodyTop(int page) const {
    const TPoints top{TTwips(page_.marginTop)};
    const TArea* header = Header(page);
    if (!header) return top;
    return std::max(top, TPoints(TTwips(page_.headerDistance)) + header->height);
}

TPoints TPageAreas::BodyHeight(int page) const {
    TPoints bottom{TTwips(page_.height - page_.marginBottom)};
    if (const TArea* footer = Footer(page))
        bottom =
            std::min(bottom, TPoints(TTwips(page_.height - page_.footerDistance)) - footer->height);
    // However tall the header and footer, a page keeps half an inch of body.
    return std::max(TPoints(TTwips(720)), bottom - BodyTop(page));
}

TPoints TPageAreas::NoteHeight(int note) const {
    if (note < 0 || note >= NoteCount()) return TPoints();
    return notes_[std::size_t(note)]->height;
}

TPoints TPageAreas::NoteRuleRoom() {
    return kNoteRuleGap * 2 + kNoteRuleWidth;
}

void TPageAreas::DrawArea(QPainter& painter, const TArea& area, TPoints x, TPoints y, int page,
                          int pageCount) const {
    std::unique_ptr<QTextDocument> filled;
    const QTextDocument* doc = area.laidOut.get();
    const std::vector<TFloatingPicture>* floating = &area.floating;
    std::vector<TFloatingPicture> filledFloating; // filling fields moves positions
    if (area.hasFields && (page != 1 || pageCount != 1)) {
        filled.reset(area.source->clone());
        FillPageFields(*filled, page, pageCount);
        filledFloating = TakeFloatingPictures(*filled);
        floating = &filledFloating;
        const TPoints width(area.laidOut->textWidth());
        PrepareTextForLayout(*filled, device_, formatScale_, width);
        doc = filled.get();
    }
    // Floating pictures from the area's own paragraphs, which stand in the area.
    std::vector<std::pair<QRectF, const TFloatingPicture*>> placed;
    TFloatReferences at = PaperReferences();
    at.columnLeft = x.Value();
    for (const TFloatingPicture& picture : *floating) {
        if (const std::optional<TAnchorPlace> place = AnchorPlace(*doc, picture.position)) {
            at.anchor = place->anchor + QPointF(x.Value(), y.Value());
            at.lineTop = place->lineTop + y.Value();
            placed.emplace_back(PlaceFloatingPicture(picture, at), &picture);
        }
    }
    for (const auto& [rect, picture] : placed)
        if (picture->behind) DrawFloatingPicture(painter, *doc, picture->image, rect);
    painter.save();
    painter.translate(x.Value(), y.Value());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc->documentLayout()->draw(&painter, context);
    painter.restore();
    for (const auto& [rect, picture] : placed)
        if (!picture->behind) DrawFloatingPicture(painter, *doc, picture->image, rect);
}

TFloatReferences TPageAreas::PaperReferences() const {
    TFloatReferences at;
    at.paper =
        QRectF(0, 0, TPoints(TTwips(page_.width)).Value(), TPoints(TTwips(page_.height)).Value());
    at.marginLeft = TPoints(TTwips(page_.marginLeft)).Value();
    at.marginTop = TPoints(TTwips(page_.marginTop)).Value();
    at.columnLeft = at.marginLeft;
    return at;
}

void TPageAreas::DrawHeader(QPainter& painter, int page, int pageCount) const {
    if (const TArea* header = Header(page))
        DrawArea(painter, *header, TPoints(TTwips(page_.marginLeft)),
                 TPoints(TTwips(page_.headerDistance)), page, pageCount);
}

void TPageAreas::DrawFooter(QPainter& painter, int page, int pageCount) const {
    if (const TArea* footer = Footer(page))
        DrawArea(painter, *footer, TPoints(TTwips(page_.marginLeft)),
                 TPoints(TTwips(page_.height - page_.footerDistance)) - footer->height, page,
                 pageCount);
}

void TPageAreas::DrawNotes(QPainter& painter, int page, const std::vector<int>& notes) const {
    if (notes.empty()) return;
    TPoints height;
    for (int note : notes)
        height += NoteHeight(note);
    const TPoints left{TTwips(page_.marginLeft)};
    const TPoints bottom = BodyTop(page) + BodyHeight(page);
    TPoints y = bottom - height;
    const TPoints width{TTwips(std::max(720, page_.width - page_.marginLeft - page_.marginRight))};
    const TPoints rule = y - kNoteRuleGap - kNoteRuleWidth / 2;
    QPen pen(Qt::black);
    pen.setWidthF(kNoteRuleWidth.Value());
    painter.save();
    painter.setPen(pen);
    painter.drawLine(QPointF(left.Value(), rule.Value()),
                     QPointF((left + width * kNoteRuleShare).Value(), rule.Value()));
    painter.restore();
    for (int note : notes) {
        if (note < 0 || note >= NoteCount()) continue;
        DrawArea(painter, *notes_[std::size_t(note)], left, y, page, 1);
        y += NoteHeight(note);
    }
}
