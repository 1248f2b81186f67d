#include "ui/item_drag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

bool StartItemDrag(QWidget* source, const QStringList& identifiers) {
    if (!source || identifiers.isEmpty()) return false;
    auto* data = new QMimeData;
    const QString text = identifiers.join(QLatin1Char('\n'));
    data->setData(QString::fromLatin1(kItemMimeType), text.toUtf8());
    data->setText(text);
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    return drag->exec(Qt::CopyAction) != Qt::IgnoreAction;
}
