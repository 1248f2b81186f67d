#pragma once

#include "documents/file_commands.h"

class QWidget;

// The platform's open and save dialogs for test documents.
class TQtFileDialogs : public TFileDialogs {
public:
    explicit TQtFileDialogs(QWidget* parent) : fParent(parent) {}
    std::string ChooseDocumentToOpen() override;
    std::string ChooseDocumentToSave(const std::string& fileName) override;

private:
    QWidget* fParent;
};
