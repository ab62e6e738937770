#include "waypoints/gui/CImportCSVPropSheet.h"

#include "base/FormatString.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointTables.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace hw {
CImportCSVPropSheet::CImportCSVPropSheet(const CsvImportSettings& start, const UnitFormatter& units,
                                         QWidget* parent)
    : QDialog(parent), units_(units), start_(start)
{
    setObjectName(QStringLiteral("CImportCSVPropSheet"));
    setWindowTitle(tr("CSV 导入设定"));
    pages_ = new QTabWidget(this);
    pages_->addTab(MakeCsvPage(start), tr("CSV 设定"));
    pages_->addTab(MakeWaypointPage(start), tr("路点设定"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(300);
}

QWidget* CImportCSVPropSheet::MakeCsvPage(const CsvImportSettings& start)
{
    auto* page = new QWidget(pages_);
    order_ = new QComboBox(page);
    order_->addItem(tr("经度、纬度、注释"));
    order_->addItem(tr("纬度、经度、注释"));
    order_->setCurrentIndex(start.latitudeFirst ? 1 : 0);
    skip_ = new QCheckBox(tr("跳过首行"), page);
    skip_->setChecked(start.skipFirstLine);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(order_);
    layout->addWidget(skip_);
    layout->addStretch(1);
    return page;
}

QWidget* CImportCSVPropSheet::MakeWaypointPage(const CsvImportSettings& start)
{
    auto* page = new QWidget(pages_);
    alarm_ = new QCheckBox(tr("启用激活路点"), page);
    alarm_->setChecked(start.alarm);
    distance_ = new QLineEdit(page);
    distance_->setText(QString::fromStdString(
        FormatString("%.02f", units_.SmallDistanceFromMetres(start.alarmDistanceKm * 1000))));
    auto* unit = new QLabel(QString::fromStdString(units_.SmallDistanceUnitLabel()), page);
    messageType_ = new QComboBox(page);
    for (const char* name : ActiveWaypointMessageTypeNames)
        messageType_->addItem(QString::fromStdString(ShownTableName(name)));
    messageType_->setCurrentIndex(start.messageType);
    setSymbol_ = new QCheckBox(tr("手动设置路点图标为:"), page);
    setSymbol_->setChecked(start.setSymbol);
    symbol_ = new QComboBox(page);
    for (int i = 0; i < kSymbolCount; ++i)
        symbol_->addItem(QString::fromStdString(ShownTableName(SymbolNames[i])));
    symbol_->setCurrentIndex(start.symbol);
    symbol_->setEnabled(start.setSymbol);
    connect(setSymbol_, &QCheckBox::toggled, symbol_, &QWidget::setEnabled);

    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(distance_, 1);
    distanceRow->addWidget(unit);
    auto* form = new QFormLayout;
    form->addRow(tr("触发距离:"), distanceRow);
    form->addRow(tr("消息类型:"), messageType_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(alarm_);
    layout->addLayout(form);
    layout->addWidget(setSymbol_);
    layout->addWidget(symbol_);
    layout->addStretch(1);
    return page;
}

CsvImportSettings CImportCSVPropSheet::Values() const
{
    CsvImportSettings v = start_;
    v.latitudeFirst = order_->currentIndex() == 1;
    v.skipFirstLine = skip_->isChecked();
    v.alarm = alarm_->isChecked();
    bool ok = false;
    const double shown = QLocale::c().toDouble(distance_->text().trimmed(), &ok);
    if (ok && shown >= 0 && std::isfinite(shown))
        v.alarmDistanceKm = units_.MetresFromSmallDistance(shown) * 0.001;
    v.messageType = messageType_->currentIndex();
    v.setSymbol = setSymbol_->isChecked();
    v.symbol = symbol_->currentIndex();
    return v;
}

} // namespace hw
