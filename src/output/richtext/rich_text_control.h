#pragma once

#include "output/rtf/rtf_types.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <memory>

class QFont;
class QPainter;
class QRectF;
class QTextBlockFormat;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class TPageLayout;
class TRichTextEdit;

// The rich-text control: shows and edits one rich text, moves it in and out as
// RTF, paginates it on the system's page and prints its pages onto any painter.
// The text editor, the viewer and printing each hold one.
//
// Positions. Every text position of the underlying QTextDocument is one position
// here and one character of PlainText(): a paragraph end reads as exactly one '\n'
// (so an end mark paragraph reads as "-\n"); the boundaries between table cells and
// the start and end of a table each read as '\n' too; a line break within a
// paragraph reads as '\v', a picture as U+FFFC. Positions run from 0 to
// EndPosition(), the position after the last character.
//
// Character-format values: -1 (or 1) means on, 0 off; reading gives -1 when the
// whole selection has the attribute, 0 otherwise.
class TRichTextControl : public QWidget {
    Q_OBJECT
public:
    explicit TRichTextControl(QWidget* parent = nullptr);
    ~TRichTextControl() override;

    // --- Content ---------------------------------------------------------------
    // Empties the text and drops the footer.
    void Clear();
    // Inserts an RTF text at the selection, replacing the selected text; in an
    // empty control it becomes the whole content. The input position ends up after
    // the inserted text. A footer the RTF carries is taken when the control has
    // none yet.
    void LoadRtf(const QByteArray& rtf);
    // The whole content, footer included, as one RTF text in code page 1252.
    QByteArray GetRtf() const;
    // Writes GetRtf() to a file; false (and the reason in `error`) when it cannot.
    bool SaveToFile(const QString& path, QString* error = nullptr) const;
    bool IsEmpty() const;
    QString PlainText() const;
    int EndPosition() const;

    // --- Selection -------------------------------------------------------------
    // Setting the start collapses the selection there; a negative start, or one
    // past the end, moves to the end, and reading it back gives that position.
    int SelStart() const;
    void SetSelStart(int position);
    // Extends the selection from its start; -1 (any negative) selects to the end.
    int SelLength() const;
    void SetSelLength(int length);
    // The selected text read as PlainText() reads it.
    QString SelText() const;
    // Replaces the selection: inserts when it is empty, deletes when `text` is.
    // '\n' ends a paragraph; '\f' ends one too and starts the next on a new page;
    // '\v' is a line break. The input position ends up after the new text.
    void SetSelText(const QString& text);
    // The first position at or after `from` where `text` occurs, or -1. No message.
    int Find(const QString& text, int from, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // --- Character format of the selection (or of the text typed next) ----------
    int FontBold() const;
    void SetFontBold(int value);
    int FontItalic() const;
    void SetFontItalic(int value);
    // Points; 0 when the selection mixes sizes.
    double FontSize() const;
    void SetFontSize(double points);
    void ApplyFont(const QFont& font);
    // The font dialog for the selection (also opened by F2).
    void OpenFontDialog();
    int FontUnderline() const;
    void SetFontUnderline(int value);
    // Raised, lowered or on the line; reading gives Normal when the selection mixes.
    enum class TScript { Normal, Super, Sub };
    TScript Script() const;
    void SetScript(TScript script);

    // --- Editing through the system clipboard ------------------------------------
    void Cut();
    void Copy();
    void Paste();
    // Inserts a PNG or JPEG file at the selection, scaled down to the text width when
    // wider. Its bytes are kept as they are, so that the RTF carries the file itself.
    // False (and the reason in `error`) when the file cannot be read or is neither.
    bool InsertPicture(const QString& path, QString* error = nullptr);

    // --- Paragraph format of the input paragraph (every paragraph of the selection)
    double SpaceBefore() const; // points
    void SetSpaceBefore(double points);
    double SpaceAfter() const;
    void SetSpaceAfter(double points);
    // Percent of single spacing; 0 or 100 set single spacing. An exact or minimum
    // line height reads as 0.
    int LineSpacing() const;
    void SetLineSpacing(int percent);
    // Left, centre or right (Qt::AlignLeft, AlignHCenter, AlignRight); justified
    // paragraphs read as left.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);
    // Points from the left and right margins, and of the first line beyond the left.
    double LeftIndent() const;
    void SetIndents(double left, double firstLine, double right);
    // A page break before the paragraph holding `position`.
    void SetPageBreakBefore(int position, bool on = true);
    // Keeps the paragraphs from the one holding `from` to the one holding `to` on
    // one page: each is kept together and kept with the next, except that the last
    // is not tied to what follows. A range longer than a page starts a fresh page.
    void KeepOnOnePage(int from, int to);

    // --- Footer on every page ----------------------------------------------------
    const TRtfFooter& Footer() const { return extras_.footer; }
    // The headers, footers and footnotes the loaded texts brought.
    const TRtfAreas& Areas() const { return extras_.areas; }
    void SetFooter(const TRtfFooter& footer);
    // The system's footer: the organisation name, a tab and the page number, in
    // 9-point italic.
    void SetStandardFooter(const QString& organisation);
    void RemoveFooter();

    // --- Pages (counted from 1) --------------------------------------------------
    // The page: 8.25 x 11.7 inches, one-inch margins, footer 0.5 inch from the foot.
    const TRtfPage& Page() const { return extras_.page; }
    // The paper and margins the last RTF loaded into an empty control asks for
    // (US Letter with one-inch margins when it names none). The control keeps its
    // own page unless told to take this one with SetPage.
    const TRtfPage& DocumentPage() const { return documentPage_; }
    void SetPage(const TRtfPage& page);
    // Page size in inches, for callers sizing a preview image or a printer page.
    QSizeF PageSizeInches() const;
    int PageCount() const;
    int PageOfPosition(int position) const;
    // The page of the input position (SelStart).
    int InputPage() const;
    // Draws page `page` with its footer scaled into `target`, the whole page's
    // rectangle in the painter's coordinates (a printer's paper rectangle, a
    // preview image's rectangle). The caller clears the background.
    void PrintPage(QPainter& painter, int page, const QRectF& target) const;

    // --- View ----------------------------------------------------------------------
    void ScrollToTop();
    void SetReadOnly(bool readOnly);
    QTextDocument& Document();
    const QTextDocument& Document() const;
    TRichTextEdit& Editor() { return *editor_; }

signals:
    // The input position moved or the format to type with changed: a tool bar reads
    // the format at the cursor again.
    void FormatChanged();

protected:
    // F2 sent to the control itself (not only to its editor) opens the font dialog too.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextCursor Cursor() const;
    void SetCursor(const QTextCursor& cursor);
    void MergeCharFormat(const QTextCharFormat& format);
    void MergeBlockFormat(const QTextBlockFormat& format);
    const TPageLayout& Pages() const;
    const QString& CachedPlainText() const;
    void ContentChanged();
    void TakeAreas(TRtfAreas&& loaded, bool replacing, int from, int to);
    void DropFileFooters();

    TRichTextEdit* editor_; // a child widget, owned by this widget
    TRtfExtras extras_;
    TRtfPage documentPage_ = kRtfLetterPage;
    mutable std::unique_ptr<TPageLayout> pages_;
    mutable QString plainText_;
    mutable bool plainTextValid_ = false;
};
