#pragma once

#include "output/richtext/text_streamer.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TAppLogic;
class TDocLogic;
class TEditToolBar;
class TRichTextControl;

// "Text Editor": types a new free text or edits the current entry, with its
// description, marks, time and numbering.
class TEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditForm(TAppLogic& app, QWidget* parent = nullptr);
    ~TEditForm() override;

    // Shows the editor modally for a new text, appended on OK.
    void RunNew();
    // Shows it on the current entry, which OK replaces (a library text by an edited copy).
    void RunEdit();
    // The first steps of the two: fill the fields, load the text.
    void PrepareNew();
    void PrepareEdit();

    QLineEdit* DescriptionE = nullptr;
    QLineEdit* MarkNE = nullptr;
    QLineEdit* TimeNE = nullptr;
    QCheckBox* NumberedCB = nullptr;
    TRichTextControl* EditATX = nullptr;
    TEditToolBar* ToolBar() const { return fToolBar; }

public:
    // OK: adds or replaces the entry; the dialog stays open when that cannot be done.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // A whole number from -32768 to 32767, or nothing after telling the user.
    std::optional<std::int16_t> ReadNumber(QLineEdit& field, const char* fieldName);

    TAppLogic& fApp;
    QLabel* fMinutes = nullptr;
    TEditToolBar* fToolBar = nullptr;
    QPushButton* fOk = nullptr;
    QPushButton* fCancel = nullptr;
    TTextStreamer fStreamer;
    TDocLogic* fDoc = nullptr;
    int fEditIndex = -1; // -1: a new text
};
