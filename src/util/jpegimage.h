// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>

// Decoding of the JPEG pictures the program carries (the about box's title
// picture), with libjpeg.

namespace tw {

// Largest width or height decodeJpeg accepts, so that a damaged or hostile
// header cannot make it allocate gigabytes.
inline constexpr int MaxJpegSide = 8192;

// Decodes a complete JPEG (baseline or progressive; greyscale or YCbCr) into
// an image of QImage::Format_RGB32. Returns a null image, and never aborts
// the process, when the data is empty, not a JPEG, damaged or cut short
// (any error or warning of libjpeg counts), wider or higher than MaxJpegSide,
// or in a colour space libjpeg cannot turn into RGB (CMYK).
QImage decodeJpeg(QByteArrayView jpegData);

} // namespace tw
