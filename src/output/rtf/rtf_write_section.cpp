#include "output/rtf/rtf_write_section.h"

#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_write_output.h"

#include <QList>
#include <QTextBlock>
#include <QTextFormat>

namespace {
const char* BreakWord(TRtfSectionBreak start) {
    switch (start) {
    case TRtfSectionBreak::None:
        return "sbknone";
    case TRtfSectionBreak::Column:
        return "sbkcol";
    case TRtfSectionBreak::Even:
        return "sbkeven";
    case TRtfSectionBreak::Odd:
        return "sbkodd";
    case TRtfSectionBreak::Page:
        break;
    }
    return "sbkpage";
}
} // namespace

bool StartsSection(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().hasProperty(RtfProperty::SectionBreak);
}

bool WriteSectionStart(TRtfSink& sink, const QTextBlockFormat& format, bool first, bool ended,
                       int footerDistance) {
    if (!format.hasProperty(RtfProperty::SectionBreak)) return false;
    const auto start = TRtfSectionBreak(format.intProperty(RtfProperty::SectionBreak));
    if (!first) {
        if (!ended) sink.Word("sect");
        sink.Word("sectd");
        sink.Word("footery", footerDistance);
    }
    sink.Word(BreakWord(start));
    const int columns = format.hasProperty(RtfProperty::SectionColumns)
                            ? format.intProperty(RtfProperty::SectionColumns)
                            : 1;
    if (columns > 1) {
        sink.Word("cols", columns);
        if (format.hasProperty(RtfProperty::SectionColumnGap))
            sink.Word("colsx", format.intProperty(RtfProperty::SectionColumnGap));
    }
    if (format.boolProperty(RtfProperty::SectionLineBetween)) sink.Word("linebetcol");
    const auto widths = format.property(RtfProperty::SectionColumnWidths).value<QList<int>>();
    for (qsizetype i = 0; i + 1 < widths.size(); i += 2) {
        sink.Word("colno", i / 2 + 1);
        sink.Word("colsr", widths[i + 1]);
        sink.Word("colw", widths[i]);
    }
    sink.LineBreak();
    const bool breaksPage = start == TRtfSectionBreak::Page || start == TRtfSectionBreak::Even ||
                            start == TRtfSectionBreak::Odd;
    return breaksPage && !first;
}

void WriteColumnBreak(TRtfSink& sink, const QTextBlockFormat& format) {
    if (format.boolProperty(RtfProperty::ColumnBreakBefore)) sink.Word("column");
}
