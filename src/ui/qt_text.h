#pragma once

#include "framework/cp1252.h"

#include <QString>

#include <string>
#include <string_view>

// The files and the model keep code page 1252 bytes; Qt wants Unicode. These two are the
// only crossing points, so that no byte string reaches a widget unconverted.
inline QString FromCp1252(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

inline std::string ToCp1252(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}
