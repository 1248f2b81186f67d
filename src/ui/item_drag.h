#pragma once

#include <QString>

class QWidget;

// What an item list hands to a drop target: the application's selection is the
// payload, so the MIME data carries only this type.
inline const QString kItemMimeType = QStringLiteral("application/x-quarrybook-items");

// Starts dragging the application's selection from a list; returns when it is dropped
// or cancelled.
void StartItemDrag(QWidget* source);
