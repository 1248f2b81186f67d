#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Items dragged between the program's lists: the segment identifiers of the
// application's selection, one a line. Only this program reads the type.
inline constexpr char kItemMimeType[] = "application/x-quarrybook-items";

// Drags the given items from `source` until the user drops or cancels; returns
// whether something accepted them.
bool StartItemDrag(QWidget* source, const QStringList& identifiers);
