// SPDX-License-Identifier: GPL-3.0-or-later
#include "paths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

QString executableDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// The directory, made if missing; empty when it cannot be.
QString madeDirectory(const QString &path)
{
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return QDir::cleanPath(QDir(path).absolutePath());
}

// True when path is, or could be made, a private directory.
bool ensurePrivateDirectory(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return isPrivateDirectory(path);
}

QString freshPrivateDirectory(const QString &parent, const QString &prefix)
{
    QByteArray pattern = QFile::encodeName(parent + QLatin1Char('/') + prefix + "-XXXXXX");
    if (!::mkdtemp(pattern.data()))
        return {};
    return QFile::decodeName(pattern);
}

QString makeRuntimeDirectory()
{
    const QString uid = QString::number(::geteuid());
    QString parent = QDir::cleanPath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QString name = QStringLiteral("tarnwake");
    if (parent.isEmpty() || QDir::isRelativePath(parent) || !isPrivateDirectory(parent)) {
        parent = QDir::cleanPath(QDir::tempPath());
        name = QStringLiteral("tarnwake-") + uid;
    }
    QString base = parent + QLatin1Char('/') + name;
    if (!ensurePrivateDirectory(base))
        base = freshPrivateDirectory(parent, name);
    if (base.isEmpty())
        return {};

    const QString dataOverride = qEnvironmentVariable("TARNWAKE_DATA_DIR");
    if (dataOverride.isEmpty())
        return base;
    // The parent is private, so nobody else can have made the subdirectory.
    const QByteArray digest = QCryptographicHash::hash(
        QFile::encodeName(QDir::cleanPath(QDir(dataOverride).absolutePath())),
        QCryptographicHash::Sha1);
    const QString scoped =
        base + QStringLiteral("/data-") + QString::fromLatin1(digest.left(8).toHex());
    return ensurePrivateDirectory(scoped) ? scoped : QString();
}

// An installed game's directory is writable to root, yet records must never
// land among the system's programs.
bool isSystemProgramDirectory(const QString &directory)
{
    static const QString installed = QDir::cleanPath(QStringLiteral(TW_INSTALL_BINDIR));
    return directory == installed || directory.startsWith(QStringLiteral("/usr/")) ||
           directory == QStringLiteral("/bin") || directory == QStringLiteral("/sbin");
}

} // namespace

QString dataDirectory()
{
    const QString forced = qEnvironmentVariable("TARNWAKE_DATA_DIR");
    if (!forced.isEmpty())
        return madeDirectory(forced);

    const QString executable = QDir::cleanPath(executableDirectory());
    const QFileInfo info(executable);
    if (!executable.isEmpty() && info.isDir() && info.isWritable() &&
        !isSystemProgramDirectory(executable))
        return executable;

    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return madeDirectory(dataHome + QStringLiteral("/tarnwake"));
}

QString settingsFilePath()
{
    const QString forced = qEnvironmentVariable("TARNWAKE_DATA_DIR");
    if (!forced.isEmpty())
        return forced + QStringLiteral("/tarnwake.conf");
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/tarnwake/tarnwake.conf");
}

QString runtimeDirectory()
{
    static const QString directory = makeRuntimeDirectory();
    return directory;
}

QString systemDirectory()
{
    const QString directory = runtimeDirectory();
    if (directory.isEmpty())
        return {};
    return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

bool isPrivateDirectory(const QString &path)
{
    struct stat info
    {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace tw
