#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QPrinter;
class TDocument;
class TRichTextControl;

// The hidden window whose rich-text control holds the document being printed,
// previewed or exported. It keeps the printer, so that the paper and printer chosen
// in Print Setup are the ones printing uses; every action assembles afresh.
class TPrintForm : public QWidget {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
    ~TPrintForm() override;

    // Assembles the document under the hourglass cursor (restored on every path).
    void Assemble(const TDocument& document, const QString& organisation);
    // The print dialog over what is assembled (all pages or a range, never a
    // selection), then the pages to the printer as one job titled `jobTitle`.
    // False when the dialog was cancelled. A failed job is aborted and the error
    // passes on.
    bool Print(QWidget* dialogParent, const QString& jobTitle);
    // The platform's page set-up dialog for the printer that Print uses.
    void PrintSetup(QWidget* dialogParent);

    TRichTextControl& PrintATX() { return *fControl; }
    QPrinter& Printer() { return *fPrinter; }

private:
    TRichTextControl* fControl; // a child widget
    std::unique_ptr<QPrinter> fPrinter;
};
