#include "output/print/print_form.h"

#include "output/print/document_assembly.h"
#include "output/print/page_output.h"
#include "output/richtext/rich_text_control.h"

#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include <algorithm>

namespace {
struct TBusyCursor {
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
} // namespace

TPrintForm::TPrintForm(QWidget* parent)
    : QWidget(parent), fControl(new TRichTextControl(this)),
      fPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setMinimumSize(425, 300);
    fControl->setObjectName(QStringLiteral("PrintATX"));
    fControl->SetReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fControl);
    // The control's page carries its own margins and footer.
    fPrinter->setFullPage(true);
}

TPrintForm::~TPrintForm() = default;

void TPrintForm::Assemble(const TDocument& document, const QString& organisation) {
    TBusyCursor busy;
    AssembleDocument(*fControl, document, organisation);
}

bool TPrintForm::Print(QWidget* dialogParent, const QString& jobTitle) {
    const int pages = std::max(1, fControl->PageCount());
    QPrintDialog dialog(fPrinter.get(), dialogParent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return false;

    int from = 1, to = pages;
    if (fPrinter->printRange() == QPrinter::PageRange) {
        from = std::clamp(fPrinter->fromPage(), 1, pages);
        to = std::clamp(fPrinter->toPage(), from, pages);
    }
    fPrinter->setDocName(jobTitle);
    try {
        DrawPages(*fControl, *fPrinter, from, to);
    } catch (...) {
        fPrinter->abort();
        throw;
    }
    return true;
}

void TPrintForm::PrintSetup(QWidget* dialogParent) {
    QPageSetupDialog dialog(fPrinter.get(), dialogParent);
    dialog.exec();
}
