// SPDX-License-Identifier: GPL-3.0-or-later
#include "instancelink.h"

#include "util/paths.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>

namespace tw {

QString instanceSocketPath(const QString &key)
{
    const QString directory = runtimeDirectory();
    if (directory.isEmpty())
        return {};
    QString name = key;
    for (QChar &c : name) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            c = u'_';
    }
    return directory + QLatin1Char('/') + name + QStringLiteral(".socket");
}

InstanceServer::InstanceServer(const QString &key, QObject *parent)
    : QObject(parent), m_server(new QLocalServer(this))
{
    const QString path = instanceSocketPath(key);
    if (path.isEmpty())
        return;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptPending);
    m_server->listen(path);
}

bool InstanceServer::isListening() const
{
    return m_server->isListening();
}

void InstanceServer::acceptPending()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->disconnectFromServer();
        socket->deleteLater();
        emit activationRequested();
    }
}

bool forwardToRunningInstance(const QString &key, int timeoutMs)
{
    const QString path = instanceSocketPath(key);
    if (path.isEmpty())
        return false;
    // A short-lived process with nothing else to do: blocking waits, bounded.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    // The game answers by closing the connection once it has taken it.
    const bool answered = socket.waitForDisconnected(int(deadline.remainingTime()));
    socket.abort();
    return answered;
}

} // namespace tw
