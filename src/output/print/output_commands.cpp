#include "output/print/output_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "output/print/page_output.h"
#include "output/print/preview_form.h"
#include "output/print/print_form.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const char* const kNothingToExport = "There are no items in the current document to export.";
} // namespace

QString ChooseSaveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    // The command asks about an existing file itself, once.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void TPrintSetupCmd::Execute(void*) {
    fContext.printForm.PrintSetup(fContext.dialogParent);
}

TOutputCmd::TOutputCmd(TAppLogic& app, TOutputContext& context)
    : TAppCommand(app, Triggers::CurrentDocDocument), fContext(context) {}

bool TOutputCmd::IsEnabled() const {
    const TDocLogic* doc = App().CurrentDoc();
    return doc && !doc->Document().Entries.empty();
}

void TOutputCmd::AssembleCurrent() {
    fContext.printForm.Assemble(App().CurrentDoc()->Document(), fContext.organisation);
}

void TPrintCmd::Execute(void*) {
    if (!IsEnabled()) return;
    AssembleCurrent();
    Context().printForm.Print(Context().dialogParent,
                              QString::fromStdString(App().CurrentDoc()->DisplayName()));
}

void TPrintPreviewCmd::Execute(void*) {
    if (!IsEnabled()) return;
    AssembleCurrent();
    TOutputContext& context = Context();
    const QString title = QString::fromStdString(App().CurrentDoc()->DisplayName());
    // The preview's Print prints what is shown, with the preview as the dialog's owner.
    TPreviewForm* shown = nullptr;
    TPreviewForm preview(
        context.printForm.PrintATX(),
        [&context, title, &shown] { context.printForm.Print(shown, title); }, context.dialogParent);
    shown = &preview;
    preview.exec();
}

void TFileExportCmd::Execute(void*) {
    const TDocLogic* doc = App().CurrentDoc();
    if (!doc) return;
    if (doc->Document().Entries.empty()) {
        App().Prompts().Inform(kNothingToExport);
        return;
    }
    QString path;
    for (;;) {
        path = Context().chooseFile
                   ? Context().chooseFile(Filter(), DefaultSuffix())
                   : ChooseSaveFile(Context().dialogParent, Filter(), DefaultSuffix());
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + DefaultSuffix();
        if (!QFileInfo::exists(path)) break;
        const std::string question =
            QDir::toNativeSeparators(path).toStdString() + " exists. Do you want to overwrite it?";
        if (App().Prompts().Ask(question, true) == TAnswer::Yes) break;
    }
    AssembleCurrent();
    Write(path);
    if (Context().showStatus)
        Context().showStatus(QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(path)));
}

QString TExportCmd::Filter() const {
    return QStringLiteral("Rich Text Format (*.rtf)");
}

QString TExportCmd::DefaultSuffix() const {
    return QStringLiteral("doc");
}

void TExportCmd::Write(const QString& path) {
    WriteRtfFile(Context().printForm.PrintATX(), path);
}

QString TExportPdfCmd::Filter() const {
    return QStringLiteral("PDF document (*.pdf)");
}

QString TExportPdfCmd::DefaultSuffix() const {
    return QStringLiteral("pdf");
}

void TExportPdfCmd::Write(const QString& path) {
    WritePdfFile(Context().printForm.PrintATX(), path,
                 QString::fromStdString(App().CurrentDoc()->DisplayName()));
}
