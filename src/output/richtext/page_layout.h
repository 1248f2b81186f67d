#pragma once

#include "output/richtext/floating_pictures.h"
#include "output/richtext/page_flow.h"
#include "output/richtext/print_copy.h"
#include "output/richtext/section_columns.h"
#include "output/richtext/tab_stops.h"
#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_units.h"

#include <QImage>
#include <QRectF>

#include <memory>
#include <vector>

class QPainter;
class QTextDocument;
class QTextLayout;

class TPageAreas;

// The layout's resolution: one unit per point (TPoints). Fixed, so that the same
// text breaks the same way on every device; coarse enough that the text layout's
// fixed-point coordinates, which hang Qt's layout past about 8 million units, hold
// some 12,000 pages (at one unit per twip they held 600).
constexpr double kLayoutUnitsPerInch = TPoints::kPerInch;

// A document cut into pages: a copy of it laid out once at the page's text width,
// at the fixed resolution above, then cut into page slices by the keep and
// page-break rules, each page's body as tall as its header, footer and footnotes
// leave room for. Pages count from 1. The copies are taken at construction; later
// edits of the source need a new layout.
class TPageLayout {
public:
    TPageLayout(const QTextDocument& source, const TRtfPage& page,
                const TRtfAreas& areas = TRtfAreas{});
    ~TPageLayout();
    TPageLayout(const TPageLayout&) = delete;
    TPageLayout& operator=(const TPageLayout&) = delete;

    int PageCount() const { return int(pages_.size()); }
    // The page a text position of the source lies on (clamped to the text).
    int PageOfPosition(int position) const;
    // Draws the page (header, body, footnotes and footer) scaled into `target`, the
    // whole page's rectangle in the painter's coordinates. `footer` prints where the
    // areas give the page no footer. Pages out of range draw nothing.
    void DrawPage(QPainter& painter, int page, const QRectF& target,
                  const TRtfFooter& footer) const;

    const TRtfPage& Page() const { return page_; }
    const std::vector<TPageSpan>& Spans() const { return pages_; }

private:
    // A paragraph taller than a page, drawn on several pages.
    struct TLongBlock {
        double top = 0;
        double bottom = 0;
        QTextLayout* text = nullptr;
    };
    void KeepLongBlocksShaped(const TPageSpan& span) const;
    // The page whose slice holds document height `y`.
    int PageAt(double y) const;
    void FindNoteMarks();
    void ReserveNoteRoom(std::vector<TFlowUnit>& units) const;
    std::vector<int> NotesOn(const TPageSpan& span) const;
    void DrawBody(QPainter& painter, int page) const;
    void PlaceFloatingPictures(std::vector<TFloatingPicture> pictures);
    // The pictures in front of the text, or those behind it (drawn before the text).
    void DrawFloatingPictures(QPainter& painter, int page, bool behind) const;
    // The columns a page's body shows; a page of one column is one slice.
    std::vector<TColumnSlice> BodySlices(int page) const;

    TRtfPage page_;
    QImage device_; // the layout's paint device, fixing the resolution
    std::unique_ptr<QTextDocument> doc_;
    TPrintPositions positions_; // of the source in doc_
    double formatScale_ = 1;
    std::vector<QRectF> borderBoxes_; // in document coordinates
    std::vector<TTabLeader> tabLeaders_;
    std::vector<TPageSpan> pages_;
    std::vector<TSectionFlow> sections_; // empty: the text flows in one column
    std::vector<TColumnPage> columnPages_;
    std::vector<TLongBlock> longBlocks_;
    std::unique_ptr<TPageAreas> areas_;
    // Where each footnote's mark stands, in document coordinates, by note.
    std::vector<std::pair<double, int>> noteMarks_;
    struct TPlacedPicture {
        int page = 0;
        QRectF rect; // in page points
        QString image;
        bool behind = false;
    };
    std::vector<TPlacedPicture> floating_;     // by page
    mutable std::vector<QTextLayout*> shaped_; // long blocks keeping their shaping
};
