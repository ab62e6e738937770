#include "waypoints/gui/CEditWaypointPropPage1.h"

#include "waypoints/WaypointEditValues.h"
#include "waypoints/gui/CPicEdit.h"
#include "waypoints/gui/SymbolChoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace hw {
namespace {

constexpr const char* kStateIconWarning = QT_TRANSLATE_NOOP(
    "hw::CEditWaypointPropPage1",
    "The \"Set icon to Geocache State\" is checked in the Geocache section of this dialog. "
    "Selecting an icon here may not have any affect.");

QComboBox* HemisphereChoice(const char* first, const char* second, QWidget* parent)
{
    auto* choice = new QComboBox(parent);
    choice->addItem(QString::fromLatin1(first));
    choice->addItem(QString::fromLatin1(second));
    return choice;
}

} // namespace

CEditWaypointPropPage1::CEditWaypointPropPage1(std::function<bool()> stateIconOn, QWidget* parent)
    : CEditWaypointPropPage(parent), stateIconOn_(std::move(stateIconOn))
{
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Name"));
    latitude_ = new CPicEdit(this);
    latitude_->setObjectName(QStringLiteral("Latitude"));
    north_ = HemisphereChoice("N", "S", this);
    longitude_ = new CPicEdit(this);
    longitude_->setObjectName(QStringLiteral("Longitude"));
    east_ = HemisphereChoice("E", "W", this);
    altitude_ = new QLineEdit(this);
    altitude_->setObjectName(QStringLiteral("Altitude"));
    altitudeUnit_ = new QLabel(this);
    symbol_ = new SymbolChoice(this);
    connect(symbol_, &SymbolChoice::Chosen, this, [this] {
        if (stateIconOn_ && stateIconOn_())
            QMessageBox::warning(this, QStringLiteral("Hikewise"), tr(kStateIconWarning));
    });

    const auto row = [this](QWidget* a, QWidget* b) {
        auto* r = new QHBoxLayout;
        r->addWidget(a, 1);
        r->addWidget(b);
        return r;
    };
    auto* form = new QFormLayout(this);
    form->addRow(tr("名称:"), name_);
    form->addRow(tr("纬度:"), row(latitude_, north_));
    form->addRow(tr("经度:"), row(longitude_, east_));
    form->addRow(tr("海拔:"), row(altitude_, altitudeUnit_));
    form->addRow(tr("图标:"), symbol_);
}

QString CEditWaypointPropPage1::Title() const
{
    return tr("设定");
}

void CEditWaypointPropPage1::Fill(const WaypointEditValues& v)
{
    name_->setText(QString::fromStdString(v.name));
    latitude_->SetMask(v.latitudeMask);
    latitude_->SetText(v.latitudeDigits);
    north_->setCurrentIndex(v.latitudeSouth);
    longitude_->SetMask(v.longitudeMask);
    longitude_->SetText(v.longitudeDigits);
    east_->setCurrentIndex(v.longitudeWest);
    altitude_->setText(QString::fromStdString(v.altitude));
    altitudeUnit_->setText(QString::fromStdString(v.altitudeUnit));
    symbol_->SetSymbol(v.icon);
}

void CEditWaypointPropPage1::Store(WaypointEditValues& v) const
{
    v.name = name_->text().toStdString();
    v.latitudeDigits = latitude_->GetText(false);
    v.latitudeSouth = north_->currentIndex() == 1 ? 1 : 0;
    v.longitudeDigits = longitude_->GetText(false);
    v.longitudeWest = east_->currentIndex() == 1 ? 1 : 0;
    v.altitude = altitude_->text().toStdString();
    v.icon = symbol_->Symbol();
}

} // namespace hw
