#include "gui/CommandWriter.h"

#include "core/SerialChannel.h"
#include "core/ThreadPriority.h"

#include <QMetaObject>

namespace fixscope {

CommandWriter::CommandWriter(SerialChannel& channel, QObject* parent)
    : QObject(parent), channel_(channel)
{
}

CommandWriter::~CommandWriter()
{
    if (thread_.joinable())
        thread_.join(); // the owner closes the channel first, which ends a stuck write
}

bool CommandWriter::Start(std::string bytes)
{
    if (busy_)
        return false;
    if (thread_.joinable())
        thread_.join();
    busy_ = true;
    thread_ = std::thread([this, bytes = std::move(bytes)] {
        LowerCurrentThreadPriority();
        bool ok = channel_.Write(bytes);
        QMetaObject::invokeMethod(
            this,
            [this, ok] {
                if (thread_.joinable())
                    thread_.join();
                busy_ = false;
                emit finished(ok);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace fixscope
