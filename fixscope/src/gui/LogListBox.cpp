#include "gui/LogListBox.h"

namespace fixscope {

LogListBox::LogListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
}

void LogListBox::AddLine(const QString& text)
{
    addItem(text);
    while (count() > kMaxLines)
        delete takeItem(0);
    scrollToBottom();
}

} // namespace fixscope
