#pragma once

#include <QTextEdit>

// The editor inside the rich-text control: a QTextEdit that also draws the
// paragraph borders of title texts and the mark under hidden text, and hands the
// font-dialog key (F2) to its owner.
class TRichTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichTextEdit(QWidget* parent = nullptr);

signals:
    void FontDialogRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
