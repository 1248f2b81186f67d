#pragma once

#include "output/rtf/rtf_text_areas.h"

#include <QByteArray>
#include <QString>
#include <QTextFormat>

// What an RTF file carries beyond the body text that QTextDocument has no place for.
struct TRtfFooter {
    bool present = false;
    // The footer paragraph's text; a live page number stands where
    // `pageNumberAt` says (-1: none), after a tab when the system writes it.
    QString text;
    int pageNumberAt = -1;
    double pointSize = 9.0;
    bool italic = true;
};

// The page the text is laid out on, in twips: by default the system's page of
// 8.25 x 11.7 inches with one-inch margins and the footer 720 twips above the
// bottom edge.
struct TRtfPage {
    int width = 11880;
    int height = 16848;
    int marginLeft = 1440;
    int marginRight = 1440;
    int marginTop = 1440;
    int marginBottom = 1440;
    int footerDistance = 720;
    int headerDistance = 720;
};

// The page an RTF file is laid out on when it names no paper: US Letter with
// one-inch margins, as word processors take it.
constexpr TRtfPage kRtfLetterPage{12240, 15840, 1440, 1440, 1440, 1440, 720, 720};

struct TRtfExtras {
    TRtfFooter footer;
    TRtfPage page;
    // The paper and margins the file itself asks for, with the first section's
    // own values over the document's. `page` keeps the system's page where the
    // file says nothing; this one falls back to kRtfLetterPage.
    TRtfPage documentPage = kRtfLetterPage;
    // Headers, footers and footnotes as the file gives them. A file's own footer is
    // also read into `footer` as before; where the page has a footer here, this
    // one prints.
    TRtfAreas areas;
};

// Properties the reader sets on QTextDocument formats and the writer reads back.
namespace RtfProperty {
enum : int {
    // QTextBlockFormat, bool: a box around the paragraph (the title texts' border).
    ParagraphBorder = QTextFormat::UserProperty + 1,
    // QTextBlockFormat, bool: keep the paragraph's lines on one page.
    KeepTogether,
    // QTextBlockFormat, bool: keep the paragraph on the page of the next one.
    KeepWithNext,
    // QTextCharFormat, bool: hidden text (kept, not shown).
    Hidden,
    // QTextCharFormat, int: the original RTF font family class, when known.
    FontFamilyClass,
    // QTextBlockFormat, QList<int>: the leader of each tab stop, in the order of
    // tabPositions() (a TRtfTabLeader value; missing entries mean none).
    TabLeaders,
    // QTextCharFormat, int: an underline QTextCharFormat has no style for (a
    // TRtfUnderlineKind value); the format's own underline style stays set to the
    // nearest one Qt draws.
    UnderlineKind,
    // QTextImageFormat, QByteArray: the picture's bytes as the file held them. The
    // writer writes them back unchanged (instead of the decoded image), so that a
    // picture Qt cannot draw, such as a metafile shown as an empty frame, survives
    // being read and written again.
    PictureData,
    // QTextImageFormat, QString: the RTF word naming the kind of PictureData:
    // "pngblip", "jpegblip", "emfblip", "wmetafile8", "dibitmap0" or "wbitmap0".
    PictureType,
    // QTextImageFormat, QSize: \picw and \pich as the file gave them for PictureData.
    PictureExtent,
    // QTextBlockFormat, int: the paragraph starts a section (a TRtfSectionBreak
    // value: how it starts). Set where the file starts a section with \sect, and on
    // the first paragraph when the first section has columns; the section's other
    // values stand beside it.
    SectionBreak,
    // QTextBlockFormat, int: the section's number of columns (\cols).
    SectionColumns,
    // QTextBlockFormat, int: the space between columns in twips (\colsx).
    SectionColumnGap,
    // QTextBlockFormat, QList<int>: columns of their own widths (\colno, \colw,
    // \colsr): width and space to its right in twips, column after column.
    SectionColumnWidths,
    // QTextBlockFormat, bool: a rule between the section's columns (\linebetcol).
    SectionLineBetween,
    // QTextBlockFormat, bool: the paragraph starts a new column (\column).
    ColumnBreakBefore,
    // QTextListFormat, QString: the marker as a template, the level's number standing
    // as a character U+0000..U+0008 for the level it counts (a bullet is a template
    // without one). Missing: the list's style, prefix and suffix make the marker.
    ListLevelText,
    // QTextListFormat, int: the number the list's first item takes (1 if missing).
    ListStart,
    // QTextListFormat, int: the list a level belongs to (\lsN), and the level (\ilvlN);
    // the lists of one id make one multi-level list.
    ListId,
    ListLevel,
    // QTextListFormat, int: what follows the marker: 0 a tab, 1 a blank, 2 nothing.
    ListFollow,
    // QTextBlockFormat, double: a list paragraph's first-line indent (\fi), in which
    // its marker hangs. The format's own text indent stays 0, so that the screen
    // draws the marker before the text.
    ListTextIndent,
    // QTextTableFormat, QList<int>: each row's \trrh in twips (>0 at least, <0
    // exactly, 0 as the text needs); missing entries mean 0.
    RowHeights,
    // QTextBlockFormat, bool: neither the first nor the last line of the paragraph
    // alone on a page (\widctlpar, or the document's \widowctrl).
    WidowControl,
    // QTextCharFormat, int: the run is the shown value of a live field (a
    // TRtfPageField value), replaced by the printed page's number when drawn.
    PageField,
    // QTextCharFormat, int: the run ends with the mark of a footnote: the 1-based
    // index of the note in TRtfAreas::notes.
    NoteMark,
    // QTextCharFormat, bool: the run is a footnote's number (\chftn), written
    // back as the number word rather than as text.
    NoteNumber,
    // QTextImageFormat, QRect: the picture floats in front of the text, taking no
    // room in it (a shape with \shpwr3): its offset from its reference and its size,
    // in twips. FloatingAcross and FloatingDown (ints) name the references, a
    // TRtfFloatAcross and a TRtfFloatDown value.
    FloatingBox,
    FloatingAcross,
    FloatingDown,
    // QTextImageFormat, bool: a floating picture behind the text (\shpfblwtxt1).
    FloatingBehind,
};
}

// What a floating shape's position is measured from, across and down; the values
// are those of the shape properties posrelh and posrelv.
enum class TRtfFloatAcross : int { Margin = 0, Page, Column, Character };
enum class TRtfFloatDown : int { Margin = 0, Page, Paragraph, Line };

// How a section starts (\sbkpage, \sbknone, \sbkcol, \sbkeven, \sbkodd).
enum class TRtfSectionBreak : int { Page = 0, None, Column, Even, Odd };

// Live fields of headers and footers (PAGE and \chpgn, NUMPAGES).
enum class TRtfPageField : int { None = 0, Page, PageCount };

// Leaders of tab stops (\tldot, \tlhyph, \tlul, \tlth, \tleq).
enum class TRtfTabLeader : int { None = 0, Dot, Hyphen, Underline, ThickLine, Equal };

// Underlines beyond Qt's own styles (\uldb, \ulw, \ulth).
enum class TRtfUnderlineKind : int { Double = 1, Words, Thick };
