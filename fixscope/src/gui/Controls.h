#pragma once

#include <QWidget>

namespace fixscope {

inline constexpr char kControlIdProperty[] = "controlId";

// Gives a widget or action its control identifier.
void SetControlId(QObject* object, int id);

// The child of `parent` with the given control identifier, or nullptr.
template <typename T = QWidget> T* FindControl(const QObject* parent, int id)
{
    for (T* child : parent->findChildren<T*>())
        if (child->property(kControlIdProperty).toInt() == id)
            return child;
    return nullptr;
}

} // namespace fixscope
