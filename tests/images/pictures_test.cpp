// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tw {
namespace {

enum class Look
{
    Opaque,      // drawn straight onto the board or the counter
    Transparent, // a button picture over the window's own background
};

struct ExpectedPicture
{
    QString file; // under ":/images/"
    QSize size;   // at 1x
    Look look;
    bool doubled; // has a name@2x.png twin
};

void PrintTo(const ExpectedPicture &picture, std::ostream *out)
{
    *out << picture.file.toStdString();
}

QString doubledName(const QString &file)
{
    QString name = file;
    return name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
}

std::vector<ExpectedPicture> expectedPictures()
{
    std::vector<ExpectedPicture> pictures;
    const auto add = [&](const QString &name, QSize size, Look look) {
        pictures.push_back({name + QStringLiteral(".png"), size, look, true});
    };
    for (int i = 0; i <= 5; ++i)
        add(QStringLiteral("cell%1").arg(i), {17, 17}, Look::Opaque);
    for (int i = 1; i <= 15; ++i)
        add(QStringLiteral("col%1").arg(i), {17, 17}, Look::Opaque);
    for (char c = 'A'; c <= 'O'; ++c)
        add(QStringLiteral("row") + QLatin1Char(c), {17, 17}, Look::Opaque);
    for (int i = 0; i <= 9; ++i)
        add(QStringLiteral("digit%1").arg(i), {16, 21}, Look::Opaque);
    for (const char *name : {"arrowLeft", "arrowRight"})
        add(QString::fromLatin1(name), {17, 17}, Look::Transparent);
    for (const char *name : {"start", "pause", "abort", "player", "scores", "about"})
        add(QString::fromLatin1(name), {16, 16}, Look::Transparent);
    pictures.push_back({QStringLiteral("tarnwake.png"), {64, 64}, Look::Transparent, false});
    pictures.push_back({QStringLiteral("tarnwake-256.png"), {256, 256}, Look::Transparent, false});
    return pictures;
}

QImage load(const QString &file)
{
    return QImage(QStringLiteral(":/images/") + file);
}

int countAlpha(const QImage &image, bool opaque)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(argb.pixel(x, y));
            count += opaque ? alpha == 255 : alpha == 0;
        }
    }
    return count;
}

void expectLook(const QImage &image, Look look)
{
    const int pixels = image.width() * image.height();
    if (look == Look::Opaque) {
        // A see-through pixel would let the window background into the board.
        EXPECT_EQ(countAlpha(image, true), pixels);
    } else {
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner should be transparent";
        EXPECT_GT(countAlpha(image, true), pixels / 20) << "the glyph itself should be solid";
    }
}

class PictureTest : public ::testing::TestWithParam<ExpectedPicture>
{};

TEST_P(PictureTest, HasItsSizeAndLookAtBothScales)
{
    const ExpectedPicture &expected = GetParam();
    const QImage single = load(expected.file);
    ASSERT_FALSE(single.isNull()) << "missing :/images/" << expected.file.toStdString();
    EXPECT_EQ(single.size(), expected.size);
    expectLook(single, expected.look);

    if (expected.doubled) {
        const QImage twice = load(doubledName(expected.file));
        ASSERT_FALSE(twice.isNull()) << "missing the @2x twin";
        EXPECT_EQ(twice.size(), expected.size * 2);
        expectLook(twice, expected.look);
    }
}

std::string testName(const ::testing::TestParamInfo<ExpectedPicture> &param)
{
    QString name = param.param.file;
    return name.replace(QLatin1Char('.'), QLatin1Char('_'))
        .replace(QLatin1Char('-'), QLatin1Char('_'))
        .toStdString();
}

INSTANTIATE_TEST_SUITE_P(Resources, PictureTest, ::testing::ValuesIn(expectedPictures()), testName);

// The resource file and the table above must agree, so that no picture ships
// without its size being checked.
TEST(PictureResources, HoldNothingUnexpected)
{
    QSet<QString> known{QStringLiteral("about.jpg")};
    for (const ExpectedPicture &picture : expectedPictures()) {
        known.insert(picture.file);
        if (picture.doubled)
            known.insert(doubledName(picture.file));
    }
    QSet<QString> found;
    for (QDirIterator it(QStringLiteral(":/images")); it.hasNext();)
        found.insert(QFileInfo(it.next()).fileName());
    EXPECT_EQ(found - known, QSet<QString>{});
    EXPECT_EQ(known - found, QSet<QString>{});
}

TEST(PictureResources, BoardCellsDifferFromEachOther)
{
    std::vector<QImage> cells;
    for (int i = 0; i <= 5; ++i)
        cells.push_back(load(QStringLiteral("cell%1.png").arg(i)));
    for (std::size_t a = 0; a < cells.size(); ++a) {
        for (std::size_t b = a + 1; b < cells.size(); ++b)
            EXPECT_NE(cells[a], cells[b]) << "cell" << a << " and cell" << b;
    }
}

// Loaded by its own name, a twin comes with its ratio, so it draws at the
// size of the plain picture.
TEST(PictureResources, DoubledTwinCarriesItsRatio)
{
    const QPixmap cell(QStringLiteral(":/images/cell1@2x.png"));
    EXPECT_EQ(cell.size(), QSize(34, 34));
    EXPECT_EQ(cell.devicePixelRatio(), 2.0);
    EXPECT_EQ(cell.deviceIndependentSize(), QSizeF(17, 17));
}

// Run with QT_SCALE_FACTOR=2 (see CMakeLists.txt): QIcon must find the twin
// by the plain name alone, as the game asks only for that.
TEST(HiDpi, DoublePicturesAreChosen)
{
    if (qApp->devicePixelRatio() < 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    for (const char *name : {"cell1", "start"}) {
        SCOPED_TRACE(name);
        const QString plain = QString::fromLatin1(name) + QStringLiteral(".png");
        const QSize size = load(plain).size();
        const QPixmap pixmap = QIcon(QStringLiteral(":/images/") + plain).pixmap(size);
        EXPECT_EQ(pixmap.size(), size * 2);
        EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                  load(doubledName(plain)).convertToFormat(QImage::Format_ARGB32));
    }
}

} // namespace
} // namespace tw
