#pragma once

#include "app/logic/sheet_commands.h"

#include <QString>

class QWidget;

// The spreadsheet commands' file dialogs and the hand-over to the desktop's spreadsheet
// program, which QUARRYBOOK_NO_OPEN=1 switches off. Each dialog opens with the name
// chosen in it last.
class TSheetFileDialogs : public TSheetFiles {
public:
    explicit TSheetFileDialogs(QWidget* parent) : fParent(parent) {}
    std::optional<std::string> ChooseStudentList() override;
    std::optional<std::string> ChooseOutput() override;
    void Show(const std::string& path) override;

private:
    QWidget* fParent;
    QString fLastStudentList;
    QString fLastOutput;
};
