// SPDX-License-Identifier: GPL-3.0-or-later
#include "wavefile.h"

namespace tw {

// A RIFF WAVE image, all numbers little-endian:
//
//   offset  size  field
//        0     4  "RIFF"
//        4     4  size of what follows
//        8     4  "WAVE"
//       12        chunks: a four-letter id, a 32-bit size, that many bytes
//                 and a pad byte when the size is odd
//
// The "fmt " chunk (at least 16 bytes) comes before the "data" chunk:
//
//        0     2  format tag: 1 integer PCM, 3 IEEE float, 0xFFFE extensible
//                 (then the real tag opens the sub-format GUID at offset 24,
//                 and the chunk is at least 40 bytes)
//        2     2  channels
//        4     4  frames per second
//        8     4  bytes per second
//       12     2  bytes per frame (block align)
//       14     2  bits per sample
//
// The "data" chunk holds the frames, channels interleaved; 8-bit samples are
// unsigned, wider ones signed. Other chunks are skipped.
namespace {

constexpr int RiffHeaderSize = 12;
constexpr int ChunkHeaderSize = 8;
constexpr int FormatSize = 16;
constexpr int ExtensibleFormatSize = 40;
constexpr int CanonicalHeaderSize = RiffHeaderSize + ChunkHeaderSize + FormatSize + ChunkHeaderSize;
static_assert(CanonicalHeaderSize == 44, "the common 44-byte header: RIFF, fmt and data");

quint32 le(QByteArrayView data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(data[at + i]);
    return value;
}

} // namespace

std::optional<WaveImage> WaveImage::parse(QByteArrayView image)
{
    if (image.size() < RiffHeaderSize || image.first(4) != QByteArrayView("RIFF") ||
        image.sliced(8, 4) != QByteArrayView("WAVE"))
        return std::nullopt;

    std::optional<WaveImage> format;
    qsizetype at = RiffHeaderSize;
    while (image.size() - at >= ChunkHeaderSize) {
        const QByteArrayView id = image.sliced(at, 4);
        const qint64 size = le(image, at + 4, 4);
        const qsizetype body = at + ChunkHeaderSize;
        if (size > image.size() - body)
            return std::nullopt;
        if (id == QByteArrayView("fmt ")) {
            if (size < FormatSize)
                return std::nullopt;
            quint32 tag = le(image, body, 2);
            if (tag == 0xFFFE) {
                if (size < ExtensibleFormatSize)
                    return std::nullopt;
                tag = le(image, body + 24, 2);
            }
            WaveImage w;
            w.channels = int(le(image, body + 2, 2));
            w.sampleRate = int(le(image, body + 4, 4));
            w.bitsPerSample = int(le(image, body + 14, 2));
            const int blockAlign = int(le(image, body + 12, 2));
            if (tag == 1 && w.bitsPerSample == 8)
                w.sample = Sample::UInt8;
            else if (tag == 1 && w.bitsPerSample == 16)
                w.sample = Sample::Int16;
            else if (tag == 1 && w.bitsPerSample == 32)
                w.sample = Sample::Int32;
            else if (tag == 3 && w.bitsPerSample == 32)
                w.sample = Sample::Float32;
            else
                return std::nullopt;
            if (w.channels < 1 || w.channels > 8 || w.sampleRate < 1000 || w.sampleRate > 384000 ||
                blockAlign != w.bytesPerFrame())
                return std::nullopt;
            format = w;
        } else if (id == QByteArrayView("data")) {
            if (!format)
                return std::nullopt;
            format->dataOffset = body;
            format->dataSize = size - size % format->bytesPerFrame();
            return format;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace tw
