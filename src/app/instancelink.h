// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace tw {

// The running game's side of a second start: a local socket beside the
// single-instance lock (runtimeDirectory(), named after the same key), on
// which every connection asks the game to come forward. Only the holder of
// the lock may make one, so an existing socket file is a dead game's and is
// replaced.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit InstanceServer(const QString &key, QObject *parent = nullptr);

    bool isListening() const;

signals:
    void activationRequested();

private:
    void acceptPending();

    QLocalServer *m_server;
};

// The second start's side: asks the game that holds the lock of key to come
// forward. Waits at most timeoutMs for it; a game that does not listen, or
// does not take the connection in time, is left alone. Writes no file.
// Answers whether the request was delivered.
bool forwardToRunningInstance(const QString &key, int timeoutMs = 1000);

// The socket's path for key; empty when there is no private directory.
QString instanceSocketPath(const QString &key);

} // namespace tw
