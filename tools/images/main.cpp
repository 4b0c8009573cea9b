// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game and writes them as PNG (at 1x and 2x) and
// JPEG files, plus the resource file that lists them. See README.md.

#include "artwork.h"
#include "boardpictures.h"
#include "buttonpictures.h"
#include "jpegwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

using tw::images::Picture;

constexpr int AboutJpegQuality = 90;

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage render(const Picture &picture, int scale)
{
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.paint(painter);
    painter.end();
    // The written file carries no ratio; Qt derives it from the @2x name.
    image.setDevicePixelRatio(1);
    return image;
}

// For sizes that are no whole multiple of the drawing (the desktop's 22 and
// 24 pixel icons), the painter scales the drawing itself.
QImage renderSquare(const picture &picture, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(qreal(pixels) / picture.size.width(), qreal(pixels) / picture.size.height());
    picture.paint(painter);
    painter.end();
    return image;
}

// The sizes of the desktop's hicolor icon theme that the game ships.
constexpr int HicolorSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// The launcher icon under the application id, as icon themes look it up:
// ICON_DIR/hicolor/NxN/apps/org.tarnwake.Tarnwake.png.
bool writeHicolorIcons(const picture &icon, const QString &iconDir)
{
    bool ok = true;
    for (int pixels : HicolorSizes) {
        const QString size = QStringLiteral("%1x%1").arg(pixels);
        QDir directory(iconDir + QStringLiteral("/hicolor/") + size + QStringLiteral("/apps"));
        const QString path = directory.filePath(QStringLiteral("org.tarnwake.Tarnwake.png"));
        if (!directory.mkpath(QStringLiteral(".")) ||
            !renderSquare(icon, pixels).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

class Writer
{
public:
    explicit Writer(QDir directory) : m_directory(std::move(directory)) {}

    bool writePng(const Picture &picture, int scale, const QString &fileName)
    {
        const QString path = m_directory.filePath(fileName);
        if (!render(picture, scale).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        m_written << fileName;
        return true;
    }

    bool writeJpeg(const QImage &image, const QString &fileName)
    {
        if (!writeFile(m_directory.filePath(fileName),
                       tw::images::encodeBaselineJpeg(image, AboutJpegQuality)))
            return false;
        m_written << fileName;
        return true;
    }

    // The resource file lies one level above the pictures; each picture keeps
    // its bare name under the /images prefix (":/images/cell0.png").
    bool writeQrc(const QString &qrcPath) const
    {
        const QString relative =
            QFileInfo(qrcPath).absoluteDir().relativeFilePath(m_directory.absolutePath());
        QByteArray text;
        QTextStream out(&text);
        out << "<!-- Written by tools/images; regenerate instead of editing. -->\n"
            << "<RCC>\n    <qresource prefix=\"/images\">\n";
        for (const QString &name : m_written)
            out << "        <file alias=\"" << name << "\">" << relative << '/' << name
                << "</file>\n";
        out << "    </qresource>\n</RCC>\n";
        out.flush();
        return writeFile(qrcPath, text);
    }

    qsizetype count() const { return m_written.size(); }

private:
    QDir m_directory;
    QStringList m_written;
};

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [QRC_FILE [ICON_DIR]]\n",
                     qPrintable(args.value(0)));
        return 2;
    }
    // The labels and the title need these families; fail rather than write
    // pictures in a fallback font.
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")}) {
        if (!QFontDatabase::hasFamily(family)) {
            std::fprintf(stderr, "font family %s is missing (Debian: fonts-dejavu-core)\n",
                         qPrintable(family));
            return 1;
        }
    }
    QDir directory(args.at(1));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }

    Writer writer(directory);
    bool ok = true;
    std::vector<Picture> pictures = tw::images::cellPictures();
    for (auto &&group : {tw::images::frameLabelPictures(), tw::images::digitPictures(),
                         tw::images::arrowPictures(), tw::images::buttonPictures()})
        pictures.insert(pictures.end(), group.begin(), group.end());
    for (const Picture &picture : pictures) {
        ok = writer.writePng(picture, 1, picture.name + QStringLiteral(".png")) && ok;
        ok = writer.writePng(picture, 2, picture.name + QStringLiteral("@2x.png")) && ok;
    }
    // The window icon comes in the two sizes desktops ask for most.
    const Picture icon = tw::images::appIcon();
    ok = writer.writePng(icon, 1, icon.name + QStringLiteral(".png")) && ok;
    ok = writer.writePng(icon, 4, icon.name + QStringLiteral("-256.png")) && ok;
    ok = writer.writeJpeg(tw::images::aboutPicture(), QStringLiteral("about.jpg")) && ok;

    if (args.size() >= 3)
        ok = writer.writeQrc(args.at(2)) && ok;
    if (args.size() == 4)
        ok = writeHicolorIcons(icon, args.at(3)) && ok;
    std::printf("%lld files written to %s\n", static_cast<long long>(writer.count()),
                qPrintable(directory.path()));
    return ok ? 0 : 1;
}
