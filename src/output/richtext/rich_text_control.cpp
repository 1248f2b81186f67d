#include "output/richtext/rich_text_control.h"

#include "output/richtext/note_numbers.h"
#include "output/richtext/page_keeping.h"
#include "output/richtext/page_layout.h"
#include "output/richtext/position_text.h"
#include "output/richtext/rich_text_edit.h"
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_writer.h"

#include "output/rtf/rtf_read_picture.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFontDialog>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// Paragraph spacing and indents are given in points and kept in format units.
double FormatToPoints(double units) {
    return TPoints(TFormatUnits(units)).Value();
}
double PointsToFormat(double points) {
    return TFormatUnits(TPoints(points)).Value();
}

QFont DefaultFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(12);
    return font;
}

bool IsBold(const QTextCharFormat& f) {
    return f.fontWeight() >= QFont::DemiBold;
}

// Every character format in the selection; with none selected, the format the next
// typed character gets.
template <typename Visit>
void ForEachSelectedFormat(const QTextCursor& cursor, const QTextCharFormat& typing, Visit visit) {
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    bool any = false;
    if (start < end) {
        for (QTextBlock b = cursor.document()->findBlock(start); b.isValid() && b.position() < end;
             b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.position() >= end || fragment.position() + fragment.length() <= start)
                    continue;
                any = true;
                visit(fragment.charFormat());
            }
        }
    }
    if (!any) visit(typing);
}

// Inserts text, turning the control characters of a position text into structure.
void InsertStructuredText(QTextCursor& cursor, const QString& text) {
    QString run;
    auto flush = [&] {
        if (!run.isEmpty()) cursor.insertText(run);
        run.clear();
    };
    auto newParagraph = [&](bool pageBreak) {
        flush();
        cursor.insertBlock();
        // The new block copies the paragraph's format; a page break belongs only
        // where it was asked for.
        QTextBlockFormat f;
        f.setPageBreakPolicy(pageBreak ? QTextFormat::PageBreak_AlwaysBefore
                                       : QTextFormat::PageBreak_Auto);
        cursor.mergeBlockFormat(f);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator)
            newParagraph(false);
        else if (c == QLatin1Char('\f'))
            newParagraph(true);
        else if (c == QLatin1Char('\v') || c == QChar::LineSeparator)
            run.append(QChar(QChar::LineSeparator));
        else if (c == QLatin1Char('\t') || c.unicode() >= 0x20)
            run.append(c);
    }
    flush();
}
} // namespace

TRichTextControl::TRichTextControl(QWidget* parent)
    : QWidget(parent), editor_(new TRichTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    setFocusProxy(editor_);
    // Set on the editor itself, the font stays the document's default even when
    // the application's font changes.
    editor_->setFont(DefaultFont());
    editor_->document()->setDefaultFont(DefaultFont());
    connect(editor_->document(), &QTextDocument::contentsChanged, this,
            &TRichTextControl::ContentChanged);
    connect(editor_, &TRichTextEdit::FontDialogRequested, this, &TRichTextControl::OpenFontDialog);
    connect(editor_, &QTextEdit::cursorPositionChanged, this, &TRichTextControl::FormatChanged);
    connect(editor_, &QTextEdit::currentCharFormatChanged, this, &TRichTextControl::FormatChanged);
}

TRichTextControl::~TRichTextControl() = default;

QTextDocument& TRichTextControl::Document() {
    return *editor_->document();
}

const QTextDocument& TRichTextControl::Document() const {
    return *editor_->document();
}

QTextCursor TRichTextControl::Cursor() const {
    return editor_->textCursor();
}

void TRichTextControl::SetCursor(const QTextCursor& cursor) {
    editor_->setTextCursor(cursor);
}

void TRichTextControl::ContentChanged() {
    pages_.reset();
    plainTextValid_ = false;
}

const QString& TRichTextControl::CachedPlainText() const {
    if (!plainTextValid_) {
        plainText_ = DocumentPositionText(Document());
        plainTextValid_ = true;
    }
    return plainText_;
}

// --- Content ----------------------------------------------------------------------

void TRichTextControl::Clear() {
    Document().clear();
    Document().setDefaultFont(DefaultFont());
    editor_->setCurrentCharFormat(QTextCharFormat());
    extras_ = TRtfExtras{};
    documentPage_ = kRtfLetterPage;
    ContentChanged();
}

void TRichTextControl::LoadRtf(const QByteArray& rtf) {
    TRtfExtras loaded;
    QTextCursor cursor = Cursor();
    const bool replacing = IsEmpty();
    const int start = replacing ? 0 : std::min(cursor.position(), cursor.anchor());
    if (replacing) {
        loaded = ::LoadRtf(Document(), rtf);
        documentPage_ = loaded.documentPage;
        cursor = QTextCursor(&Document());
        cursor.movePosition(QTextCursor::End);
    } else {
        loaded = InsertRtf(cursor, rtf);
        cursor.clearSelection();
    }
    SetCursor(cursor);
    if (!extras_.footer.present && loaded.footer.present) extras_.footer = loaded.footer;
    TakeAreas(std::move(loaded.areas), replacing, start, cursor.position());
}

// A text read into an empty control brings its headers and footers; one inserted
// into a text brings only its footnotes, renumbered after the ones already there.
void TRichTextControl::TakeAreas(TRtfAreas&& loaded, bool replacing, int from, int to) {
    if (replacing) {
        extras_.areas = std::move(loaded);
        return;
    }
    AppendNotes(Document(), from, to, std::move(loaded.notes), extras_.areas.notes);
}

QByteArray TRichTextControl::GetRtf() const {
    return WriteRtf(Document(), extras_);
}

bool TRichTextControl::SaveToFile(const QString& path, QString* error) const {
    return SaveRtfFile(Document(), extras_, path, error);
}

bool TRichTextControl::IsEmpty() const {
    return Document().isEmpty();
}

QString TRichTextControl::PlainText() const {
    return CachedPlainText();
}

int TRichTextControl::EndPosition() const {
    return std::max(0, Document().characterCount() - 1);
}

// --- Selection --------------------------------------------------------------------

int TRichTextControl::SelStart() const {
    return Cursor().selectionStart();
}

void TRichTextControl::SetSelStart(int position) {
    const int end = EndPosition();
    QTextCursor cursor(&Document());
    cursor.setPosition(position < 0 || position > end ? end : position);
    SetCursor(cursor);
}

int TRichTextControl::SelLength() const {
    const QTextCursor cursor = Cursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TRichTextControl::SetSelLength(int length) {
    const int end = EndPosition();
    const int start = SelStart();
    QTextCursor cursor(&Document());
    cursor.setPosition(start);
    // Compared as a remainder so that a huge length cannot overflow.
    cursor.setPosition(length < 0 || length > end - start ? end : start + length,
                       QTextCursor::KeepAnchor);
    SetCursor(cursor);
}

QString TRichTextControl::SelText() const {
    const QTextCursor cursor = Cursor();
    return CachedPlainText().mid(cursor.selectionStart(),
                                 cursor.selectionEnd() - cursor.selectionStart());
}

void TRichTextControl::SetSelText(const QString& text) {
    QTextCursor cursor = Cursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    InsertStructuredText(cursor, text);
    cursor.endEditBlock();
    SetCursor(cursor);
}

int TRichTextControl::Find(const QString& text, int from, Qt::CaseSensitivity cs) const {
    return FindInPositionText(CachedPlainText(), text, from, cs);
}

// --- Character format -------------------------------------------------------------

void TRichTextControl::MergeCharFormat(const QTextCharFormat& format) {
    editor_->mergeCurrentCharFormat(format);
}

int TRichTextControl::FontBold() const {
    bool all = true;
    ForEachSelectedFormat(Cursor(), editor_->currentCharFormat(),
                          [&](const QTextCharFormat& f) { all = all && IsBold(f); });
    return all ? -1 : 0;
}

void TRichTextControl::SetFontBold(int value) {
    QTextCharFormat f;
    f.setFontWeight(value != 0 ? QFont::Bold : QFont::Normal);
    MergeCharFormat(f);
}

int TRichTextControl::FontItalic() const {
    bool all = true;
    ForEachSelectedFormat(Cursor(), editor_->currentCharFormat(),
                          [&](const QTextCharFormat& f) { all = all && f.fontItalic(); });
    return all ? -1 : 0;
}

void TRichTextControl::SetFontItalic(int value) {
    QTextCharFormat f;
    f.setFontItalic(value != 0);
    MergeCharFormat(f);
}

double TRichTextControl::FontSize() const {
    const double fallback = Document().defaultFont().pointSizeF();
    double size = -1;
    bool mixed = false;
    ForEachSelectedFormat(Cursor(), editor_->currentCharFormat(), [&](const QTextCharFormat& f) {
        const double s = f.fontPointSize() > 0 ? f.fontPointSize() : fallback;
        if (size >= 0 && std::abs(s - size) > 0.01) mixed = true;
        size = s;
    });
    return mixed ? 0.0 : size;
}

void TRichTextControl::SetFontSize(double points) {
    if (!(points > 0)) return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    MergeCharFormat(f);
}

void TRichTextControl::ApplyFont(const QFont& font) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0) f.setFontPointSize(font.pointSizeF());
    f.setFontWeight(font.weight());
    f.setFontItalic(font.italic());
    f.setFontUnderline(font.underline());
    f.setFontStrikeOut(font.strikeOut());
    MergeCharFormat(f);
}

void TRichTextControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        OpenFontDialog();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TRichTextControl::OpenFontDialog() {
    QFontDialog dialog(editor_->currentFont(), this);
    if (dialog.exec() == QDialog::Accepted) ApplyFont(dialog.selectedFont());
}

int TRichTextControl::FontUnderline() const {
    bool all = true;
    ForEachSelectedFormat(Cursor(), editor_->currentCharFormat(),
                          [&](const QTextCharFormat& f) { all = all && f.fontUnderline(); });
    return all ? -1 : 0;
}

void TRichTextControl::SetFontUnderline(int value) {
    QTextCharFormat f;
    f.setFontUnderline(value != 0);
    MergeCharFormat(f);
}

TRichTextControl::TScript TRichTextControl::Script() const {
    std::optional<QTextCharFormat::VerticalAlignment> seen;
    bool mixed = false;
    ForEachSelectedFormat(Cursor(), editor_->currentCharFormat(), [&](const QTextCharFormat& f) {
        if (seen && *seen != f.verticalAlignment()) mixed = true;
        seen = f.verticalAlignment();
    });
    if (mixed || !seen) return TScript::Normal;
    if (*seen == QTextCharFormat::AlignSuperScript) return TScript::Super;
    if (*seen == QTextCharFormat::AlignSubScript) return TScript::Sub;
    return TScript::Normal;
}

void TRichTextControl::SetScript(TScript script) {
    QTextCharFormat f;
    f.setVerticalAlignment(script == TScript::Super ? QTextCharFormat::AlignSuperScript
                           : script == TScript::Sub ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignNormal);
    MergeCharFormat(f);
}

// --- Clipboard and pictures ---------------------------------------------------------

void TRichTextControl::Cut() {
    editor_->cut();
}

void TRichTextControl::Copy() {
    editor_->copy();
}

void TRichTextControl::Paste() {
    editor_->paste();
}

bool TRichTextControl::InsertPicture(const QString& path, QString* error) {
    auto fail = [error](const QString& message) {
        if (error) *error = message;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    // A picture file larger than this is not one a test needs.
    constexpr qint64 kMaxBytes = 32 * 1024 * 1024;
    if (file.size() > kMaxBytes) return fail(QStringLiteral("The picture file is too large."));
    const QByteArray bytes = file.readAll();
    const char* type = bytes.startsWith("\x89PNG\r\n\x1a\n") ? "pngblip"
                       : bytes.startsWith("\xff\xd8\xff")    ? "jpegblip"
                                                             : nullptr;
    if (!type) return fail(QStringLiteral("The file is not a PNG or JPEG picture."));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kRtfMaxPicturePixels)
        return fail(QStringLiteral("The picture is too large."));
    if (!reader.read(&image)) return fail(reader.errorString());

    const QString name = QStringLiteral("rtfimg-%1")
                             .arg(QString::fromLatin1(
                                 QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex()));
    Document().addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setProperty(RtfProperty::PictureData, bytes);
    format.setProperty(RtfProperty::PictureType, QString::fromLatin1(type));
    format.setProperty(RtfProperty::PictureExtent, image.size());
    const double textWidth = TFormatUnits(TTwips(extras_.page.width - extras_.page.marginLeft -
                                                 extras_.page.marginRight))
                                 .Value();
    const double scale = image.width() > textWidth ? textWidth / image.width() : 1.0;
    format.setWidth(image.width() * scale);
    format.setHeight(image.height() * scale);
    QTextCursor cursor = Cursor();
    cursor.insertImage(format);
    SetCursor(cursor);
    return true;
}

// --- Paragraph format -------------------------------------------------------------

void TRichTextControl::MergeBlockFormat(const QTextBlockFormat& format) {
    QTextCursor cursor = Cursor();
    cursor.mergeBlockFormat(format);
}

double TRichTextControl::SpaceBefore() const {
    return FormatToPoints(Cursor().blockFormat().topMargin());
}

void TRichTextControl::SetSpaceBefore(double points) {
    QTextBlockFormat f;
    f.setTopMargin(PointsToFormat(std::max(0.0, points)));
    MergeBlockFormat(f);
}

double TRichTextControl::SpaceAfter() const {
    return FormatToPoints(Cursor().blockFormat().bottomMargin());
}

void TRichTextControl::SetSpaceAfter(double points) {
    QTextBlockFormat f;
    f.setBottomMargin(PointsToFormat(std::max(0.0, points)));
    MergeBlockFormat(f);
}

int TRichTextControl::LineSpacing() const {
    const QTextBlockFormat f = Cursor().blockFormat();
    switch (f.lineHeightType()) {
    case QTextBlockFormat::SingleHeight:
        return 100;
    case QTextBlockFormat::ProportionalHeight:
        return int(std::lround(f.lineHeight()));
    default:
        return 0;
    }
}

void TRichTextControl::SetLineSpacing(int percent) {
    QTextBlockFormat f;
    if (percent <= 0 || percent == 100)
        f.setLineHeight(0, QTextBlockFormat::SingleHeight);
    else
        f.setLineHeight(percent, QTextBlockFormat::ProportionalHeight);
    MergeBlockFormat(f);
}

Qt::Alignment TRichTextControl::Alignment() const {
    const Qt::Alignment a = Cursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) return Qt::AlignHCenter;
    if (a & (Qt::AlignRight | Qt::AlignTrailing)) return Qt::AlignRight;
    return Qt::AlignLeft;
}

void TRichTextControl::SetAlignment(Qt::Alignment alignment) {
    QTextBlockFormat f;
    f.setAlignment(alignment & Qt::AlignHorizontal_Mask);
    MergeBlockFormat(f);
}

double TRichTextControl::LeftIndent() const {
    return FormatToPoints(Cursor().blockFormat().leftMargin());
}

void TRichTextControl::SetIndents(double left, double firstLine, double right) {
    QTextBlockFormat f;
    f.setLeftMargin(PointsToFormat(std::max(0.0, left)));
    f.setTextIndent(PointsToFormat(firstLine));
    f.setRightMargin(PointsToFormat(std::max(0.0, right)));
    MergeBlockFormat(f);
}

void TRichTextControl::SetPageBreakBefore(int position, bool on) {
    QTextCursor cursor(&Document());
    cursor.setPosition(std::clamp(position, 0, EndPosition()));
    const QTextFormat::PageBreakFlags old = cursor.blockFormat().pageBreakPolicy();
    QTextBlockFormat f;
    f.setPageBreakPolicy(
        on ? old | QTextFormat::PageBreak_AlwaysBefore
           : old & ~QTextFormat::PageBreakFlags(QTextFormat::PageBreak_AlwaysBefore));
    cursor.mergeBlockFormat(f);
}

void TRichTextControl::KeepOnOnePage(int from, int to) {
    ::KeepOnOnePage(Document(), from, to);
}

// --- Footer -----------------------------------------------------------------------

void TRichTextControl::SetFooter(const TRtfFooter& footer) {
    extras_.footer = footer;
    DropFileFooters();
}

void TRichTextControl::DropFileFooters() {
    if (extras_.areas.footers.empty()) return;
    extras_.areas.footers.clear();
    pages_.reset();
}

void TRichTextControl::SetStandardFooter(const QString& organisation) {
    TRtfFooter footer;
    footer.present = true;
    footer.text = organisation + QLatin1Char('\t');
    footer.pageNumberAt = int(footer.text.size());
    footer.pointSize = 9;
    footer.italic = true;
    extras_.footer = footer;
    DropFileFooters();
}

void TRichTextControl::RemoveFooter() {
    extras_.footer = TRtfFooter{};
    DropFileFooters();
}

// --- Pages ------------------------------------------------------------------------

const TPageLayout& TRichTextControl::Pages() const {
    if (!pages_) pages_ = std::make_unique<TPageLayout>(Document(), extras_.page, extras_.areas);
    return *pages_;
}

void TRichTextControl::SetPage(const TRtfPage& page) {
    extras_.page = page;
    pages_.reset();
}

QSizeF TRichTextControl::PageSizeInches() const {
    return QSizeF(TTwips(extras_.page.width).Inches(), TTwips(extras_.page.height).Inches());
}

int TRichTextControl::PageCount() const {
    return Pages().PageCount();
}

int TRichTextControl::PageOfPosition(int position) const {
    return Pages().PageOfPosition(position);
}

int TRichTextControl::InputPage() const {
    return PageOfPosition(SelStart());
}

void TRichTextControl::PrintPage(QPainter& painter, int page, const QRectF& target) const {
    Pages().DrawPage(painter, page, target, extras_.footer);
}

// --- View -------------------------------------------------------------------------

void TRichTextControl::ScrollToTop() {
    editor_->verticalScrollBar()->setValue(0);
}

void TRichTextControl::SetReadOnly(bool readOnly) {
    editor_->setReadOnly(readOnly);
}
