#include "documents/section_form.h"

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

TSectionForm::TSectionForm(TAppLogic& app, QWidget* parent) : QDialog(parent), fApp(app) {
    setWindowTitle(QStringLiteral("Insert Section Title"));
    setObjectName(QStringLiteral("SectionForm"));
    InstallHelpKey(this, 222);
    auto* grid = new QGridLayout(this);
    SectionTitleE = new QLineEdit(this);
    SectionTitleE->setObjectName(QStringLiteral("SectionTitleE"));
    SectionTitleE->setMinimumWidth(320);
    InstructionE = new QLineEdit(this);
    InstructionE->setObjectName(QStringLiteral("InstructionE"));
    grid->addWidget(MakeFieldLabel("&Section Title", SectionTitleE, this), 0, 0);
    grid->addWidget(SectionTitleE, 0, 1);
    grid->addWidget(MakeFieldLabel("&Instruction", InstructionE, this), 1, 0);
    grid->addWidget(InstructionE, 1, 1);
    NewPageCB = new QCheckBox(QStringLiteral("Start section on &new page"), this);
    NewPageCB->setObjectName(QStringLiteral("NewPageCB"));
    grid->addWidget(NewPageCB, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = MakeOkButton(*this);
    QPushButton* cancel = MakeCancelButton(*this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(SectionTitleE, InstructionE);
    setTabOrder(InstructionE, NewPageCB);
    setTabOrder(NewPageCB, ok);
    setTabOrder(ok, cancel);
}

void TSectionForm::Prepare() {
    SectionTitleE->clear();
    InstructionE->clear();
    NewPageCB->setChecked(false);
    SectionTitleE->setFocus();
}

void TSectionForm::Run() {
    Prepare();
    adjustSize();
    CentreOnScreen(*this);
    exec();
}

void TSectionForm::accept() {
    if (TDocLogic* doc = fApp.CurrentDoc()) try {
            const TSectionValues values{SectionTitleE->text(), InstructionE->text(),
                                        NewPageCB->isChecked()};
            doc->InsertTextEntry(-1, ToCp1252(SectionTitleE->text()), false,
                                 MakeChunk({BuildSectionRtf(values)}), 0, 0);
        } catch (const std::exception& e) {
            ShowError(this, e.what());
            return;
        }
    QDialog::accept();
}
