#include "ui/error_report.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>

void ShowError(QWidget* parent, const std::string& utf8Message) {
    std::fprintf(stderr, "%s\n", utf8Message.c_str());
    QString title = QApplication::applicationName();
    QMessageBox::critical(parent, title.isEmpty() ? QStringLiteral("Orrin Quarrybook") : title,
                          QString::fromStdString(utf8Message), QMessageBox::Ok);
}

void RunReportingErrors(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(QApplication::activeWindow(), e.what());
    }
}
