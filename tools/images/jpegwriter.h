// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QImage;

namespace tw::images {

// Encodes an image as a baseline JPEG with three colour components (YCbCr,
// no chroma subsampling) and a JFIF header. libjpeg's own error handler ends
// the program on failure, which is right for a build tool.
QByteArray encodeBaselineJpeg(const QImage &image, int quality);

} // namespace tw::images
