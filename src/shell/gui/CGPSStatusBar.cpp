#include "shell/gui/CGPSStatusBar.h"

#include "widgets/ThemeColour.h"

#include <QPainter>

namespace hw {

CGPSStatusBar::CGPSStatusBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CGPSStatusBar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    flashTimer_.setSingleShot(true);
    connect(&flashTimer_, &QTimer::timeout, this, [this] {
        model_.FlashEnded();
        update();
    });
    Flash(StatusBarModel::kStartFlashMs);
}

void CGPSStatusBar::OnSentence(int fixQuality, int satellitesUsed)
{
    model_.OnSentence(fixQuality, satellitesUsed, ThemeColourRef(4));
    Flash(StatusBarModel::kSentenceFlashMs);
}

void CGPSStatusBar::Flash(int ms)
{
    model_.Flash();
    flashTimer_.start(ms);
    update();
}

void CGPSStatusBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const auto layout = model_.LayOut(width(), height());
    DrawBox(p, layout.blocksArea, ThemeColour(4), Qt::white);
    const QColor block = ToQColor(model_.BlockColour());
    for (const ScreenRect& r : layout.blocks)
        DrawBox(p, r, block, block);
    const QColor led = ToQColor(model_.LedColour());
    DrawBox(p, layout.led, led, led);
}

} // namespace hw
