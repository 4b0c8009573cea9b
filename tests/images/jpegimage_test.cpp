// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/jpegimage.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace tw {
namespace {

constexpr int AboutWidth = 400;
constexpr int AboutHeight = 296;

QByteArray aboutJpeg()
{
    QFile file(QStringLiteral(":/images/about.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int luma(QRgb pixel)
{
    return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
}

bool hasQtJpegPlugin()
{
    return QImageReader::supportedImageFormats().contains("jpeg");
}

// Qt's own JPEG plugin writes the pictures the decoder is tried on; without
// it those tests are skipped.
QByteArray encodeWithQt(const QImage &image, bool progressive)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? data : QByteArray();
}

// The frame header of a JPEG: its marker and the fields after it.
struct FrameHeader
{
    int marker = 0;
    int precision = 0;
    int height = 0;
    int width = 0;
    int components = 0;
};

// Walks the marker segments from SOI to the first frame header.
//   FF D8                          SOI
//   FF xx LEN_HI LEN_LO ...        a segment; LEN counts itself, not the marker
//   FF C0..CF (not C4, C8, CC)     a frame header: P, Y (2), X (2), Nf, ...
std::optional<FrameHeader> findFrameHeader(const QByteArray &jpeg)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(jpeg.at(i)); };
    if (jpeg.size() < 4 || at(0) != 0xFF || at(1) != 0xD8)
        return std::nullopt;
    for (qsizetype i = 2; i + 4 <= jpeg.size();) {
        if (at(i) != 0xFF)
            return std::nullopt;
        const int marker = at(i + 1);
        const int length = at(i + 2) << 8 | at(i + 3);
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame && i + 10 <= jpeg.size())
            return FrameHeader{marker, at(i + 4), at(i + 5) << 8 | at(i + 6),
                               at(i + 7) << 8 | at(i + 8), at(i + 9)};
        i += 2 + length;
    }
    return std::nullopt;
}

TEST(decodeJpeg, DecodesTheAboutPicture)
{
    const QByteArray jpeg = aboutJpeg();
    ASSERT_FALSE(jpeg.isEmpty());
    const QImage image = decodeJpeg(jpeg);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(AboutWidth, AboutHeight));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);

    // A night picture: the area under the about text is dark, the moon and
    // the title are bright, and every pixel is opaque.
    long long textAreaLuma = 0;
    int brightest = 0;
    bool allOpaque = true;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            allOpaque = allOpaque && qAlpha(pixel) == 255;
            brightest = std::max(brightest, luma(pixel));
            if (x >= 4 && x < 289 && y >= 4 && y < 225)
                textAreaLuma += luma(pixel);
        }
    }
    EXPECT_TRUE(allOpaque);
    EXPECT_LT(textAreaLuma / (285 * 221), 50);
    EXPECT_GT(brightest, 200);
}

TEST(decodeJpeg, MatchesQtsOwnDecoder)
{
    if (!hasQtJpegPlugin())
        GTEST_SKIP() << "Qt has no JPEG plugin here";
    const QByteArray jpeg = aboutJpeg();
    const QImage reference = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
    const QImage image = decodeJpeg(jpeg);
    ASSERT_EQ(image.size(), reference.size());
    int worst = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = reference.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    // Both are libjpeg; only the inverse transform may round differently.
    EXPECT_LE(worst, 3);
}

TEST(decodeJpeg, AboutPictureIsBaselineWithThreeComponents)
{
    const std::optional<FrameHeader> frame = findFrameHeader(aboutJpeg());
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->marker, 0xC0) << "SOF0, baseline";
    EXPECT_EQ(frame->precision, 8);
    EXPECT_EQ(frame->width, AboutWidth);
    EXPECT_EQ(frame->height, AboutHeight);
    EXPECT_EQ(frame->components, 3);
}

TEST(decodeJpeg, DecodesGreyAndProgressivePictures)
{
    if (!hasQtJpegPlugin())
        GTEST_SKIP() << "Qt has no JPEG plugin here";
    QImage grey(37, 23, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(x * 6);
    }
    const QImage decodedGrey = decodeJpeg(encodeWithQt(grey, false));
    ASSERT_EQ(decodedGrey.size(), grey.size());
    const QRgb middle = decodedGrey.pixel(20, 11);
    EXPECT_EQ(qRed(middle), qGreen(middle));
    EXPECT_EQ(qGreen(middle), qBlue(middle));
    EXPECT_NEAR(qRed(middle), 120, 6);

    QImage colour(50, 30, QImage::Format_RGB32);
    colour.fill(QColor(200, 40, 90));
    const QByteArray progressive = encodeWithQt(colour, true);
    ASSERT_EQ(findFrameHeader(progressive).value_or(FrameHeader{}).marker, 0xC2);
    const QImage decoded = decodeJpeg(progressive);
    ASSERT_EQ(decoded.size(), colour.size());
    EXPECT_NEAR(qRed(decoded.pixel(25, 15)), 200, 6);
    EXPECT_NEAR(qGreen(decoded.pixel(25, 15)), 40, 6);
    EXPECT_NEAR(qBlue(decoded.pixel(25, 15)), 90, 6);
}

TEST(decodeJpeg, RefusesPicturesAboveTheSideLimit)
{
    if (!hasQtJpegPlugin())
        GTEST_SKIP() << "Qt has no JPEG plugin here";
    const auto plain = [](int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        return encodeWithQt(image, false);
    };
    EXPECT_EQ(decodeJpeg(plain(MaxJpegSide, 2)).size(), QSize(MaxJpegSide, 2));
    EXPECT_TRUE(decodeJpeg(plain(MaxJpegSide + 1, 2)).isNull());
    EXPECT_TRUE(decodeJpeg(plain(2, MaxJpegSide + 1)).isNull());
}

// Overwrites the frame header's height and width with 16-bit values.
QByteArray withDimensions(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

TEST(decodeJpeg, RefusesBadInput)
{
    const QByteArray jpeg = aboutJpeg();
    QFile png(QStringLiteral(":/images/cell1.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    QByteArray garbage(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 131 + 7) % 251);

    const struct
    {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"one byte", QByteArray(1, '\xFF')},
        {"only the start marker", QByteArray("\xFF\xD8", 2)},
        {"garbage", garbage},
        {"garbage after a start marker", QByteArray("\xFF\xD8", 2) + garbage},
        {"a PNG", png.readAll()},
        {"header only", jpeg.left(jpeg.indexOf(QByteArray("\xFF\xDA", 2)))},
        {"half the picture", jpeg.left(jpeg.size() / 2)},
        {"no end marker", jpeg.left(jpeg.size() - 2)},
        {"wider than the limit", withDimensions(jpeg, MaxJpegSide + 1, AboutHeight)},
        {"higher than the limit", withDimensions(jpeg, AboutWidth, 65535)},
        {"zero width", withDimensions(jpeg, 0, AboutHeight)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(decodeJpeg(c.data).isNull());
    }
}

TEST(decodeJpeg, IgnoresBytesAfterTheEndMarker)
{
    const QImage image = decodeJpeg(aboutJpeg() + QByteArray(100, 'x'));
    EXPECT_EQ(image.size(), QSize(AboutWidth, AboutHeight));
}

// Cut at many places, the picture never comes back half decoded.
TEST(decodeJpeg, EveryTruncationFails)
{
    const QByteArray jpeg = aboutJpeg();
    ASSERT_FALSE(jpeg.isEmpty());
    for (qsizetype length = 0; length < jpeg.size(); length += 97) {
        SCOPED_TRACE(length);
        EXPECT_TRUE(decodeJpeg(QByteArrayView(jpeg).first(length)).isNull());
    }
}

// Damaged bytes anywhere give a null image or one within the size limit,
// never a crash (the sanitizer build checks the memory accesses).
TEST(decodeJpeg, SurvivesDamagedBytes)
{
    const QByteArray jpeg = aboutJpeg();
    ASSERT_FALSE(jpeg.isEmpty());
    for (qsizetype at = 2; at < jpeg.size(); at += 89) {
        for (const char value : {'\x00', '\xFF', '\x5A'}) {
            QByteArray damaged = jpeg;
            damaged[at] = value;
            const QImage image = decodeJpeg(damaged);
            EXPECT_LE(image.width(), MaxJpegSide) << "byte " << at;
            EXPECT_LE(image.height(), MaxJpegSide) << "byte " << at;
        }
    }
}

} // namespace
} // namespace tw
