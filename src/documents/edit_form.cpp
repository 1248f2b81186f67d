#include "documents/edit_form.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "documents/dialog_fields.h"
#include "documents/edit_toolbar.h"
#include "model/text_store.h"
#include "output/richtext/rich_text_control.h"
#include "output/richtext/rich_text_edit.h"
#include "ui/error_report.h"
#include "ui/help_request.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

#include <limits>

namespace {
constexpr int kEditorTop = 87;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
} // namespace

TEditForm::TEditForm(TAppLogic& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      EditATX(new TRichTextControl(this)), fApp(app), fStreamer(*EditATX) {
    setWindowTitle(QStringLiteral("Text Editor"));
    setObjectName(QStringLiteral("EditForm"));
    setSizeGripEnabled(true);
    InstallHelpKey(this, 206);
    setMinimumSize(441, 150);

    DescriptionE = new QLineEdit(this);
    DescriptionE->setObjectName(QStringLiteral("DescriptionE"));
    DescriptionE->setMaxLength(100); // what an entry's title keeps
    MarkNE = new QLineEdit(this);
    MarkNE->setObjectName(QStringLiteral("MarkNE"));
    TimeNE = new QLineEdit(this);
    TimeNE->setObjectName(QStringLiteral("TimeNE"));
    NumberedCB = new QCheckBox(QStringLiteral("&Numbered"), this);
    NumberedCB->setObjectName(QStringLiteral("NumberedCB"));
    MakeFieldLabel("&Description", DescriptionE, this)->setGeometry(8, 11, 72, 17);
    DescriptionE->setGeometry(84, 8, 349, 21);
    MakeFieldLabel("&Mark", MarkNE, this)->setGeometry(8, 37, 72, 17);
    MarkNE->setGeometry(84, 34, 49, 21);
    // The labels take the width their font needs, so that no field covers one.
    QLabel* timeLabel = MakeFieldLabel("Time &Allowed", TimeNE, this);
    timeLabel->setGeometry(146, 37, timeLabel->sizeHint().width(), 17);
    TimeNE->setGeometry(timeLabel->geometry().right() + 6, 34, 49, 21);
    fMinutes = new QLabel(QStringLiteral("min"), this);
    fMinutes->setGeometry(TimeNE->geometry().right() + 5, 37, fMinutes->sizeHint().width(), 17);
    NumberedCB->setGeometry(fMinutes->geometry().right() + 24, 35, NumberedCB->sizeHint().width(),
                            19);

    EditATX->setObjectName(QStringLiteral("EditATX"));
    EditATX->setAccessibleName(QStringLiteral("Text"));
    EditATX->Editor().setAccessibleName(QStringLiteral("Text"));
    fToolBar = new TEditToolBar(*EditATX, this);
    fToolBar->move(8, 58);
    fToolBar->resize(fToolBar->minimumWidth(), 25);
    fOk = MakeOkButton(*this);
    fCancel = MakeCancelButton(*this);
    fOk->resize(kButtonWidth, kButtonHeight);
    fCancel->resize(kButtonWidth, kButtonHeight);

    setTabOrder(DescriptionE, MarkNE);
    setTabOrder(MarkNE, TimeNE);
    setTabOrder(TimeNE, NumberedCB);
    setTabOrder(NumberedCB, &EditATX->Editor());
    setTabOrder(&EditATX->Editor(), fOk);
    setTabOrder(fOk, fCancel);
    resize(560, 420);
}

TEditForm::~TEditForm() = default;

void TEditForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width(), h = height();
    EditATX->setGeometry(8, kEditorTop, w - 16, h - 124);
    DescriptionE->resize(std::max(100, w - 92), DescriptionE->height());
    fOk->move(EditATX->width() - 177, h - 29);
    fCancel->move(w - 89, h - 29);
}

void TEditForm::PrepareNew() {
    fDoc = fApp.CurrentDoc();
    fEditIndex = -1;
    EditATX->Clear();
    DescriptionE->clear();
    MarkNE->setText(QStringLiteral("0"));
    TimeNE->setText(QStringLiteral("0"));
    NumberedCB->setChecked(false);
    DescriptionE->setFocus();
    fToolBar->UpdateButtons();
}

void TEditForm::PrepareEdit() {
    fDoc = fApp.CurrentDoc();
    fEditIndex = fApp.CurrentIndex();
    auto* entry = dynamic_cast<TDocContent*>(fApp.SelectedItem());
    TTextSegment* segment = entry ? entry->Segment : nullptr;
    EditATX->Clear();
    DescriptionE->setText(segment ? FromCp1252(segment->GetTitle()) : QString());
    MarkNE->setText(QString::number(segment ? segment->Marks : 0));
    TimeNE->setText(QString::number(segment ? segment->Time : 0));
    NumberedCB->setChecked(entry && entry->Numbered);
    if (segment && segment->Chunk) {
        fStreamer.LoadInto(*segment->Chunk);
        segment->Chunk->UnloadLines();
        EditATX->SetSelStart(0);
        EditATX->ScrollToTop();
    }
    DescriptionE->setFocus();
    fToolBar->UpdateButtons();
}

void TEditForm::RunNew() {
    PrepareNew();
    exec();
}

void TEditForm::RunEdit() {
    PrepareEdit();
    exec();
}

std::optional<std::int16_t> TEditForm::ReadNumber(QLineEdit& field, const char* fieldName) {
    const QString typed = field.text();
    bool ok = false;
    const qlonglong value = typed.trimmed().toLongLong(&ok);
    std::string message;
    if (!ok) {
        message = "'" + typed.toStdString() + "' is not a valid integer value";
    } else if (value < std::numeric_limits<std::int16_t>::min() ||
               value > std::numeric_limits<std::int16_t>::max()) {
        message = std::string(fieldName) + " must be a whole number from -32768 to 32767; '" +
                  typed.toStdString() + "' is outside that range.";
    } else {
        return std::int16_t(value);
    }
    fApp.Prompts().Inform(message);
    field.setFocus();
    field.selectAll();
    return std::nullopt;
}

void TEditForm::accept() {
    // The numbers first: a typo in them must not cost the typed text.
    const std::optional<std::int16_t> marks = ReadNumber(*MarkNE, "Mark");
    if (!marks) return;
    const std::optional<std::int16_t> time = ReadNumber(*TimeNE, "Time Allowed");
    if (!time) return;
    if (!fDoc || fApp.CurrentDoc() != fDoc) return QDialog::reject();
    try {
        auto chunk = std::make_unique<TTextChunk>();
        fStreamer.SaveFrom(*chunk);
        const std::string title = ToCp1252(DescriptionE->text());
        if (fEditIndex < 0) {
            fDoc->InsertTextEntry(-1, title, NumberedCB->isChecked(), std::move(chunk), *marks,
                                  *time);
        } else {
            fApp.SetSelection({}, nullptr);
            fDoc->UpdateTextEntry(fEditIndex, title, NumberedCB->isChecked(), std::move(chunk),
                                  *marks, *time);
            TItemList& list = fDoc->EntryList();
            fApp.SelectItem(list.Item(fEditIndex), &list, true);
        }
    } catch (const std::exception& e) {
        ShowError(this, e.what());
        return;
    }
    EditATX->Clear();
    QDialog::accept();
}
