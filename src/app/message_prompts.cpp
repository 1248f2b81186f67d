#include "app/message_prompts.h"

#include <QApplication>
#include <QMessageBox>

TAnswer TMessagePrompts::Ask(const std::string& message, bool withCancel) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    auto answer =
        QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                              QString::fromStdString(message), buttons, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return TAnswer::Yes;
    if (answer == QMessageBox::No) return TAnswer::No;
    return TAnswer::Cancel;
}

void TMessagePrompts::Inform(const std::string& message) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                             QString::fromStdString(message));
}
