#pragma once

#include <QDialog>

class QLabel;

// "About Orrin Quarrybook": the picture, the subject name and the program's version.
class TAboutExForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutExForm(const QString& subject, QWidget* parent = nullptr);
    QLabel* SubjectLabel() const { return fSubject; }
    QLabel* Picture() const { return fPicture; }
    QLabel* VersionLabel() const { return fVersion; }

private:
    QLabel* fPicture;
    QLabel* fSubject;
    QLabel* fVersion;
};
