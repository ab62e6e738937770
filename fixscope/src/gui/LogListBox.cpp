#include "gui/LogListBox.h"

#include <QFontDatabase>

namespace fixscope {

LogListBox::LogListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    // Sentences are shown whole, in a fixed-pitch font, scrolled sideways when long.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(font().pointSizeF() * 0.9);
    setFont(fixed);
}

void LogListBox::AddLine(const QString& text)
{
    addItem(text);
    while (count() > kMaxLines)
        delete takeItem(0);
    scrollToBottom();
}

} // namespace fixscope
