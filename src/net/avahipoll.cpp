// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/avahipoll.h"

#include <QSocketNotifier>
#include <QTimer>
#include <avahi-common/timeval.h>
#include <avahi-common/watch.h>
#include <memory>

// The opaque types of avahi-common/watch.h, defined by every poll
// implementation.
struct AvahiWatch
{
    int fd = -1;
    AvahiWatchCallback callback = nullptr;
    void *userdata = nullptr;
    AvahiWatchEvent lastEvent = AvahiWatchEvent(0); // of the callback now running
    QSocketNotifier *read = nullptr;
    QSocketNotifier *write = nullptr;
};

struct AvahiTimeout
{
    QTimer *timer = nullptr;
};

namespace tw {

namespace {

// A notifier is dropped with deleteLater(): Avahi may free a watch from
// inside the callback that the notifier's own signal is running.
void drop(QSocketNotifier *&notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->disconnect();
    notifier->deleteLater();
    notifier = nullptr;
}

QSocketNotifier *makeNotifier(AvahiWatch *watch, QSocketNotifier::Type type, AvahiWatchEvent event)
{
    auto *notifier = new QSocketNotifier(watch->fd, type);
    QObject::connect(notifier, &QSocketNotifier::activated, [watch, event] {
        watch->lastEvent = event;
        // The callback may free the watch: nothing of it is touched after.
        watch->callback(watch, watch->fd, event, watch->userdata);
    });
    return notifier;
}

void watchUpdate(AvahiWatch *watch, AvahiWatchEvent events)
{
    if (events & AVAHI_WATCH_IN) {
        if (!watch->read)
            watch->read = makeNotifier(watch, QSocketNotifier::Read, AVAHI_WATCH_IN);
    } else {
        drop(watch->read);
    }
    if (events & AVAHI_WATCH_OUT) {
        if (!watch->write)
            watch->write = makeNotifier(watch, QSocketNotifier::Write, AVAHI_WATCH_OUT);
    } else {
        drop(watch->write);
    }
}

AvahiWatch *watchNew(const AvahiPoll *, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void *userdata)
{
    auto *watch = new AvahiWatch;
    watch->fd = fd;
    watch->callback = callback;
    watch->userdata = userdata;
    watchUpdate(watch, events);
    return watch;
}

AvahiWatchEvent watchGetEvents(AvahiWatch *watch)
{
    return watch->lastEvent;
}

void watchFree(AvahiWatch *watch)
{
    drop(watch->read);
    drop(watch->write);
    delete watch;
}

// tv is a time of day (absolute) or null: disarmed.
void timeoutUpdate(AvahiTimeout *timeout, const struct timeval *tv)
{
    if (!tv) {
        timeout->timer->stop();
        return;
    }
    const AvahiUsec ahead = -avahi_age(tv);
    timeout->timer->start(ahead <= 0 ? 0 : static_cast<int>((ahead + 999) / 1000));
}

AvahiTimeout *timeoutNew(const AvahiPoll *, const struct timeval *tv, AvahiTimeoutCallback callback,
                         void *userdata)
{
    auto *timeout = new AvahiTimeout;
    timeout->timer = new QTimer;
    timeout->timer->setSingleShot(true);
    QObject::connect(timeout->timer, &QTimer::timeout,
                     [timeout, callback, userdata] { callback(timeout, userdata); });
    timeoutUpdate(timeout, tv);
    return timeout;
}

void timeoutFree(AvahiTimeout *timeout)
{
    timeout->timer->stop();
    timeout->timer->disconnect();
    timeout->timer->deleteLater(); // may be freed from inside its own callback
    delete timeout;
}

} // namespace

const AvahiPoll *qtAvahiPoll()
{
    static const AvahiPoll poll{nullptr,   watchNew,   watchUpdate,   watchGetEvents,
                                watchFree, timeoutNew, timeoutUpdate, timeoutFree};
    return &poll;
}

} // namespace tw
