#pragma once

#include "finder/search_commands.h"

#include <QDialog>

#include <functional>

class QListView;
class QPushButton;
class QToolButton;
class TAppLogic;
class TPickModel;

// The category picker: one instance, reused by every search command. The listing mode
// (alphabetical or hierarchical, topics only) is kept from one use to the next.
class TPickForm : public QDialog, public TCategoryPicker {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 216;

    TPickForm(TAppLogic& app, std::function<void(int)> showHelp, QWidget* parent = nullptr);
    ~TPickForm() override;

    TPickResult Execute(TCategory* root, const TSet& candidates, TCategory*& choice) override;
    // What Execute does before it waits for the user; on its own for tests.
    void Prepare(TCategory* root, const TSet& candidates, TCategory* choice);
    // The highlighted category, or null.
    TCategory* Highlighted() const;

    QListView* List() const { return fList; }
    TPickModel* Model() const { return fModel; }
    QPushButton* StartButton() const { return fStart; }
    QPushButton* ContinueButton() const { return fContinue; }
    QPushButton* CancelButton() const { return fCancel; }
    QToolButton* AlphaButton() const { return fAlpha; }
    QToolButton* OutlineButton() const { return fOutline; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill();
    void UpdateButtons();

    TAppLogic& fApp;
    std::function<void(int)> fShowHelp;
    TPickModel* fModel;
    QListView* fList;
    QToolButton* fAlpha;
    QToolButton* fOutline;
    QPushButton* fStart;
    QPushButton* fContinue;
    QPushButton* fCancel;
    TCategory* fRoot = nullptr;
    const TSet* fCandidates = nullptr;
    TCategory* fChoice = nullptr;
    bool fNoOtherRestriction = true;
    bool fTopics = false;
};
