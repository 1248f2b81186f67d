#pragma once

#include <QWidget>

class QMenu;
class QToolButton;
class TRichTextControl;

// The text editor's tool bar: styles, font, character and paragraph formats, the
// clipboard and pictures, all acting on one rich-text control. The format buttons
// show the format at the cursor.
class TEditToolBar : public QWidget {
    Q_OBJECT
public:
    TEditToolBar(TRichTextControl& control, QWidget* parent = nullptr);

    QToolButton* Button(const char* name) const;
    QMenu* StyleMenu() const { return fStyleMenu; }
    // The five paragraph styles of the style menu, by their place in it.
    enum class TStyle { Indent1, Indent2, Indent3, Body, Mark };
    void ApplyStyle(TStyle style);
    // Reads the format at the cursor into the buttons' down state.
    void UpdateButtons();

private:
    QToolButton* AddButton(const char* name, const char* hint, int glyph, int left, bool checkable);
    void InsertPicture();

    TRichTextControl& fControl;
    QMenu* fStyleMenu = nullptr;
};
