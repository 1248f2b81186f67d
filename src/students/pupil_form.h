#pragma once

#include "app/logic/user_prompts.h"
#include "students/student_list.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class TPupilCellDelegate;

// What the student list window asks of the user: file names and the save question.
// The window answers with dialogs; tests script the answers.
class TPupilDialogs {
public:
    virtual ~TPupilDialogs() = default;
    // Empty when the user cancels.
    virtual QString OpenListName(QWidget* parent) = 0;
    virtual QString SaveListName(QWidget* parent) = 0;
    virtual QString ImportName(QWidget* parent) = 0;
    // "The list has changed. Do you want to save it?" with Yes, No and Cancel.
    virtual TAnswer AskToSave(QWidget* parent) = 0;
    virtual void Warn(QWidget* parent, const std::string& utf8) = 0;
    virtual void Error(QWidget* parent, const std::string& utf8) = 0;
};

// The file dialogs and message boxes of the window.
std::unique_ptr<TPupilDialogs> MakePupilDialogs();

// Edits one class list: a grid of surname, forename, date of birth and sex with one
// row per student, read from and saved to student list files, or started from a
// comma-separated file.
class TPupilForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 590;
    static constexpr int kHeight = 527;

    explicit TPupilForm(QWidget* parent = nullptr,
                        std::unique_ptr<TPupilDialogs> dialogs = MakePupilDialogs());
    ~TPupilForm() override;

    QTableWidget* Grid() const { return fGrid; }
    bool Modified() const { return fModified; }
    const QString& FileName() const { return fFileName; }
    // Rows 1 to 39 as they stand.
    std::vector<TStudent> Rows() const;

    // The button actions, each after the save question where it asks one.
    void NewList();
    void OpenList();
    void ImportList();
    bool SaveList();
    bool SaveListAs();
    void DeleteRow();
    void EditCell();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TPupilCellDelegate;
    // False when the user cancels or the save fails: the action that asked stops.
    bool AskToSave();
    void StartOver();
    void ForgetFileName();
    void Fill(const TStudentListRead& read);
    bool WriteTo(const QString& name);
    void FocusFirstCell();
    void EditCurrent();
    void MoveOn();
    void SetCell(int row, int column, const std::string& cp1252);
    std::string Cell(int row, int column) const;
    void FocusChanged(QWidget* now);
    TPupilCellDelegate& Delegate() const;

    std::unique_ptr<TPupilDialogs> fDialogs;
    QTableWidget* fGrid = nullptr;
    QPushButton* fNew = nullptr;
    QPushButton* fOpen = nullptr;
    QPushButton* fImport = nullptr;
    QPushButton* fSave = nullptr;
    QPushButton* fSaveAs = nullptr;
    QPushButton* fClose = nullptr;
    QPushButton* fEdit = nullptr;
    QPushButton* fDelete = nullptr;
    bool fModified = false;
    bool fFilling = false;
    QString fFileName;
};
