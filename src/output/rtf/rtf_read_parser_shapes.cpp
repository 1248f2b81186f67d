#include "output/rtf/rtf_read_parser.h"

#include "output/rtf/rtf_units.h"

#include <QRect>

#include <algorithm>

// Text boxes: the text of a shape (\shptxt) printed as a bordered box of the
// shape's width in the flow, before the paragraph the shape is anchored to.

namespace {
// A shape's frame and insets when the file gives none, as word processors take
// them: a 0.75 pt line, 0.1 inch inside left and right, 0.05 inch above and below.
constexpr int kBoxLineTwips = 15;
constexpr int kBoxInsetAcross = 144;
constexpr int kBoxInsetDown = 72;
constexpr int kMinBoxWidth = 720;
} // namespace

void TRtfParser::BeginShape() {
    shapeHadContent_ = false;
    shapeLine_ = true;
    shapeWrap_ = 0;
    shapeBehind_ = false;
    shapeAcross_ = TRtfFloatAcross::Column;
    shapeDown_ = TRtfFloatDown::Paragraph;
    for (int& edge : shapeRect_)
        edge = 0;
}

void TRtfParser::SetShapeEdge(TRtfWord word, int twips) {
    const int side = word == TRtfWord::shpleft    ? 0
                     : word == TRtfWord::shptop   ? 1
                     : word == TRtfWord::shpright ? 2
                                                  : 3;
    shapeRect_[side] = std::clamp(twips, -kRtfMaxDown, kRtfMaxDown);
}

void TRtfParser::ShapeValueText(std::string_view bytes) {
    if (shapePropertyName_ == "fLine" && !bytes.empty() && bytes.front() == '0') shapeLine_ = false;
    // The reference of a shape's position, when its \shpbx and \shpby words leave it
    // to these: one digit each.
    const bool across = shapePropertyName_ == "posrelh";
    if ((across || shapePropertyName_ == "posrelv") && bytes.size() == 1 && bytes[0] >= '0' &&
        bytes[0] <= '3') {
        if (across)
            shapeAcross_ = TRtfFloatAcross(bytes[0] - '0');
        else
            shapeDown_ = TRtfFloatDown(bytes[0] - '0');
    }
}

void TRtfParser::ShapePictureFormat(QTextImageFormat& image) const {
    const int width = shapeRect_[2] - shapeRect_[0];
    const int height = shapeRect_[3] - shapeRect_[1];
    if (width <= 0 || height <= 0) return;
    // The picture fills its shape.
    image.setWidth(TFormatUnits(TTwips(width)).Value());
    image.setHeight(TFormatUnits(TTwips(height)).Value());
    // A shape that no text wraps around takes no room in the flow: it stands in
    // front of the text at its offset from its anchor.
    constexpr int kWrapNone = 3;
    if (shapeWrap_ != kWrapNone) return;
    image.setProperty(RtfProperty::FloatingBox, QRect(shapeRect_[0], shapeRect_[1], width, height));
    image.setProperty(RtfProperty::FloatingAcross, int(shapeAcross_));
    image.setProperty(RtfProperty::FloatingDown, int(shapeDown_));
    if (shapeBehind_) image.setProperty(RtfProperty::FloatingBehind, true);
}

void TRtfParser::BeginTextBox() {
    EnterDestination(Top().textDest);
    // In a table, in the footer or in another box the text stays in the flow.
    if (textBoxOpen_ || Top().dest != TRtfDest::Body || Top().para.tableDepth > 0) return;
    CloseRun();
    builder_.EndTable();
    textBoxAnchor_ = std::move(paragraph_);
    paragraph_ = TRtfParagraph{};
    textBoxOpen_ = true;
    Top().ownsTextBox = true;
}

void TRtfParser::EndTextBox(const TGroup& closed) {
    CloseRun();
    TRtfParagraph last = std::move(paragraph_);
    last.format = BlockFormat(closed.para);
    last.markFormat = CharFormat(closed.chr);
    PlaceInList(last, closed.para);
    textBoxOpen_ = false;

    TRtfRowDef box;
    TRtfCellDef cell;
    // The box's edge, not its text, stands at the anchor's left.
    box.left = kBoxInsetAcross;
    cell.right = box.left + std::clamp(shapeRect_[2] - shapeRect_[0], kMinBoxWidth, kRtfMaxAcross);
    for (TRtfBorder& b : cell.borders)
        b = {kBoxLineTwips, shapeLine_, TRtfBorderStyle::Single, QColor(Qt::black)};
    const int insets[4] = {kBoxInsetDown, kBoxInsetAcross, kBoxInsetDown, kBoxInsetAcross};
    for (int s = 0; s < 4; ++s) {
        box.padding[s] = insets[s];
        box.paddingUnit[s] = 3;
    }
    box.cells.push_back(cell);
    box.height = std::clamp(shapeRect_[3] - shapeRect_[1], 0, kRtfMaxDown);
    // The box's text ends with a paragraph mark; the empty paragraph after it is not text.
    if (!last.IsEmpty() || !builder_.CellHasText()) builder_.EndCell(std::move(last));
    builder_.EndRow(box);
    builder_.EndTable();
    paragraph_ = std::move(textBoxAnchor_);
    textBoxAnchor_ = TRtfParagraph{};
}
