#pragma once

#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// A label with a mnemonic for `field`, which takes the label's words as its
// accessible name so that a screen reader announces what the field is for.
QLabel* MakeFieldLabel(const char* caption, QWidget* field, QWidget* parent);
// "&OK" (the default button, running the dialog's accept) and "&Cancel".
QPushButton* MakeOkButton(QDialog& dialog);
QPushButton* MakeCancelButton(QDialog& dialog);
// Places a dialog in the middle of the screen it is shown on.
void CentreOnScreen(QWidget& dialog);
