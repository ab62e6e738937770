#include "shell/gui/PlaceholderPage.h"

#include "shell/gui/ThemeColour.h"

#include <QPainter>

namespace hw {

PlaceholderPage::PlaceholderPage(const QString& title, QWidget* parent)
    : QWidget(parent), title_(title)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlaceholderPage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    DrawRoundBox(p, {0, 0, width(), height()}, 15, Qt::white, ThemeColour(0));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(12, height() / 12));
    p.setFont(font);
    p.setPen(ThemeColour(1));
    p.drawText(rect(), Qt::AlignCenter, title_);
}

} // namespace hw
