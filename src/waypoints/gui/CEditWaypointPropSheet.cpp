#include "waypoints/gui/CEditWaypointPropSheet.h"

#include "waypoints/gui/CEditWaypointPropPage1.h"
#include "waypoints/gui/CEditWaypointPropPage2.h"
#include "waypoints/gui/CEditWaypointPropPage3.h"
#include "waypoints/gui/CEditWaypointPropPage4.h"
#include "waypoints/gui/CEditWaypointPropPage5.h"
#include "waypoints/gui/SheetSize.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hw {

CEditWaypointPropSheet::CEditWaypointPropSheet(const Waypoint& w,
                                               const PositionFormatter& positions,
                                               const UnitFormatter& units, int startPage,
                                               int64_t now, QWidget* parent)
    : QDialog(parent), positions_(positions), units_(units), waypoint_(w),
      values_(WaypointEditValues::From(w, positions, units, now))
{
    setObjectName(QStringLiteral("CEditWaypointPropSheet"));
    setWindowTitle(tr("编辑路点"));
    tabs_ = new QTabWidget(this);
    tabs_->setUsesScrollButtons(true);
    page1_ = new CEditWaypointPropPage1([this] { return values_.useStateIcon != 0; });
    page2_ = new CEditWaypointPropPage2;
    page3_ = new CEditWaypointPropPage3;
    page4_ = new CEditWaypointPropPage4;
    page5_ = new CEditWaypointPropPage5;
    pages_ = {page1_, page2_, page3_, page4_, page5_};
    for (CEditWaypointPropPage* page : pages_) {
        page->Fill(values_);
        tabs_->addTab(page, page->Title());
    }
    // The symbol page's warning sees the state-symbol switch at once.
    connect(page3_, &CEditWaypointPropPage3::UseStateIconChanged, this,
            [this](bool on) { values_.useStateIcon = on ? 1 : 0; });
    tabs_->setCurrentIndex(std::clamp(startPage, 0, static_cast<int>(pages_.size()) - 1));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(OkCancelButtons(this));
    FitSheetToWindow(this, parent);
}

void CEditWaypointPropSheet::accept()
{
    for (CEditWaypointPropPage* page : pages_)
        page->Store(values_);
    values_.ApplyTo(waypoint_, positions_, units_);
    QDialog::accept();
}

} // namespace hw
