// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Things that can sit where the game expects a plain file: a FIFO (whose
// open or read waits for a writer for ever), a listening socket, a
// directory and a device. Each test gets them fresh under names it chooses.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace tw::test {

struct OddFile
{
    const char *kind;
    mode_t type; // S_IFIFO, S_IFSOCK, S_IFDIR or S_IFCHR
};

inline const std::vector<OddFile> &oddFiles()
{
    static const std::vector<OddFile> kinds = {
        {"FIFO", S_IFIFO},
        {"socket", S_IFSOCK},
        {"directory", S_IFDIR},
        {"link to a device", S_IFCHR},
    };
    return kinds;
}

// Makes one at path; the socket is bound and listening until the process
// ends, as a program's would be. False when this system cannot make it.
inline bool makeOddFile(const OddFile &odd, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    switch (odd.type) {
    case S_IFIFO:
        return ::mkfifo(name.constData(), 0600) == 0;
    case S_IFDIR:
        return QDir().mkpath(path);
    case S_IFCHR:
        return ::symlink("/dev/zero", name.constData()) == 0;
    case S_IFSOCK: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(name.size()) >= sizeof address.sun_path)
            return false;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
               ::listen(fd, 1) == 0;
    }
    }
    return false;
}

// True when path still holds what makeOddFile() put there.
inline bool isOddFileIntact(const OddFile &odd, const QString &path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    if (odd.type == S_IFDIR)
        return S_ISDIR(info.st_mode) && QDir(path).isEmpty();
    return (info.st_mode & S_IFMT) == odd.type;
}

} // namespace tw::test
