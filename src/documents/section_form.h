#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class TAppLogic;

// "Insert Section Title": a section heading appended to the current document.
class TSectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TSectionForm(TAppLogic& app, QWidget* parent = nullptr);

    void Run();
    // The first step of Run: empty fields.
    void Prepare();

    QLineEdit* SectionTitleE = nullptr;
    QLineEdit* InstructionE = nullptr;
    QCheckBox* NewPageCB = nullptr;

public:
    // OK: adds or replaces the entry; the dialog stays open when that cannot be done.
    void accept() override;

private:
    TAppLogic& fApp;
};
