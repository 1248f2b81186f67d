#pragma once

#include "model/selector.h"

#include <QFrame>

// One row's paint box: the search's present choice of one kind of category (or the
// tree's root when there is none), inside a sunken bevel of the same size.
class TCategoryBox : public QFrame {
    Q_OBJECT
public:
    TCategoryBox(const TQuestionSelector& selector, TDimension dimension, const QString& name,
                 QWidget* parent);
    // Shows the choice again and tells assistive technology what it now is.
    void Refresh();
    // The bevel stays when a library has no category of the row's kind; the label goes.
    void SetLabelVisible(bool visible);
    QString ChoiceText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TQuestionSelector& fSelector;
    TDimension fDimension;
    bool fLabelVisible = true;
};
