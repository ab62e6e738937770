#include "shell/gui/TabContainer.h"

#include "base/CommandIds.h"
#include "base/SettingsStore.h"
#include "base/Translate.h"
#include "base/WindowMessages.h"
#include "instruments/gui/AnalysisWnd.h"
#include "instruments/gui/DigitalPanelView.h"
#include "instruments/gui/GaugePanel.h"
#include "instruments/gui/SatellitePage.h"
#include "map/gui/MapWnd.h"
#include "shell/TabPages.h"
#include "shell/gui/CGPSStatusBar.h"
#include "shell/gui/MapPageParts.h"
#include "widgets/NotificationEvent.h"
#include "widgets/PageKeyHandler.h"
#include "widgets/SavesOnExit.h"
#include "widgets/ThemeColour.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace hw {
namespace {

// Pages offered commands, in this order; the GPS page is not offered any.
constexpr int kCommandOrder[] = {kGaugePage, kMapPage, kTripPage, kAnalysisPage};

NavKey ToNavKey(int key)
{
    switch (key) {
    case Qt::Key_Up: return NavKey::Up;
    case Qt::Key_Down: return NavKey::Down;
    case Qt::Key_Left: return NavKey::Left;
    case Qt::Key_Right: return NavKey::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter: return NavKey::Enter;
    default: return NavKey::Other;
    }
}

} // namespace

TabContainer::TabContainer(SettingsStore& settings, FixSource fix, QWidget* parent)
    : QWidget(parent), settings_(settings), fix_(std::move(fix))
{
    setObjectName(QStringLiteral("TabContainer"));
    setFocusPolicy(Qt::StrongFocus);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("TabStrip"));
    tabs_->setProperty("controlId", kTabStripId);
    tabs_->setFocusPolicy(Qt::NoFocus);
    tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);
    tabs_->setDocumentMode(true);
    tabs_->setTabPosition(QTabWidget::South);

    // The map window comes first: its fix handling feeds the other pages.
    map_ = new MapWnd(settings_, fix_, std::make_unique<MapPageParts>(this));
    // Each fix reaches the charts once, after the map has handled it.
    connect(map_, &MapWnd::FixHandled, this, [this](const GpsFix& handled) {
        if (analysis_)
            analysis_->OnFix(handled, map_->Nav().CrossTrackError());
    });
    const PanelSources sources{map_->Trip(),    map_->Nav(),  map_->SystemTime(),
                               map_->Battery(), map_->Zone(), fix_};
    for (const TabPageInfo& info : kTabPages) {
        QWidget* page = nullptr;
        if (info.controlId == kTabPages[kGpsPage].controlId)
            page = new SatellitePage(fix_, settings_);
        else if (info.controlId == kTabPages[kMapPage].controlId)
            page = map_;
        else if (info.controlId == kTabPages[kGaugePage].controlId)
            page = gauges_ = new GaugePanel(sources, map_->Trip(), settings_);
        else if (info.controlId == kTabPages[kTripPage].controlId)
            page = new DigitalPanelView(sources, map_->Trip(), settings_);
        else
            page = analysis_ = new AnalysisWnd(settings_);
        page->setObjectName(QString::fromUtf8(info.windowName));
        page->setProperty("controlId", info.controlId);
        page->setFocusPolicy(Qt::NoFocus);
        tabs_->addTab(page, QString::fromStdString(Translate("TabPages", info.title)));
    }
    tabs_->setCurrentIndex(0);
    statusBar_ = new CGPSStatusBar(this);
    PaintTabStrip();
    SetTabStripVisible(settings_.GetInt(section::kSettings, kTabStripSetting, 1) != 0);
    LayOut();
}

QWidget* TabContainer::Page(int index) const
{
    return tabs_->widget(index);
}
int TabContainer::PageCount() const
{
    return tabs_->count();
}
int TabContainer::CurrentPage() const
{
    return tabs_->currentIndex();
}

void TabContainer::ShowPage(int index)
{
    if (index < 0 || index >= kMaxTabPages || index >= tabs_->count())
        return;
    tabs_->setCurrentIndex(index);
}

// The tab strip takes the theme's panel colours, so that a dark theme is
// dark from edge to edge.
void TabContainer::PaintTabStrip()
{
    const auto css = [](int slot) { return ThemeColour(slot).name(); };
    tabs_->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar { background: %1; }"
                       "QTabBar::tab { background: %1; color: %2; border: 1px solid %3;"
                       " padding: 3px 10px; }"
                       "QTabBar::tab:selected { background: %4; color: %5; }")
            .arg(css(0), css(1), css(4), css(2), css(3)));
    tabs_->update();
}

bool TabContainer::TabStripVisible() const
{
    return !tabs_->tabBar()->isHidden();
}

void TabContainer::SetTabStripVisible(bool visible)
{
    tabs_->tabBar()->setVisible(visible);
}

void TabContainer::ApplyTheme(int theme)
{
    SetTheme(settings_, theme);
    PaintTabStrip();
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->widget(i)->update();
    statusBar_->update();
}

void TabContainer::SaveOnExit()
{
    for (int i = 0; i < PageCount(); ++i)
        if (auto* page = dynamic_cast<SavesOnExit*>(Page(i)))
            page->SaveOnExit();
}

bool TabContainer::HandleCommand(int id)
{
    for (int index : kCommandOrder)
        if (auto* target = dynamic_cast<CommandTarget*>(Page(index)))
            if (target->HandleCommand(id))
                return true;
    if (id == cmd::kTabWindows) {
        const bool visible = !TabStripVisible();
        SetTabStripVisible(visible);
        settings_.SetInt(section::kSettings, kTabStripSetting, visible ? 1 : 0);
        return true;
    }
    return false;
}

bool TabContainer::QueryCommand(int id, CommandStatus& status) const
{
    for (int index : kCommandOrder)
        if (auto* target = dynamic_cast<const CommandTarget*>(Page(index)))
            if (target->QueryCommand(id, status))
                return true;
    if (id == cmd::kTabWindows) {
        status = {true, TabStripVisible()};
        return true;
    }
    return false;
}

bool TabContainer::event(QEvent* event)
{
    if (event->type() == NotificationEvent::EventType()) {
        OnGpsNotification(static_cast<NotificationEvent*>(event)->Message());
        return true;
    }
    return QWidget::event(event);
}

void TabContainer::OnGpsNotification(uint32_t message)
{
    const int shown = CurrentPage();
    switch (message) {
    case WM_GPS_SENTENCE: {
        const GpsFix fix = fix_ ? fix_() : GpsFix{};
        statusBar_->OnSentence(fix.fixQuality, fix.SatellitesUsedAll());
        break;
    }
    case WM_GPS_GGA:
        QCoreApplication::postEvent(Page(kMapPage), new NotificationEvent(WM_GPS_GGA));
        for (int index : {kTripPage, kGaugePage, kGpsPage})
            if (shown == index)
                Page(index)->update();
        break;
    case WM_GPS_RMC:
        if (analysis_)
            analysis_->OnRmc();
        break;
    default: break;
    }
}

void TabContainer::keyPressEvent(QKeyEvent* event)
{
    const NavKey key = ToNavKey(event->key());
    const int shown = CurrentPage();
    const KeyRoute route = RouteKey(shown, key);
    auto* handler = dynamic_cast<PageKeyHandler*>(Page(shown));
    if (route == KeyRoute::PageUpDown) {
        if (handler)
            handler->HandlePageKey(key);
        return;
    }
    if (route == KeyRoute::TripFirst && handler && handler->HandlePageKey(key))
        return;
    if (key == NavKey::Left || key == NavKey::Right) {
        ShowPage(NextPage(shown, PageCount(), key == NavKey::Right));
        return;
    }
    QWidget::keyPressEvent(event);
}

void TabContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TabContainer::LayOut()
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    const int barHeight = StatusBarModel::Height(dpi);
    tabs_->setGeometry(0, 0, width(), std::max(0, height() - barHeight));
    statusBar_->setGeometry(0, height() - barHeight, width(), barHeight);
}

} // namespace hw
