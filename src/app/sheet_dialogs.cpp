#include "app/sheet_dialogs.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QUrl>

namespace {

std::optional<std::string> LocalPath(const QString& chosen) {
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

} // namespace

std::optional<std::string> TSheetFileDialogs::ChooseStudentList() {
    QString chosen = QFileDialog::getOpenFileName(
        fParent, QStringLiteral("Student list file"), fLastStudentList,
        QStringLiteral("Student lists (*.ptx);;Comma Separated (*.csv)"));
    if (!chosen.isEmpty()) fLastStudentList = chosen;
    return LocalPath(chosen);
}

std::optional<std::string> TSheetFileDialogs::ChooseOutput() {
    QFileDialog dialog(fParent, QStringLiteral("File to save analysis sheet"), fLastOutput,
                       QStringLiteral("Spreadsheet file (*.xlsx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    if (!fLastOutput.isEmpty()) dialog.selectFile(fLastOutput);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    fLastOutput = dialog.selectedFiles().first();
    return LocalPath(fLastOutput);
}

void TSheetFileDialogs::Show(const std::string& path) {
    if (qEnvironmentVariable("QUARRYBOOK_NO_OPEN") == QLatin1String("1")) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}
