#include "documents/file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString kFilter = QStringLiteral("Quarrybook Documents (*.vqd)");

std::string Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = QFileInfo(dialog.selectedFiles().front()).absoluteFilePath();
    return QFile::encodeName(path).toStdString();
}

void Prepare(QFileDialog& dialog) {
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix(QStringLiteral("vqd"));
    // Documents named on a command line end in ".VQD"; the filter shows them too.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}
} // namespace

std::string TQtFileDialogs::ChooseDocumentToOpen() {
    QFileDialog dialog(fParent, QStringLiteral("Open"));
    dialog.setObjectName("OpenDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Prepare(dialog);
    return Chosen(dialog);
}

std::string TQtFileDialogs::ChooseDocumentToSave(const std::string& fileName) {
    QFileDialog dialog(fParent, QStringLiteral("Save As"));
    dialog.setObjectName("SaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    Prepare(dialog);
    // Overwriting an existing file is confirmed by the dialog.
    if (!fileName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(fileName)));
    return Chosen(dialog);
}
