#include "finder/category_box.h"

#include "model/categories.h"
#include "ui/drawing/drawing.h"
#include "ui/qt_text.h"

#include <QPainter>

TCategoryBox::TCategoryBox(const TQuestionSelector& selector, TDimension dimension,
                           const QString& name, QWidget* parent)
    : QFrame(parent), fSelector(selector), fDimension(dimension) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAccessibleName(name);
    setFocusPolicy(Qt::NoFocus);
    Refresh();
}

QString TCategoryBox::ChoiceText() const {
    const TCategory* c = fLabelVisible ? fSelector.Current(fDimension) : nullptr;
    return c ? FromCp1252(c->Name) : QString();
}

void TCategoryBox::Refresh() {
    const QString text = ChoiceText();
    setAccessibleDescription(text);
    setToolTip(text);
    update();
}

void TCategoryBox::SetLabelVisible(bool visible) {
    fLabelVisible = visible;
    Refresh();
}

void TCategoryBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!fLabelVisible) return;
    const TCategory* c = fSelector.Current(fDimension);
    if (!c) return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.setPen(palette().color(QPalette::WindowText));
    DrawCategoryLabel(painter, *c, 2, 3);
}
