#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG with libjpeg; a null image when the data is not a JPEG it can read.
QImage DecodeJpeg(const QByteArray& data);
