#pragma once

#include "widgets/NotificationEvent.h"

#include <QObject>

#include <vector>

// Records the notifications that reach the object it filters.
class NotificationRecorder : public QObject {
public:
    std::vector<uint32_t> messages;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == hw::NotificationEvent::EventType())
            messages.push_back(static_cast<hw::NotificationEvent*>(event)->Message());
        return false;
    }
};
