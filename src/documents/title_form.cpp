#include "documents/title_form.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "documents/dialog_fields.h"
#include "documents/rtf_fragments.h"
#include "model/text_store.h"
#include "ui/error_report.h"
#include "ui/help_request.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TTitleForm::TTitleForm(TAppLogic& app, const QString& organisation, QWidget* parent)
    : QDialog(parent), fApp(app), fOrganisation(organisation) {
    setWindowTitle(QStringLiteral("Insert Title"));
    setObjectName(QStringLiteral("TitleForm"));
    InstallHelpKey(this, 221);
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto field = [&](QLineEdit*& edit, const char* name, const char* caption) {
        edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMinimumWidth(320);
        grid->addWidget(MakeFieldLabel(caption, edit, this), row, 0);
        grid->addWidget(edit, row++, 1);
    };
    field(TitleE, "TitleE", "&Title");
    field(SubtitleE, "SubtitleE", "&Subtitle");
    field(DateE, "DateE", "&Date");
    field(TimeAllowedE, "TimeAllowedE", "Time &Allowed");
    field(TotalMarksE, "TotalMarksE", "Total &Marks");
    field(InstructionsE, "InstructionsE", "&Instructions");
    FullPageCB = new QCheckBox(QStringLiteral("&Full Page"), this);
    FullPageCB->setObjectName(QStringLiteral("FullPageCB"));
    grid->addWidget(FullPageCB, row++, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = MakeOkButton(*this);
    QPushButton* cancel = MakeCancelButton(*this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    QWidget* order[] = {TitleE,        SubtitleE,  DateE, TimeAllowedE, TotalMarksE,
                        InstructionsE, FullPageCB, ok,    cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TTitleForm::Prepare() {
    TDocLogic* doc = fApp.CurrentDoc();
    for (QLineEdit* e : {TitleE, SubtitleE, DateE, InstructionsE})
        e->clear();
    TimeAllowedE->setText(QStringLiteral("%1 min").arg(doc ? doc->TotalTime() : 0));
    TotalMarksE->setText(QStringLiteral("%1 marks").arg(doc ? doc->TotalMarks() : 0));
    FullPageCB->setChecked(false);
    TitleE->setFocus();
}

void TTitleForm::Run() {
    Prepare();
    adjustSize();
    CentreOnScreen(*this);
    exec();
}

void TTitleForm::accept() {
    TDocLogic* doc = fApp.CurrentDoc();
    if (doc) try {
            const TTitleValues values{TitleE->text(),         SubtitleE->text(),
                                      DateE->text(),          TimeAllowedE->text(),
                                      TotalMarksE->text(),    InstructionsE->text(),
                                      FullPageCB->isChecked()};
            doc->InsertTextEntry(0, ToCp1252(TitleE->text()), false,
                                 MakeChunk({BuildTitleRtf(values, fOrganisation)}), 0, 0);
        } catch (const std::exception& e) {
            ShowError(this, e.what());
            return;
        }
    QDialog::accept();
}
