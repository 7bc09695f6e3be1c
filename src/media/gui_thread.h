// Work for the application (GUI) thread, posted from any thread.
#pragma once

#include <QCoreApplication>

#include <utility>

namespace korvane::media {

// Queues fn to run on the application thread; without an application nothing happens.
template <typename Fn> void onGuiThread(Fn &&fn)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::forward<Fn>(fn), Qt::QueuedConnection);
}

} // namespace korvane::media
