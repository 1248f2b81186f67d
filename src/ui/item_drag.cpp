#include "ui/item_drag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

void StartItemDrag(QWidget* source) {
    auto* drag = new QDrag(source);
    auto* data = new QMimeData;
    data->setData(kItemMimeType, QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}
