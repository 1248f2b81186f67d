#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The user manual: a contents list, a search box and the page. Help contexts of the
// menus and windows open the matching section.
class THelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    void ShowContext(int context);
    void FocusSearch();
    // The page shown, as a file name with its anchor ("documents.html#file").
    QString CurrentPage() const;
    // Where the manual's pages are: QUARRYBOOK_MANUAL_DIR, the copy installed beside
    // the program, the source tree's docs/manual (from the build tree only), or the
    // copy in the installation prefix.
    static QString ManualFolder();
    // The page (and anchor) of a help context.
    static QString PageForContext(int context);

private:
    void Search(const QString& words);

    QTextBrowser* fBrowser;
    QLineEdit* fSearch;
    QListWidget* fResults;
};
