#pragma once

#include "output/rtf/rtf_read_builder.h"
#include "output/rtf/rtf_read_codepage.h"
#include "output/rtf/rtf_read_lists.h"
#include "output/rtf/rtf_read_picture.h"
#include "output/rtf/rtf_read_state.h"
#include "output/rtf/rtf_read_tokenizer.h"
#include "output/rtf/rtf_read_words.h"
#include "output/rtf/rtf_types.h"

#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where the text of a group goes.
enum class TRtfDest : std::uint8_t {
    Body,         // the document (or a table cell)
    Footer,       // TRtfExtras::footer
    Container,    // text ignored, but pictures and result groups inside are read
    ShapeName,    // a shape property's name (\sn)
    ShapePicture, // the value of a shape's picture property: its \pict is shown
    ShapeValue,   // the value of another shape property
    FontTable,    // font entries and their names
    FontAlt,      // a font's alternative name
    ColorTable,   // \red \green \blue ;
    StyleSheet,   // style entries; their names are ignored
    FieldInst,    // a field's instruction
    Picture,      // hex or binary picture data
    NestProps,    // a nested table's row properties: only \nestrow counts
    // The list destinations come last (HandleListWord takes them by order).
    ListTable,         // \listtable: its \list entries
    ListDef,           // one \list: its levels and \listid
    ListLevel,         // one \listlevel
    ListLevelText,     // a level's \leveltext
    ListOverrideTable, // \listoverridetable: its \listoverride entries
    ListOverride,      // one \listoverride: \listid and \ls
    OldList,           // a \pn description of old-style numbering
    OldListText,       // its \pntxtb or \pntxta
};

// Reads one RTF text into a QTextDocument through a cursor. One object per text:
// the state stack, the tables of the file and the run being built live here, on
// the heap, so that neither deep nesting nor size can exhaust the C++ stack.
class TRtfParser {
public:
    TRtfParser(QTextCursor& cursor, bool replacing);
    TRtfExtras Parse(std::string_view rtf);

private:
    struct TGroup {
        TRtfCharState chr;
        TRtfParaState para;
        TRtfDest dest = TRtfDest::Body;
        TRtfDest textDest = TRtfDest::Body; // where result and text-box groups inside go
        int uc = 1;                         // bytes of fallback after \uN
        int field = -1; // the field whose instruction or result this group holds
        int style = -1; // the style this stylesheet entry defines
        bool ownsDest = false;
        bool ownsField = false;
        bool ownsTextBox = false;  // the group is the \shptxt of a text box
        bool ownsListText = false; // a \listtext or \pntext group
    };
    struct TFont {
        QString decodedName; // the name up to the last \uN
        QByteArray name;     // the bytes of the name since then
        QByteArray altName;
        int charset = -1;
        int codePage = 0; // \cpgN, 0: from the charset
        int familyClass = 0;
        QStringList families; // resolved when the entry ends
        int resolvedCodePage = RtfCodePage::Ansi;
    };
    // A style as the formatting words of its entry, applied by replaying them, so
    // that it changes only what it sets and inherits the rest from \sbasedon.
    struct TStyleWord {
        TRtfWord word;
        bool hasParam;
        int param;
    };
    struct TStyle {
        std::vector<TStyleWord> words;
        int basedOn = -1;
    };
    enum class TFieldKind { Other, Hyperlink, Page, PageCount, Symbol };
    struct TField {
        QString instruction;
        TFieldKind kind = TFieldKind::Other;
        QString href;
        char32_t symbol = 0;
        qint64 emittedAtStart = 0;
        bool resultSeen = false;
    };
    enum class TBorderTarget { None, Paragraph, Cell, Row };

    // Token handling (rtf_read_parser.cpp).
    void PushGroup();
    void PopGroup();
    void EndGroup(const TGroup& closed);
    void EnterDestination(TRtfDest dest);
    void SkipDestination();
    void HandleText(std::string_view bytes);
    void HandleHexByte(unsigned char byte);
    void HandleSymbol(char symbol);
    void HandleBinary(std::string_view bytes);

    // Text output.
    void AppendBytes(std::string_view bytes);
    void AppendUnicode(char32_t cp);
    void AppendUnicodeText(QStringView text);
    void PrepareRun();
    void FlushBytes();
    void CloseRun();
    void AppendImage(const QTextImageFormat& format);
    void EndParagraph(bool terminated);
    // The paragraph that a cell end closes, with its formats.
    TRtfParagraph TakeCellParagraph();
    void EndCell();
    void EndNestedCell();
    void EndRow();
    void Finish();

    // Control words (rtf_read_parser_words.cpp).
    void HandleWord(const TRtfToken& token);
    bool HandleDestinationWord(TRtfWord word);
    bool HandleCharWord(TRtfWord word, bool hasParam, int param);
    bool HandleParaWord(TRtfWord word, bool hasParam, int param);
    bool HandleTableWord(TRtfWord word, bool hasParam, int param);
    bool HandleSpecialWord(TRtfWord word, bool hasParam, int param);
    // Sections and columns (rtf_read_sections.cpp).
    bool HandleSectionWord(TRtfWord word, bool hasParam, int param);
    void MarkBreaks(QTextBlockFormat& format);
    void HandleTableEntryWord(TRtfWord word, bool hasParam, int param);
    TRtfBorder* BorderTarget();
    void SetBorderLine(bool line);
    void SetPageValue(TRtfWord word, int twips);
    void SetSectionPageValue(TRtfWord word, int twips);
    void RecordStyleWord(TRtfWord word, bool hasParam, int param);
    void ApplyStyle(int key, int depth = 0);

    // Lists (rtf_read_lists.cpp).
    bool HandleListDestination(TRtfWord word);
    bool HandleListWord(TRtfWord word, bool hasParam, int param);
    void AppendListText(std::string_view bytes);
    QString DecodeListBytes(const std::vector<char32_t>& text, int font);
    void EndListGroup(const TGroup& closed);
    void EndListText();
    // The list a paragraph is in; a paragraph that sets no indents of its own takes
    // its level's into `indents`.
    TRtfParaList ListOf(const TRtfParaState& para, TRtfParaState& indents);
    void PlaceInList(TRtfParagraph& p, const TRtfParaState& para);

    // Fonts, colours, styles and formats (rtf_read_formats.cpp).
    void BeginFont(int index);
    void EndFont();
    int FontNamePage(const TFont& font) const;
    void AppendFontNameUnicode(char32_t cp);
    void EndColor();
    const TFont* FontAt(int index) const;
    int CodePageOf(const TRtfCharState& chr) const;
    QColor ColorAt(int index) const;
    QTextCharFormat CharFormat(const TRtfCharState& chr);
    QTextBlockFormat BlockFormat(const TRtfParaState& para) const;

    // Fields, footers, pictures (rtf_read_fields.cpp).
    void BeginField();
    void BeginFieldResult();
    void EndField(const TGroup& closed);
    void EndPicture();
    void BeginFooter(bool primary, TRtfAreaPages pages);
    void FooterPageNumber();

    // Headers, footers, footnotes and their fields (rtf_read_areas.cpp).
    void Run(std::string_view rtf, const TGroup& start, std::size_t outerGroups);
    TRtfText ReadText(std::string_view inner, const TGroup& start, int noteNumber);
    std::optional<TRtfText> ReadGroupAsText(int noteNumber);
    void ReadArea(std::vector<TRtfArea>& into, TRtfAreaPages pages);
    void ReadNote();
    void EndFooterText();
    void AppendPageField(TRtfPageField field);
    void AppendNoteNumber();

    // Shapes and text boxes (rtf_read_parser_shapes.cpp).
    void BeginShape();
    void SetShapeEdge(TRtfWord word, int twips);
    void ShapeValueText(std::string_view bytes);
    // Sizes a shape's picture to the shape, and floats it when no text wraps around it.
    void ShapePictureFormat(QTextImageFormat& image) const;
    void BeginTextBox();
    void EndTextBox(const TGroup& closed);

    TGroup& Top() { return stack_.back(); }
    bool InBodyText() const;
    bool HiddenInFooter() const;

    QTextCursor& cursor_;
    QTextDocument& doc_;
    std::unique_ptr<TRtfTokenizer> tokenizer_;
    TRtfDocBuilder builder_;
    TRtfTextDecoder decoder_;
    TRtfExtras extras_;

    std::vector<TGroup> stack_;
    // The outermost group as it was when it closed: the format of the text that
    // ends the file without a paragraph mark.
    std::unique_ptr<TGroup> closedRoot_;
    std::size_t excessDepth_ = 0; // groups past the nesting limit, counted only
    bool starred_ = false;        // the group began with \*
    int skipBytes_ = 0;           // fallback still to skip after \uN

    int ansiCodePage_ = RtfCodePage::Ansi;
    int defaultFont_ = -1;
    QHash<int, TFont> fonts_;
    int currentFont_ = -1;
    std::size_t fontDepth_ = 0; // stack depth of the group the current font entry began in
    std::vector<QColor> colors_;
    int red_ = -1, green_ = -1, blue_ = -1;
    QHash<int, TStyle> styles_;
    TStyle styleEntry_; // the stylesheet entry being read
    std::vector<TField> fields_;
    std::vector<QString> links_;
    std::unique_ptr<TRtfReadPicture> picture_;
    qint64 pixelBudget_ = kRtfMaxTextPixels;

    QHash<int, TRtfListDef> listDefs_;  // by \listid
    QHash<int, int> listOverrides_;     // \ls number -> \listid
    std::vector<TRtfOldList> oldLists_; // distinct \pn descriptions
    TRtfListDef listDef_;               // the entries being read
    TRtfListLevel listLevel_;
    int overrideList_ = 0, overrideNumber_ = 0;
    TRtfOldList oldList_;
    bool oldListAfter_ = false;
    // The runs of the paragraph's \listtext, dropped when the paragraph is in a list.
    int listTextFrom_ = -1, listTextTo_ = -1;

    TRtfRowDef rowDef_;
    TRtfRowDef outerRowDef_; // kept while a nested row's definition is read
    TBorderTarget borderTarget_ = TBorderTarget::None;
    int borderSide_ = 0;

    // The paragraph and run being built.
    TRtfParagraph paragraph_;
    TRtfCharState runState_;
    TRtfDest runDest_ = TRtfDest::Body;
    bool runOpen_ = false;
    QString runText_;
    std::string pendingBytes_;
    int pendingCodePage_ = RtfCodePage::Ansi;
    qint64 emitted_ = 0; // characters put into the body so far
    bool pageBreakPending_ = false;
    bool sectionBreakPending_ = false;
    bool sectionBreaksPage_ = true;
    bool firstSectionEnded_ = false;
    TRtfSectionState section_;
    bool sectionStartPending_ = true; // the next paragraph begins a section
    bool columnBreakPending_ = false;
    // Section values of the first section, applied over the document's at the end.
    TRtfPage sectionPage_;
    std::uint8_t sectionPageSet_ = 0; // a bit per TRtfPage field given
    bool nestedCellPending_ = false;
    bool shapeHadContent_ = false;
    QByteArray shapePropertyName_; // the last \sn of the shape being read
    int shapeRect_[4] = {};        // \shpleft, \shptop, \shpright, \shpbottom
    bool shapeLine_ = true;        // the shape's fLine property
    int shapeWrap_ = 0;            // \shpwr: how text wraps around the shape
    bool shapeBehind_ = false;     // \shpfblwtxt1: behind the text
    TRtfFloatAcross shapeAcross_ = TRtfFloatAcross::Column; // \shpbx*, posrelh
    TRtfFloatDown shapeDown_ = TRtfFloatDown::Paragraph;    // \shpby*, posrelv
    bool textBoxOpen_ = false;
    TRtfParagraph textBoxAnchor_; // the anchor paragraph's text before the box
    bool footerPrimary_ = false;
    // The footer being read into `footer` is read again as a text of its own from
    // its bytes, which start here, in the state its group began with.
    std::size_t footerStart_ = 0;
    TRtfAreaPages footerPages_ = TRtfAreaPages::All;
    std::unique_ptr<TGroup> footerStartGroup_;
    std::string_view source_;
    int noteNumber_ = 0;       // in a footnote's own text: the note's number
    int areaDepth_ = 0;        // 1 in a text of its own: it holds no further ones
    int numberedNotes_ = 0;    // notes numbered so far
    qint64 noteNumberAt_ = -1; // emitted_ just after the last \chftn of the body
    int defaultTab_ = 720;
    bool widowControl_ = false; // \widowctrl: widow control where a paragraph does not say
    bool replacing_ = false;

    // One-entry cache: runs mostly repeat the previous run's format.
    TRtfCharState cachedState_;
    QTextCharFormat cachedFormat_;
    bool cacheValid_ = false;
};
