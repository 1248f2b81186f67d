#pragma once

#include "output/richtext/floating_pictures.h"
#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_units.h"

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QTextDocument;

// Readies a copy of a text for the page layout: tab stops fitted to `width` (in
// points), indents scaled to the layout's device, no document margin, laid out at
// `width`. `formatScale` is the layout's length per format unit.
void PrepareTextForLayout(QTextDocument& doc, QPaintDevice& device, double formatScale,
                          TPoints width);

// Puts the numbers of the printed page into the live fields (PAGE, NUMPAGES) of a
// header's or footer's text. Returns whether the text has any.
bool FillPageFields(QTextDocument& doc, int page, int pageCount);

// The parts of a page besides the body: its header, footer and footnotes, each laid
// out at the body's width and drawn with the painter's origin at the area's top left
// corner (page-local coordinates, in points). A header taller than the top margin
// pushes the body down, a footer taller than the bottom margin pushes it up.
class TPageAreas {
public:
    TPageAreas(const TRtfAreas& areas, const TRtfPage& page, QPaintDevice& device,
               double formatScale);
    ~TPageAreas();
    TPageAreas(const TPageAreas&) = delete;
    TPageAreas& operator=(const TPageAreas&) = delete;

    // The body of the page: its top edge and its height, before footnotes take
    // their share, in points from the page's top edge.
    TPoints BodyTop(int page) const;
    TPoints BodyHeight(int page) const;

    // Whether the text gives its own footers: then a page without one of them
    // (a title page) has none.
    bool HasFooters() const { return hasFooters_; }
    int NoteCount() const { return int(notes_.size()); }
    // The room a note takes at the foot of the body, and the room the rule above
    // the notes takes once per page.
    TPoints NoteHeight(int note) const;
    static TPoints NoteRuleRoom();

    // The painter is in page coordinates of one unit per point.
    void DrawHeader(QPainter& painter, int page, int pageCount) const;
    void DrawFooter(QPainter& painter, int page, int pageCount) const;
    // The notes (0-based) of the page, stacked up from the foot of the body.
    void DrawNotes(QPainter& painter, int page, const std::vector<int>& notes) const;

    // The paper and margins, as floating pictures are placed from them.
    TFloatReferences PaperReferences() const;

private:
    struct TArea {
        std::unique_ptr<QTextDocument> source;  // as read, for filling in the fields
        std::unique_ptr<QTextDocument> laidOut; // with the fields of page 1
        bool hasFields = false;
        TPoints height;
        std::vector<TFloatingPicture> floating; // of laidOut
    };
    enum TKind { kFirst, kLeft, kRight, kKinds };
    TKind KindOf(int page) const;
    const TArea* Header(int page) const;
    const TArea* Footer(int page) const;
    void DrawArea(QPainter& painter, const TArea& area, TPoints x, TPoints y, int page,
                  int pageCount) const;
    std::unique_ptr<TArea> Prepare(const QTextDocument& source) const;

    TRtfPage page_;
    bool titlePage_ = false;
    bool hasFooters_ = false;
    QPaintDevice& device_;
    double formatScale_;
    // Headers and footers by kind of page; null where the page has none.
    std::vector<std::unique_ptr<TArea>> headers_, footers_;
    std::vector<std::unique_ptr<TArea>> notes_;
};
