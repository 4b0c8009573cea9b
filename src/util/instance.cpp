// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance.h"

#include "paths.h"

#include <QLockFile>
#include <map>
#include <memory>

namespace tw {
namespace {

// The key as a file name: letters, digits, '-' and '_' only.
QString lockFileName(const QString &key)
{
    QString name = key.isEmpty() ? QStringLiteral("instance") : key;
    for (QChar &c : name) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
        if (!plain)
            c = u'_';
    }
    return name + QStringLiteral(".lock");
}

} // namespace

bool isAnotherInstance(const QString &key)
{
    // Destroyed, and so unlocked, only when the process exits.
    static std::map<QString, std::unique_ptr<QLockFile>> held;
    if (held.count(key))
        return false;

    const QString directory = runtimeDirectory();
    if (directory.isEmpty())
        return false;
    auto lock = std::make_unique<QLockFile>(directory + QLatin1Char('/') + lockFileName(key));
    // The holder may run for days: only a dead holder makes a lock stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        held.emplace(key, std::move(lock));
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

} // namespace tw
