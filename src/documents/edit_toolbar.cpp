#include "documents/edit_toolbar.h"

#include "output/richtext/rich_text_control.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"

#include <QFileDialog>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

namespace {
using TScript = TRichTextControl::TScript;

// Left indents of the three indent styles, in points.
constexpr double kIndentStep = 36.0;
// Space above a mark line, in points.
constexpr double kMarkSpace = 6.0;
} // namespace

TEditToolBar::TEditToolBar(TRichTextControl& control, QWidget* parent)
    : QWidget(parent), fControl(control) {
    setObjectName(QStringLiteral("EditToolBar"));
    setAccessibleName(QStringLiteral("Formatting"));
    InstallHelpKey(this, 207);
    setFixedHeight(25);

    QToolButton* style = AddButton("StyleB", "Format text to pre-defined style", 25, 0, false);
    fStyleMenu = new QMenu(this);
    fStyleMenu->setObjectName(QStringLiteral("StyleMenu"));
    const char* const captions[] = {"Indent &1", "Indent &2", "Indent &3", "&Body", "&Mark"};
    for (int i = 0; i < 5; ++i)
        connect(fStyleMenu->addAction(QString::fromUtf8(captions[i])), &QAction::triggered, this,
                [this, i] { ApplyStyle(TStyle(i)); });
    connect(style, &QToolButton::clicked, this,
            [this, style] { fStyleMenu->popup(style->mapToGlobal(QPoint(4, 4))); });

    connect(AddButton("FontB", "Set font attributes", 26, 24, false), &QToolButton::clicked,
            &fControl, &TRichTextControl::OpenFontDialog);
    connect(AddButton("BoldB", "Bold", 27, 56, true), &QToolButton::clicked, this,
            [this] { fControl.SetFontBold(fControl.FontBold() == -1 ? 0 : -1); });
    connect(AddButton("ItalicB", "Italic", 28, 80, true), &QToolButton::clicked, this,
            [this] { fControl.SetFontItalic(fControl.FontItalic() == -1 ? 0 : -1); });
    connect(AddButton("UnderlineB", "Underline", 29, 104, true), &QToolButton::clicked, this,
            [this] { fControl.SetFontUnderline(fControl.FontUnderline() == -1 ? 0 : -1); });
    auto script = [this](TScript s) {
        return [this, s] { fControl.SetScript(fControl.Script() == s ? TScript::Normal : s); };
    };
    connect(AddButton("SuperB", "Superscript", 34, 128, true), &QToolButton::clicked, this,
            script(TScript::Super));
    connect(AddButton("SubB", "Subscript", 35, 152, true), &QToolButton::clicked, this,
            script(TScript::Sub));
    auto align = [this](Qt::Alignment a) { return [this, a] { fControl.SetAlignment(a); }; };
    connect(AddButton("LeftB", "Left align paragraph", 30, 184, true), &QToolButton::clicked, this,
            align(Qt::AlignLeft));
    connect(AddButton("CenterB", "Centred paragraph", 31, 208, true), &QToolButton::clicked, this,
            align(Qt::AlignHCenter));
    connect(AddButton("RightB", "Right align paragraph", 32, 232, true), &QToolButton::clicked,
            this, align(Qt::AlignRight));
    connect(AddButton("CutB", "Cut", 5, 264, false), &QToolButton::clicked, &fControl,
            &TRichTextControl::Cut);
    connect(AddButton("CopyB", "Copy", 6, 288, false), &QToolButton::clicked, &fControl,
            &TRichTextControl::Copy);
    connect(AddButton("PasteB", "Paste", 7, 312, false), &QToolButton::clicked, &fControl,
            &TRichTextControl::Paste);
    connect(AddButton("InsertPicB", "Insert picture", 33, 344, false), &QToolButton::clicked, this,
            &TEditToolBar::InsertPicture);
    setMinimumWidth(344 + 25);
    const std::pair<const char*, const char*> shortcuts[] = {
        {"StyleB", "Ctrl+Shift+S"},    {"BoldB", "Ctrl+B"},        {"ItalicB", "Ctrl+I"},
        {"UnderlineB", "Ctrl+U"},      {"SuperB", "Ctrl+Shift+="}, {"SubB", "Ctrl+="},
        {"LeftB", "Ctrl+L"},           {"CenterB", "Ctrl+E"},      {"RightB", "Ctrl+R"},
        {"InsertPicB", "Ctrl+Shift+P"}};
    // Not the buttons' own shortcuts, which click only after a pause: a word typed
    // straight after Ctrl+B is bold from its first letter.
    for (const auto& [name, keys] : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        connect(shortcut, &QShortcut::activated, Button(name), &QToolButton::click);
    }

    connect(&fControl, &TRichTextControl::FormatChanged, this, &TEditToolBar::UpdateButtons);
    UpdateButtons();
}

QToolButton* TEditToolBar::AddButton(const char* name, const char* hint, int glyph, int left,
                                     bool checkable) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setGeometry(left, 0, 25, 25);
    b->setIconSize(QSize(16, 16));
    b->setToolTip(QString::fromUtf8(hint));
    b->setAccessibleName(QString::fromUtf8(hint));
    b->setCheckable(checkable);
    // Like a word processor's, the buttons leave the keyboard in the text; their
    // shortcuts reach them from there.
    b->setFocusPolicy(Qt::NoFocus);
    LoadButtonGlyph(*b, glyph);
    // Every button leaves the keyboard in the text, where the user goes on typing.
    connect(b, &QToolButton::clicked, this, [this] {
        if (!fStyleMenu->isVisible()) fControl.setFocus();
        UpdateButtons();
    });
    return b;
}

QToolButton* TEditToolBar::Button(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void TEditToolBar::UpdateButtons() {
    const Qt::Alignment a = fControl.Alignment();
    const TScript s = fControl.Script();
    const std::pair<const char*, bool> states[] = {{"BoldB", fControl.FontBold() == -1},
                                                   {"ItalicB", fControl.FontItalic() == -1},
                                                   {"UnderlineB", fControl.FontUnderline() == -1},
                                                   {"SuperB", s == TScript::Super},
                                                   {"SubB", s == TScript::Sub},
                                                   {"LeftB", a == Qt::AlignLeft},
                                                   {"CenterB", a == Qt::AlignHCenter},
                                                   {"RightB", a == Qt::AlignRight}};
    for (const auto& [name, down] : states)
        Button(name)->setChecked(down);
}

void TEditToolBar::ApplyStyle(TStyle style) {
    switch (style) {
    case TStyle::Indent1:
    case TStyle::Indent2:
    case TStyle::Indent3:
        fControl.SetAlignment(Qt::AlignLeft);
        fControl.SetIndents(kIndentStep * (int(style) + 1), 0, 0);
        fControl.SetSpaceBefore(0);
        break;
    case TStyle::Body:
        fControl.SetAlignment(Qt::AlignLeft);
        fControl.SetIndents(0, 0, 0);
        fControl.SetSpaceBefore(0);
        break;
    case TStyle::Mark:
        fControl.SetAlignment(Qt::AlignRight);
        fControl.SetIndents(0, 0, 0);
        fControl.SetSpaceBefore(kMarkSpace);
        break;
    }
    fControl.setFocus();
    UpdateButtons();
}

void TEditToolBar::InsertPicture() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Insert Picture"), QString(),
        QStringLiteral("Pictures (*.png *.jpg *.jpeg);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!fControl.InsertPicture(path, &error))
        ShowError(window(), QStringLiteral("The picture \"%1\" could not be inserted.\n%2")
                                .arg(path, error)
                                .toStdString());
}
