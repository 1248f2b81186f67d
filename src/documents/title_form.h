#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class TAppLogic;

// "Insert Title": a title page built from the typed values, put first in the current
// document.
class TTitleForm : public QDialog {
    Q_OBJECT
public:
    // `organisation` (the subject's configured name) heads every title page.
    TTitleForm(TAppLogic& app, const QString& organisation, QWidget* parent = nullptr);

    // Fills the fields for the current document and shows the dialog modally.
    void Run();
    // The first step of Run: empty fields and the document's totals.
    void Prepare();

    QLineEdit* TitleE = nullptr;
    QLineEdit* SubtitleE = nullptr;
    QLineEdit* DateE = nullptr;
    QLineEdit* TimeAllowedE = nullptr;
    QLineEdit* TotalMarksE = nullptr;
    QLineEdit* InstructionsE = nullptr;
    QCheckBox* FullPageCB = nullptr;

public:
    // OK: adds or replaces the entry; the dialog stays open when that cannot be done.
    void accept() override;

private:
    TAppLogic& fApp;
    QString fOrganisation;
};
