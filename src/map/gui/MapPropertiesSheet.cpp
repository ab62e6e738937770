#include "map/gui/MapPropertiesSheet.h"

#include "base/Translate.h"

#include "basemap/RoadLayer.h"
#include "course/CourseFollower.h"
#include "route/WalkableWay.h"
#include "units/UnitFormatter.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace hw {
namespace {

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A group of check boxes, two columns, one per class, checked by the mask.
template <std::size_t N>
QGroupBox* ClassGroup(const QString& title, unsigned mask, const char* (*name)(int),
                      std::array<QCheckBox*, N>& boxes)
{
    auto* group = new QGroupBox(title);
    auto* layout = new QGridLayout(group);
    const int rows = static_cast<int>((N + 1) / 2);
    for (int c = 0; c < static_cast<int>(N); ++c) {
        auto* box = new QCheckBox(QString::fromStdString(Translate("RoadLayer", name(c))));
        box->setChecked((mask >> c & 1u) != 0);
        boxes[static_cast<std::size_t>(c)] = box;
        layout->addWidget(box, c % rows, c / rows);
    }
    return group;
}

template <std::size_t N> unsigned MaskOf(const std::array<QCheckBox*, N>& boxes)
{
    unsigned mask = 0;
    for (std::size_t c = 0; c < N; ++c)
        if (boxes[c]->isChecked())
            mask |= 1u << c;
    return mask;
}

} // namespace

MapPropertiesSheet::MapPropertiesSheet(const MapProperties& values, const UnitFormatter& units,
                                       QWidget* parent)
    : QDialog(parent), values_(values), units_(units)
{
    setObjectName(QStringLiteral("MapPropertiesSheet"));
    setWindowTitle(tr("地图属性"));
    pages_ = new QTabWidget(this);

    // 地图
    auto* map = new QWidget;
    auto* mapLayout = new QVBoxLayout(map);
    northUp_ = new QRadioButton(tr("地图正北"));
    courseUp_ = new QRadioButton(tr("航向向上"));
    (values.northUp ? northUp_ : courseUp_)->setChecked(true);
    mapLayout->addWidget(northUp_);
    mapLayout->addWidget(courseUp_);
    auto* arrivalRow = new QHBoxLayout;
    arrivalRow->addWidget(new QLabel(tr("路点到达告警距离:")));
    arrival_ = new QLineEdit(Utf8(values.ArrivalText(units)));
    arrivalRow->addWidget(arrival_, 1);
    arrivalRow->addWidget(new QLabel(Utf8(units.SmallDistanceUnitLabel())));
    mapLayout->addLayout(arrivalRow);
    showNavigation_ = new QCheckBox(tr("显示导航窗口"));
    showNavigation_->setChecked(values.showNavigation);
    showAltitude_ = new QCheckBox(tr("显示海拔高度窗口"));
    showAltitude_->setChecked(values.showAltitude);
    largeWaypoints_ = new QCheckBox(tr("使用大号路点 (VGA)"));
    largeWaypoints_->setChecked(values.largeWaypoints);
    largeIcon_ = new QCheckBox(tr("使用大号位置图标 (VGA)"));
    largeIcon_->setChecked(values.largePositionIcon);
    for (QWidget* w : {static_cast<QWidget*>(showNavigation_), static_cast<QWidget*>(showAltitude_),
                       static_cast<QWidget*>(largeWaypoints_), static_cast<QWidget*>(largeIcon_)})
        mapLayout->addWidget(w);
    mapLayout->addStretch();
    pages_->addTab(map, tr("地图"));

    // 平均
    auto* averaging = new QWidget;
    auto* avgLayout = new QFormLayout(averaging);
    limitAveraging_ = new QCheckBox(tr("限制路点平均"));
    limitAveraging_->setChecked(values.limitAveraging);
    avgLayout->addRow(limitAveraging_);
    hdop_ = new QLineEdit(Utf8(values.HdopText()));
    avgLayout->addRow(tr("HDOP 阀值:"), hdop_);
    pages_->addTab(averaging, tr("平均"));

    // 过滤器
    auto* filter = new QWidget;
    auto* filterLayout = new QFormLayout(filter);
    filterOn_ = new QCheckBox(tr("启用轨迹过滤"));
    filterOn_->setChecked(values.filterEnabled);
    filterLayout->addRow(filterOn_);
    filterThreshold_ = new QLineEdit(Utf8(MapProperties::MetresText(values.filterThresholdKm)));
    filterLayout->addRow(tr("距离阀值:"), filterThreshold_);
    gpsCourse_ = new QRadioButton(tr("使用 GPS 指示的航向"));
    computedCourse_ = new QRadioButton(tr("使用计算得到航向"));
    (values.useGpsCourse ? gpsCourse_ : computedCourse_)->setChecked(true);
    filterLayout->addRow(gpsCourse_);
    filterLayout->addRow(computedCourse_);
    courseThreshold_ = new QLineEdit(Utf8(MapProperties::MetresText(values.courseThresholdKm)));
    filterLayout->addRow(tr("航向距离阀值:"), courseThreshold_);
    pages_->addTab(filter, tr("过滤器"));

    // 地图数据: the classes of roads, areas, lines and points, a group each.
    auto* mapData = new QWidget;
    auto* dataLayout = new QGridLayout(mapData);
    dataLayout->addWidget(
        ClassGroup(tr("道路"), values.roadClasses, RoadLayer::ClassName, roadClasses_), 0, 0, 2, 1);
    dataLayout->addWidget(
        ClassGroup(tr("区域"), values.areaClasses, RoadLayer::AreaClassName, areaClasses_), 0, 1, 2,
        1);
    dataLayout->addWidget(
        ClassGroup(tr("线"), values.lineClasses, RoadLayer::LineClassName, lineClasses_), 2, 0);
    dataLayout->addWidget(
        ClassGroup(tr("点"), values.pointClasses, RoadLayer::PointClassName, pointClasses_), 2, 1);
    dataLayout->setRowStretch(3, 1);
    pages_->addTab(mapData, tr("地图数据"));

    // 地形: hill shading and its strength, contour lines.
    auto* terrain = new QWidget;
    auto* terrainLayout = new QFormLayout(terrain);
    terrainShading_ = new QCheckBox(tr("地形阴影"));
    terrainShading_->setChecked(values.terrainShading);
    terrainLayout->addRow(terrainShading_);
    terrainStrength_ = new QSlider(Qt::Horizontal);
    terrainStrength_->setRange(0, 100);
    terrainStrength_->setPageStep(10);
    terrainStrength_->setValue(values.terrainStrength);
    auto* strengthRow = new QHBoxLayout;
    auto* strengthFigure = new QLabel(QString::number(values.terrainStrength));
    strengthFigure->setMinimumWidth(
        strengthFigure->fontMetrics().horizontalAdvance(QStringLiteral("100")));
    connect(terrainStrength_, &QSlider::valueChanged, strengthFigure,
            [strengthFigure](int v) { strengthFigure->setNum(v); });
    connect(terrainShading_, &QCheckBox::toggled, terrainStrength_, &QWidget::setEnabled);
    terrainStrength_->setEnabled(values.terrainShading);
    strengthRow->addWidget(terrainStrength_, 1);
    strengthRow->addWidget(strengthFigure);
    terrainLayout->addRow(tr("阴影强度"), strengthRow);
    terrainContours_ = new QCheckBox(tr("等高线"));
    terrainContours_->setChecked(values.terrainContours);
    terrainLayout->addRow(terrainContours_);
    pages_->addTab(terrain, tr("地形"));
    pages_->addTab(RoutePage(values), tr("路线"));

    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (currentPage_ == kFilterPage && page != kFilterPage && !ReadFilterPage()) {
            QSignalBlocker block(pages_);
            pages_->setCurrentIndex(kFilterPage);
            return;
        }
        currentPage_ = page;
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(OkCancelButtons(this));
}

int MapPropertiesSheet::PageOfPicture(const QString& name)
{
    static const QHash<QString, int> pages{{QStringLiteral("map-properties"), 0},
                                           {QStringLiteral("map-properties-roads"), kRoadsPage},
                                           {QStringLiteral("map-properties-terrain"), kTerrainPage},
                                           {QStringLiteral("map-properties-route"), kRoutePage}};
    return pages.value(name, -1);
}

// 路线: what a route minimises and the hardest ways it may use.
QWidget* MapPropertiesSheet::RoutePage(const MapProperties& values)
{
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    routeMode_ = new QComboBox;
    routeMode_->addItems({tr("最短"), tr("徒步")});
    routeMode_->setCurrentIndex(values.route.mode == RouteMode::Shortest ? 0 : 1);
    layout->addRow(tr("规划方式:"), routeMode_);
    routeDifficulty_ = new QComboBox;
    for (int d = 0; d <= kMaxDifficulty; ++d)
        routeDifficulty_->addItem(QStringLiteral("T%1").arg(d));
    routeDifficulty_->setCurrentIndex(values.route.maxDifficulty);
    layout->addRow(tr("最高难度:"), routeDifficulty_);
    // How courses are followed: the walker's pace against Tobler's times,
    // and how far from the course counts as off it.
    coursePace_ = new QDoubleSpinBox;
    coursePace_->setRange(kMinPace, kMaxPace);
    coursePace_->setSingleStep(0.05);
    coursePace_->setValue(values.coursePace);
    layout->addRow(tr("步行时间系数:"), coursePace_);
    offCourse_ = new QSpinBox;
    offCourse_->setRange(static_cast<int>(FollowSettings::kMinOffCourseM),
                         static_cast<int>(FollowSettings::kMaxOffCourseM));
    offCourse_->setSuffix(QStringLiteral(" m"));
    offCourse_->setValue(static_cast<int>(std::lround(values.offCourseM)));
    layout->addRow(tr("偏离路线距离:"), offCourse_);
    return page;
}

bool MapPropertiesSheet::ReadFilterPage()
{
    for (QLineEdit* entry : {filterThreshold_, courseThreshold_}) {
        if (!MapProperties::ThresholdKmFromText(entry->text().toStdString())) {
            QMessageBox::warning(this, windowTitle(),
                                 QString::fromStdString(
                                     Translate("MapProperties", MapProperties::kThresholdRefusal)));
            entry->setFocus();
            return false;
        }
    }
    values_.filterEnabled = filterOn_->isChecked();
    values_.filterThresholdKm =
        *MapProperties::ThresholdKmFromText(filterThreshold_->text().toStdString());
    values_.useGpsCourse = gpsCourse_->isChecked();
    values_.courseThresholdKm =
        *MapProperties::ThresholdKmFromText(courseThreshold_->text().toStdString());
    return true;
}

void MapPropertiesSheet::accept()
{
    if (!ReadFilterPage()) {
        pages_->setCurrentIndex(kFilterPage);
        return;
    }
    values_.northUp = northUp_->isChecked();
    values_.arrivalRadiusKm =
        MapProperties::ArrivalKmFromText(arrival_->text().toStdString(), units_);
    values_.showNavigation = showNavigation_->isChecked();
    values_.showAltitude = showAltitude_->isChecked();
    values_.largeWaypoints = largeWaypoints_->isChecked();
    values_.largePositionIcon = largeIcon_->isChecked();
    values_.limitAveraging = limitAveraging_->isChecked();
    values_.hdopThreshold = MapProperties::HdopFromText(hdop_->text().toStdString());
    values_.roadClasses = MaskOf(roadClasses_);
    values_.areaClasses = MaskOf(areaClasses_);
    values_.lineClasses = MaskOf(lineClasses_);
    values_.pointClasses = MaskOf(pointClasses_);
    values_.terrainShading = terrainShading_->isChecked();
    values_.terrainContours = terrainContours_->isChecked();
    values_.terrainStrength = terrainStrength_->value();
    values_.route.mode = routeMode_->currentIndex() == 0 ? RouteMode::Shortest : RouteMode::Hiking;
    values_.route.maxDifficulty = routeDifficulty_->currentIndex();
    values_.coursePace = coursePace_->value();
    values_.offCourseM = offCourse_->value();
    QDialog::accept();
}

} // namespace hw
