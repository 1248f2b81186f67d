#include "students/pupil_form.h"

#include "ui/error_report.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

class TQtPupilDialogs : public TPupilDialogs {
public:
    QString OpenListName(QWidget* parent) override {
        return Run(parent, QFileDialog::AcceptOpen, QStringLiteral("Student list files (*.ptx)"),
                   QStringLiteral("ptx"));
    }
    QString SaveListName(QWidget* parent) override {
        return Run(parent, QFileDialog::AcceptSave, QStringLiteral("Student list files (*.ptx)"),
                   QStringLiteral("ptx"));
    }
    QString ImportName(QWidget* parent) override {
        return Run(parent, QFileDialog::AcceptOpen, QStringLiteral("Comma separated (*.csv)"),
                   QStringLiteral("csv"));
    }
    TAnswer AskToSave(QWidget* parent) override {
        const auto answer = QMessageBox::question(
            parent, parent->windowTitle(),
            QStringLiteral("The list has changed. Do you want to save it?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) return TAnswer::Yes;
        if (answer == QMessageBox::No) return TAnswer::No;
        return TAnswer::Cancel;
    }
    void Warn(QWidget* parent, const std::string& utf8) override {
        QMessageBox::warning(parent, parent->windowTitle(), QString::fromStdString(utf8));
    }
    void Error(QWidget* parent, const std::string& utf8) override { ShowError(parent, utf8); }

private:
    QString Run(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
                const QString& suffix) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                           : QFileDialog::ExistingFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(suffix);
        dialog.setDirectory(fFolder);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        fFolder = dialog.directory().absolutePath();
        return dialog.selectedFiles().first();
    }

    QString fFolder;
};

} // namespace

std::unique_ptr<TPupilDialogs> MakePupilDialogs() {
    return std::make_unique<TQtPupilDialogs>();
}
