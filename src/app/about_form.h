#pragma once

#include <QDialog>

class QLabel;

// "About Orrin Quarrybook": the picture and the subject name.
class TAboutExForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutExForm(const QString& subject, QWidget* parent = nullptr);
    QLabel* SubjectLabel() const { return fSubject; }
    QLabel* Picture() const { return fPicture; }

private:
    QLabel* fPicture;
    QLabel* fSubject;
};
