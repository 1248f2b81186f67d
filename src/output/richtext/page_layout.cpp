#include "output/richtext/page_layout.h"

#include "output/richtext/page_areas.h"
#include "output/richtext/page_decor.h"
#include "output/richtext/print_spacing.h"
#include "output/richtext/tab_stops.h"
#include "output/richtext/table_rows.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMetersPerInch = 0.0254;

QImage LayoutDevice() {
    QImage device(1, 1, QImage::Format_Mono);
    const int dotsPerMeter = int(std::lround(kLayoutUnitsPerInch / kMetersPerInch));
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    return device;
}

// Lengths in formats (margins, indents, paddings) are scaled by the layout to its
// device; measure by how much, rather than guess the screen's resolution.
double FormatScale(QPaintDevice& device) {
    constexpr double kProbe = 100;
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(&device);
    probe.setDocumentMargin(0);
    QTextBlockFormat f;
    f.setTopMargin(kProbe);
    QTextCursor(&probe).setBlockFormat(f);
    probe.setTextWidth(kLayoutUnitsPerInch);
    const double scale = probe.documentLayout()->blockBoundingRect(probe.begin()).top() / kProbe;
    return scale > 0 ? scale : kLayoutUnitsPerInch / 96.0;
}

TPoints BodyWidth(const TRtfPage& page) {
    return TTwips(std::max(720, page.width - page.marginLeft - page.marginRight));
}

TPoints BodyHeight(const TRtfPage& page) {
    return TTwips(std::max(720, page.height - page.marginTop - page.marginBottom));
}

// The room a box takes: its reach plus a little air, since the layout lets a
// paragraph after a table start inside the table's bottom border.
constexpr double kBorderRoom = kParagraphBorderOutset + 2;

// A bordered paragraph's box takes room above and below it, as in a word
// processor, so that it clears the text and tables around it. Only the copy that
// is printed changes; its positions stay those of the source. Returns whether the
// document has any bordered paragraph.
bool MakeRoomForParagraphBorders(QTextDocument& doc) {
    bool any = false;
    QTextCursor cursor(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const bool opens = OpensBorderBox(b);
        const bool closes = ClosesBorderBox(b);
        if (!opens && !closes) continue;
        any = true;
        QTextBlockFormat f = b.blockFormat();
        if (opens) f.setTopMargin(f.topMargin() + kBorderRoom);
        if (closes) f.setBottomMargin(f.bottomMargin() + kBorderRoom);
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
    return any;
}

// The layout drops the space before a paragraph that directly follows a table, and
// the space after one that a table directly follows. In the copy that is printed
// that space moves onto the table's margin, so that the page shows it as a word
// processor would.
void KeepSpaceAroundTables(QTextDocument& doc) {
    constexpr char16_t kStartOfFrame = 0xFDD0;
    constexpr char16_t kEndOfFrame = 0xFDD1;
    // The table whose frame mark is at `position`, seen from the block `b` beside it.
    const auto tableAt = [&doc](int position, const QTextBlock& b) {
        QTextCursor inside(&doc);
        inside.setPosition(position);
        QTextFrame* frame = inside.currentFrame();
        const QTextFrame* outer = QTextCursor(b).currentFrame();
        while (frame && frame->parentFrame() != outer)
            frame = frame->parentFrame();
        return frame;
    };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int position = b.position();
        const double before = b.blockFormat().topMargin();
        if (position > 0 && before > 0 && doc.characterAt(position - 1) == QChar(kEndOfFrame)) {
            if (QTextFrame* frame = tableAt(position - 1, b)) {
                QTextFrameFormat f = frame->frameFormat();
                f.setBottomMargin(std::max(f.bottomMargin(), before));
                frame->setFrameFormat(f);
            }
        }
        // The mark that ends a paragraph a table follows is the table's start.
        const int end = position + b.length();
        const double after = b.blockFormat().bottomMargin();
        if (after > 0 && doc.characterAt(end - 1) == QChar(kStartOfFrame)) {
            if (QTextFrame* frame = tableAt(end, b)) {
                QTextFrameFormat f = frame->frameFormat();
                f.setTopMargin(std::max(f.topMargin(), after));
                frame->setFrameFormat(f);
            }
        }
    }
}
} // namespace

TPageLayout::TPageLayout(const QTextDocument& source, const TRtfPage& page, const TRtfAreas& areas)
    : page_(page), device_(LayoutDevice()) {
    formatScale_ = FormatScale(device_);
    doc_.reset(source.clone());
    positions_ = PrepareForPrint(*doc_);
    std::vector<TFloatingPicture> floating = TakeFloatingPictures(*doc_);
    const bool hasBorders = MakeRoomForParagraphBorders(*doc_);
    sections_ = PrepareSectionColumns(*doc_, BodyWidth(page_).Value(), formatScale_);
    KeepSpaceAroundTables(*doc_);
    MatchPrintSpacing(*doc_, device_, formatScale_);
    PrepareTextForLayout(*doc_, device_, formatScale_, BodyWidth(page_));
    FitTableRowHeights(*doc_, formatScale_);
    areas_ = std::make_unique<TPageAreas>(areas, page_, device_, formatScale_);
    if (sections_.empty()) {
        std::vector<TFlowUnit> units = CollectFlowUnits(*doc_, formatScale_);
        FindNoteMarks();
        ReserveNoteRoom(units);
        pages_ = BreakIntoPages(
            units, [this](int p) { return areas_->BodyHeight(p).Value(); },
            TPageAreas::NoteRuleRoom().Value());
    } else {
        // Columns fill the least body any page has; a note takes its room from the
        // foot of the column its mark stands in and of the later columns of its page.
        double height = areas_->BodyHeight(1).Value();
        for (int p = 2; p <= 3; ++p)
            height = std::min(height, areas_->BodyHeight(p).Value());
        // Columns laid out again at their widths move the marks: found again each time.
        const TNoteRoom notes{[this](std::vector<TFlowUnit>& units) {
                                  FindNoteMarks();
                                  ReserveNoteRoom(units);
                              },
                              TPageAreas::NoteRuleRoom().Value()};
        columnPages_ = FlowIntoColumns(*doc_, sections_, formatScale_, BodyWidth(page_).Value(),
                                       height, notes);
        pages_ = PageSpansOf(columnPages_);
        FindNoteMarks();
    }
    if (hasBorders) borderBoxes_ = ParagraphBorderBoxes(*doc_);
    tabLeaders_ = FindTabLeaders(*doc_, formatScale_);
    PlaceFloatingPictures(std::move(floating));

    // The paragraphs of the text itself; one in a table cell is as wide as its cell,
    // and finding its place costs a search of the table.
    const QAbstractTextDocumentLayout& layout = *doc_->documentLayout();
    for (auto it = doc_->rootFrame()->begin(); !it.atEnd(); ++it) {
        const QTextBlock b = it.currentBlock();
        if (!b.isValid() || !b.layout()) continue;
        const QRectF rect = layout.blockBoundingRect(b);
        if (rect.height() > BodyHeight(page_).Value())
            longBlocks_.push_back({rect.top(), rect.bottom(), b.layout()});
    }
}

TPageLayout::~TPageLayout() = default;

int TPageLayout::PageOfPosition(int position) const {
    position = positions_.ToCopy(position);
    position = std::clamp(position, 0, std::max(0, doc_->characterCount() - 1));
    QTextBlock block = doc_->findBlock(position);
    // A paragraph that is not printed lies where the one before it ends.
    while (block.isValid() && !block.isVisible() && block.previous().isValid()) {
        block = block.previous();
        position = block.position() + block.length() - 1;
    }
    if (!block.isValid()) return 1;
    double y = doc_->documentLayout()->blockBoundingRect(block).top();
    if (const QTextLayout* text = block.layout(); text && text->lineCount() > 0) {
        QTextLine line = text->lineForTextPosition(position - block.position());
        if (!line.isValid()) line = text->lineAt(text->lineCount() - 1);
        // Just inside the line's top: a line taller than a page is on the page it
        // starts on.
        y += line.y() + std::min(line.height() / 2, 1.0);
    }
    return PageAt(y);
}

int TPageLayout::PageAt(double y) const {
    const auto after = std::upper_bound(pages_.begin(), pages_.end(), y,
                                        [](double v, const TPageSpan& s) { return v < s.top; });
    return std::max(1, int(after - pages_.begin()));
}

// Qt drops a paragraph's shaping after every drawing of it and shapes the whole
// paragraph again on the next, so each page of a long paragraph would cost as much
// as the paragraph. The long paragraphs on the page being drawn keep their shaping
// until a page without them is drawn; the others let it go.
void TPageLayout::KeepLongBlocksShaped(const TPageSpan& span) const {
    std::vector<QTextLayout*> onPage;
    for (const TLongBlock& b : longBlocks_)
        if (b.top < span.bottom && b.bottom > span.top) onPage.push_back(b.text);
    for (QTextLayout* text : shaped_) {
        if (std::find(onPage.begin(), onPage.end(), text) != onPage.end()) continue;
        text->setCacheEnabled(false);
        // Drawing nothing is the one way to make the layout free what it kept.
        static QImage scratch(1, 1, QImage::Format_Mono);
        QPainter painter(&scratch);
        text->draw(&painter, QPointF(), {}, QRectF(-10, -10, 1, 1));
    }
    for (QTextLayout* text : onPage)
        text->setCacheEnabled(true);
    shaped_ = std::move(onPage);
}

std::vector<TColumnSlice> TPageLayout::BodySlices(int page) const {
    if (!columnPages_.empty()) return columnPages_[std::size_t(page - 1)].slices;
    const TPageSpan& span = pages_[std::size_t(page - 1)];
    return {{span.top, span.bottom, 0, 0, -TPoints(TTwips(page_.marginLeft)).Value(),
             TPoints(TTwips(page_.width - page_.marginLeft)).Value()}};
}

void TPageLayout::DrawPage(QPainter& painter, int page, const QRectF& target,
                           const TRtfFooter& footer) const {
    if (page < 1 || page > PageCount() || target.isEmpty()) return;
    // The page in points; each area draws from its own top left corner.
    const TPoints width{TTwips(page_.width)};
    const TPoints height{TTwips(page_.height)};
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / width.Value(), target.height() / height.Value());
    DrawFloatingPictures(painter, page, true);
    DrawBody(painter, page);
    areas_->DrawHeader(painter, page, PageCount());
    areas_->DrawNotes(painter, page, NotesOn(pages_[std::size_t(page - 1)]));
    DrawFloatingPictures(painter, page, false);
    if (areas_->HasFooters()) {
        areas_->DrawFooter(painter, page, PageCount());
    } else {
        // The system's footer is placed in twips.
        const double pointsPerTwip = TPoints(TTwips(1)).Value();
        painter.scale(pointsPerTwip, pointsPerTwip);
        DrawPageFooter(painter, footer, page_, page, doc_->defaultFont().family());
    }
    painter.restore();
}

// The body is the one area drawn from the document's coordinates: its page's slice.
void TPageLayout::DrawBody(QPainter& painter, int page) const {
    const TPageSpan& span = pages_[std::size_t(page - 1)];
    const TPoints left{TTwips(page_.marginLeft)};
    const TPoints top = areas_->BodyTop(page);
    painter.save();
    painter.translate(left.Value(), top.Value());
    KeepLongBlocksShaped(span);
    for (const TColumnSlice& slice : BodySlices(page)) {
        const double height = slice.bottom - slice.top;
        if (height <= 0) continue; // an empty clip would draw the whole text
        painter.save();
        // A table row starting the slice keeps its top border, drawn across its edge.
        const double reach = TableBorderReachAbove(*doc_, slice.top);
        painter.setClipRect(QRectF(slice.clipLeft, slice.y - reach,
                                   slice.clipRight - slice.clipLeft, height + reach),
                            Qt::IntersectClip);
        painter.translate(slice.x, slice.y - slice.top);
        QAbstractTextDocumentLayout::PaintContext context;
        // The layout draws every paragraph that meets its clip, even one that only
        // touches it; in a PDF the painter's clip hides such a paragraph but its text
        // stays, and reads as part of the page. A little inside the slice it draws
        // only the paragraphs it shows.
        const double inset = std::min(1.0, height / 4);
        context.clip = QRectF(slice.clipLeft - slice.x, slice.top + inset,
                              slice.clipRight - slice.clipLeft, height - 2 * inset);
        context.palette.setColor(QPalette::Text, Qt::black);
        QAbstractTextDocumentLayout::PaintContext text = context;
        text.clip.setTop(std::max(context.clip.top(), DrawingClipTop(*doc_, slice.top)));
        doc_->documentLayout()->draw(&painter, text);
        DrawParagraphBorderBoxes(painter, borderBoxes_, context.clip, formatScale_);
        DrawTabLeaders(painter, tabLeaders_, context.clip);
        painter.restore();
    }
    if (!columnPages_.empty()) DrawColumnRules(painter, columnPages_[std::size_t(page - 1)]);
    painter.restore();
}

// A note belongs to the line its mark stands on, and takes its room on that line's
// page.
void TPageLayout::FindNoteMarks() {
    noteMarks_.clear();
    if (areas_->NoteCount() == 0) return;
    const QAbstractTextDocumentLayout& layout = *doc_->documentLayout();
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int note = fragment.charFormat().intProperty(RtfProperty::NoteMark) - 1;
            if (note < 0 || note >= areas_->NoteCount()) continue;
            double y = layout.blockBoundingRect(b).top();
            if (const QTextLayout* text = b.layout()) {
                const QTextLine line = text->lineForTextPosition(
                    fragment.position() + fragment.length() - 1 - b.position());
                if (line.isValid()) y += line.y() + std::min(line.height() / 2, 1.0);
            }
            noteMarks_.emplace_back(y, note);
        }
    }
    std::sort(noteMarks_.begin(), noteMarks_.end());
}

void TPageLayout::ReserveNoteRoom(std::vector<TFlowUnit>& units) const {
    if (units.empty()) return;
    for (const auto& [y, note] : noteMarks_) {
        auto after = std::upper_bound(units.begin(), units.end(), y,
                                      [](double v, const TFlowUnit& u) { return v < u.top; });
        if (after != units.begin()) --after;
        after->noteRoom += areas_->NoteHeight(note).Value();
    }
}

std::vector<int> TPageLayout::NotesOn(const TPageSpan& span) const {
    std::vector<int> notes;
    for (const auto& [y, note] : noteMarks_)
        if (y >= span.top && y < span.bottom) notes.push_back(note);
    return notes;
}

// A floating picture goes on the page and in the column of its anchor's line, placed
// from where its paragraph and that column stand on the page.
void TPageLayout::PlaceFloatingPictures(std::vector<TFloatingPicture> pictures) {
    TFloatReferences at = areas_->PaperReferences();
    for (const TFloatingPicture& picture : pictures) {
        const std::optional<TAnchorPlace> place = AnchorPlace(*doc_, picture.position);
        if (!place) continue;
        const int page = PageAt(place->lineTop);
        const std::vector<TColumnSlice> slices = BodySlices(page);
        TColumnSlice slice = slices.front();
        for (const TColumnSlice& s : slices)
            if (place->lineTop >= s.top && place->lineTop < s.bottom) slice = s;
        const QPointF offset(at.marginLeft + slice.x,
                             areas_->BodyTop(page).Value() + slice.y - slice.top);
        at.columnLeft = offset.x();
        at.anchor = place->anchor + offset;
        at.lineTop = place->lineTop + offset.y();
        floating_.push_back(
            {page, PlaceFloatingPicture(picture, at), picture.image, picture.behind});
    }
    std::stable_sort(
        floating_.begin(), floating_.end(),
        [](const TPlacedPicture& a, const TPlacedPicture& b) { return a.page < b.page; });
}

void TPageLayout::DrawFloatingPictures(QPainter& painter, int page, bool behind) const {
    auto it = std::lower_bound(floating_.begin(), floating_.end(), page,
                               [](const TPlacedPicture& p, int n) { return p.page < n; });
    for (; it != floating_.end() && it->page == page; ++it)
        if (it->behind == behind) DrawFloatingPicture(painter, *doc_, it->image, it->rect);
}
