#include "gui/Controls.h"

#include <QVariant>

namespace fixscope {

void SetControlId(QObject* object, int id)
{
    object->setProperty(kControlIdProperty, id);
}

} // namespace fixscope
