#include "instruments/gui/AnalysisWnd.h"

#include "instruments/gui/AltitudeSettingsDialog.h"
#include "instruments/gui/CKORVPlotWnd.h"
#include "units/UnitFormatter.h"
#include "widgets/DrawListPainter.h"
#include "widgets/LongPressMenu.h"
#include "widgets/PopupMenu.h"
#include "widgets/ThemeColour.h"

#include <QContextMenuEvent>
#include <QPainter>

#include <memory>

#include <QCoreApplication>

namespace hw {
namespace {

// Menu 173 "IDR_ANALYSIS_POPUP".
const std::vector<MenuEntry>& AnalysisPopup()
{
    using namespace analysis_cmd;
    static const std::vector<MenuEntry> menu{
        {"1X1", kLayout1x1, {}},
        {"1X2", kLayout1x1 + 1, {}},
        {"1X3", kLayout1x1 + 2, {}},
        {"2X1", kLayout1x1 + 3, {}},
        {"2X2", kLayout1x1 + 4, {}},
        {},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "加速度"), kCurveFirst + kAccelerationCurve, {}},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "海拔"), kCurveFirst + kAltitudeCurve, {}},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "速度"), kCurveFirst + kSpeedCurve, {}},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "轨迹错误"), kCurveFirst + kTrackErrorCurve, {}},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "垂直速度"), kCurveFirst + kVerticalSpeedCurve, {}},
        {},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "清除曲线"), kClearCurve, {}},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "清除全部曲线"), kClearAll, {}},
        {},
        {QT_TRANSLATE_NOOP("AnalysisWnd", "属性..."), kProperties, {}},
    };
    return menu;
}

} // namespace

AnalysisWnd::AnalysisWnd(SettingsStore& settings, QWidget* parent)
    : QWidget(parent), settings_(settings)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    LongPressMenu::Install(this);
    model_.Load(settings_);
    model_.ConfigureAltitude(UnitFormatter(settings_));
    for (int c = 0; c < AnalysisPageModel::kCurves; ++c) {
        plots_[static_cast<size_t>(c)] = new CKORVPlotWnd(model_.Chart(c), this);
        plots_[static_cast<size_t>(c)]->hide(); // the page paints them into its areas
    }
}

void AnalysisWnd::OnFix(const GpsFix& fix, double trackErrorRadians)
{
    model_.OnFix(fix, trackErrorRadians, UnitFormatter(settings_));
    if (isVisible())
        update();
}

void AnalysisWnd::OnRmc()
{
    if (!accelerations_)
        return;
    newAccelerations_.clear();
    accelerationsTaken_ = accelerations_(accelerationsTaken_, newAccelerations_);
    if (newAccelerations_.empty())
        return; // charted by an earlier notice of the same burst
    const UnitFormatter units(settings_);
    for (double acceleration : newAccelerations_)
        model_.OnRmc(acceleration, units);
    if (isVisible())
        update();
}

void AnalysisWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DrawList frames;
    const std::vector<ScreenRect> charts =
        model_.DrawFrames({0, 0, width(), height()}, ThemeColourRef(4), frames);
    DrawListPainter(p).Paint(frames);
    for (size_t a = 0; a < charts.size(); ++a)
        plots_[static_cast<size_t>(model_.CurveOfArea(static_cast<int>(a)))]->Draw(p, charts[a]);
}

void AnalysisWnd::TapAt(QPoint p)
{
    tappedArea_ =
        AnalysisPageModel::AreaAt(model_.Layout(), {0, 0, width(), height()}, {p.x(), p.y()});
}

void AnalysisWnd::contextMenuEvent(QContextMenuEvent* event)
{
    TapAt(event->pos());
    ExecPopupMenu(BuildPopupMenu(this), event->globalPos());
}

QMenu* AnalysisWnd::BuildPopupMenu(QWidget* parent)
{
    return hw::BuildPopupMenu(AnalysisPopup(), *this, parent, "AnalysisWnd");
}

QDialog* AnalysisWnd::MakeAltitudeDialog(QWidget* parent)
{
    return new AltitudeSettingsDialog(model_.Sampler(), settings_, parent);
}

bool AnalysisWnd::HandleCommand(int id)
{
    switch (model_.Handle(id, tappedArea_, settings_)) {
    case AnalysisPageModel::Outcome::NotMine: return false;
    case AnalysisPageModel::Outcome::OpenAltitudeSettings: {
        std::unique_ptr<QDialog> dialog(MakeAltitudeDialog(this));
        if (dialog->exec() == QDialog::Accepted)
            model_.ConfigureAltitude(UnitFormatter(settings_));
        break;
    }
    case AnalysisPageModel::Outcome::Done: break;
    }
    update();
    return true;
}

bool AnalysisWnd::QueryCommand(int id, CommandStatus& status) const
{
    AnalysisPageModel::CommandState state;
    if (!model_.Query(id, tappedArea_, state))
        return false;
    status = {state.enabled, state.checked};
    return true;
}

bool AnalysisWnd::HandlePageKey(NavKey key)
{
    if (key == NavKey::Up)
        model_.ZoomIn();
    else if (key == NavKey::Down)
        model_.ZoomOut();
    else
        return false;
    update();
    return true;
}

} // namespace hw
