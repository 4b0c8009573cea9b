// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpegimage.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE and size_t without declaring them
#include <jpeglib.h>
#include <limits>

#ifndef JCS_EXTENSIONS
#error "DecodeJpeg needs the extended colour spaces of libjpeg-turbo"
#endif

namespace tw {
namespace {

// QImage::Format_RGB32 keeps a pixel as the 32-bit value 0xffRRGGBB in the
// machine's byte order: the bytes B G R FF on a little-endian machine, FF R G B
// on a big-endian one. libjpeg-turbo writes those orders directly; the "A"
// variants (not "X") guarantee the 0xFF byte.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE OutputSpace = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE OutputSpace = JCS_EXT_ARGB;
#endif
constexpr int OutputBytesPerPixel = 4;

// libjpeg's working memory. A progressive picture keeps all its coefficients
// (two bytes a sample), which this bounds along with MaxJpegSide.
constexpr long MaxLibjpegMemory = 256L * 1024 * 1024;

// Everything one decoding shares with libjpeg's callbacks, which find it
// through client_data. Trivially destructible: it lives in decodeJpeg's frame.
struct Decoder
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf failure{};
};

// libjpeg's error_exit must not return. It jumps back to the setjmp of the
// routine below that called into libjpeg; only C frames and the callbacks'
// own lie in between.
[[noreturn]] void failOnError(j_common_ptr info)
{
    std::longjmp(static_cast<Decoder *>(info->client_data)->failure, 1);
}

// Level -1 is a warning about corrupt data (cut short, bad Huffman code, ...);
// libjpeg would go on and paint grey, but a half-grey picture is a failure
// here. Higher levels are trace messages.
void failOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        failOnError(info);
}

void ignoreMessage(j_common_ptr) {}

// readHeader and readPixels call setjmp. Precondition for both: no object
// with a non-trivial destructor lives in their frames, because longjmp would
// skip its destructor; they only touch the plain C structures of Decoder.

// Creates the decompressor, reads the header and fixes the output format.
// On success info.output_width and output_height are the picture's size.
bool readHeader(Decoder &decoder, const unsigned char *data, unsigned long size)
{
    if (setjmp(decoder.failure) != 0)
        return false;
    jpeg_create_decompress(&decoder.info);
    decoder.info.mem->max_memory_to_use = MaxLibjpegMemory;
    jpeg_mem_src(&decoder.info, data, size);
    if (jpeg_read_header(&decoder.info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (decoder.info.image_width > JDIMENSION{MaxJpegSide} ||
        decoder.info.image_height > JDIMENSION{MaxJpegSide})
        return false;
    decoder.info.out_color_space = OutputSpace;
    jpeg_calc_output_dimensions(&decoder.info);
    return decoder.info.output_components == OutputBytesPerPixel;
}

// Decodes every scanline into rows of bytesPerLine bytes starting at bits,
// which must hold output_height such rows.
bool readPixels(Decoder &decoder, unsigned char *bits, qsizetype bytesPerLine)
{
    if (setjmp(decoder.failure) != 0)
        return false;
    jpeg_start_decompress(&decoder.info);
    while (decoder.info.output_scanline < decoder.info.output_height) {
        JSAMPROW row = bits + qsizetype{decoder.info.output_scanline} * bytesPerLine;
        // The memory source never suspends; no progress means broken data.
        if (jpeg_read_scanlines(&decoder.info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&decoder.info);
    return true;
}

} // namespace

QImage decodeJpeg(QByteArrayView jpegData)
{
    if (jpegData.isEmpty())
        return {};
    // jpeg_mem_src takes the size as unsigned long, 32 bits on some platforms.
    if (static_cast<unsigned long long>(jpegData.size()) >
        std::numeric_limits<unsigned long>::max())
        return {};

    Decoder decoder;
    decoder.info.err = jpeg_std_error(&decoder.errors);
    decoder.errors.error_exit = failOnError;
    decoder.errors.emit_message = failOnWarning;
    decoder.errors.output_message = ignoreMessage;
    decoder.info.client_data = &decoder;

    QImage image;
    if (readHeader(decoder, reinterpret_cast<const unsigned char *>(jpegData.data()),
                   static_cast<unsigned long>(jpegData.size()))) {
        image = QImage(static_cast<int>(decoder.info.output_width),
                       static_cast<int>(decoder.info.output_height), QImage::Format_RGB32);
        if (image.isNull() || !readPixels(decoder, image.bits(), image.bytesPerLine()))
            image = QImage();
    }
    // Safe after any failure: jpeg_create_decompress leaves nothing to free
    // if it failed, and the zeroed structure before it holds no memory either.
    jpeg_destroy_decompress(&decoder.info);
    return image;
}

} // namespace tw
