// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <optional>

namespace tw {

// Where the samples of a RIFF WAVE image lie and how to read them.
struct WaveImage
{
    enum class Sample
    {
        UInt8,
        Int16,
        Int32,
        Float32
    };

    Sample sample = Sample::Int16;
    int bitsPerSample = 16;
    int channels = 1;
    int sampleRate = 22050;
    qsizetype dataOffset = 0; // of the first sample in the image
    qsizetype dataSize = 0;   // whole frames only

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 frames() const { return dataSize / bytesPerFrame(); }
    double seconds() const { return double(frames()) / sampleRate; }

    // Reads the header of an uncompressed WAVE image (integer PCM of 8, 16
    // or 32 bits, or 32-bit float). Empty when the image is anything else or
    // damaged: then nothing is played.
    static std::optional<WaveImage> parse(QByteArrayView image);
};

} // namespace tw
