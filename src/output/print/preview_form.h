#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class QLabel;
class QScrollArea;
class QToolButton;
class TRichTextControl;

// The preview of what the print form holds, one page at a time: the whole page
// fitted into the window or at full size, stepping with Next and Previous, and Print
// printing what is shown.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    // `print` prints what is assembled (the print dialog first).
    TPreviewForm(const TRichTextControl& control, std::function<void()> print,
                 QWidget* parent = nullptr);

    int CurrentPage() const { return fPage; }
    int PageCount() const { return fPageCount; }
    void NextPage();
    void PreviousPage();
    void ShowWholePage();
    void ShowFullSize();
    QToolButton* Button(const char* name) const;
    QLabel* Preview() const { return fImageLabel; }
    QString Caption() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const char* hint, int glyph);
    void Draw();
    void LayOut();

    const TRichTextControl& fControl;
    std::function<void()> fPrint;
    QLabel* fCaption;
    QToolButton* fPrintB;
    QToolButton* fWholeB;
    QToolButton* fZoomB;
    QToolButton* fPrevB;
    QToolButton* fNextB;
    QToolButton* fCloseB;
    QScrollArea* fPreviewSB;
    QWidget* fSheet;
    QLabel* fImageLabel;
    QImage fPageImage; // the page at the screen's density, white, in grey levels
    int fPage = 1;
    int fPageCount = 1;
};
