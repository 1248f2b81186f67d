#include "documents/dialog_fields.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

QLabel* MakeFieldLabel(const char* caption, QWidget* field, QWidget* parent) {
    const QString text = QString::fromUtf8(caption);
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

QPushButton* MakeOkButton(QDialog& dialog) {
    auto* ok = new QPushButton(QStringLiteral("&OK"), &dialog);
    ok->setObjectName(QStringLiteral("OKB"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    return ok;
}

QPushButton* MakeCancelButton(QDialog& dialog) {
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("CancelB"));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return cancel;
}

void CentreOnScreen(QWidget& dialog) {
    QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}
