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

QString ExecutableDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// The directory, made if missing; empty when it cannot be.
QString MadeDirectory(const QString &path)
{
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return QDir::cleanPath(QDir(path).absolutePath());
}

// True when path is, or could be made, a private directory.
bool EnsurePrivateDirectory(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsPrivateDirectory(path);
}

QString FreshPrivateDirectory(const QString &parent, const QString &prefix)
{
    QByteArray pattern = QFile::encodeName(parent + QLatin1Char('/') + prefix + "-XXXXXX");
    if (!::mkdtemp(pattern.data()))
        return {};
    return QFile::decodeName(pattern);
}

QString MakeRuntimeDirectory()
{
    const QString uid = QString::number(::geteuid());
    QString parent = QDir::cleanPath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QString name = QStringLiteral("tarnwake");
    if (parent.isEmpty() || QDir::isRelativePath(parent) || !IsPrivateDirectory(parent)) {
        parent = QDir::cleanPath(QDir::tempPath());
        name = QStringLiteral("tarnwake-") + uid;
    }
    QString base = parent + QLatin1Char('/') + name;
    if (!EnsurePrivateDirectory(base))
        base = FreshPrivateDirectory(parent, name);
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
    return EnsurePrivateDirectory(scoped) ? scoped : QString();
}

// An installed game's directory is writable to root, yet records must never
// land among the system's programs.
bool IsSystemProgramDirectory(const QString &directory)
{
    static const QString installed = QDir::cleanPath(QStringLiteral(TW_INSTALL_BINDIR));
    return directory == installed || directory.startsWith(QStringLiteral("/usr/")) ||
           directory == QStringLiteral("/bin") || directory == QStringLiteral("/sbin");
}

} // namespace

QString DataDirectory()
{
    const QString forced = qEnvironmentVariable("TARNWAKE_DATA_DIR");
    if (!forced.isEmpty())
        return MadeDirectory(forced);

    const QString executable = QDir::cleanPath(ExecutableDirectory());
    const QFileInfo info(executable);
    if (!executable.isEmpty() && info.isDir() && info.isWritable() &&
        !IsSystemProgramDirectory(executable))
        return executable;

    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return MadeDirectory(dataHome + QStringLiteral("/tarnwake"));
}

QString RuntimeDirectory()
{
    static const QString directory = MakeRuntimeDirectory();
    return directory;
}

QString SystemDirectory()
{
    const QString directory = RuntimeDirectory();
    if (directory.isEmpty())
        return {};
    return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

bool IsPrivateDirectory(const QString &path)
{
    struct stat info
    {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace tw
