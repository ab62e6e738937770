#pragma once

#include "map/MapProperties.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace hw {

class UnitFormatter;

// The sheet "地图属性" with its pages "地图", "平均", "过滤器", the
// classes of the map data shown, "地图数据" (roads, areas, lines, points),
// the relief, "地形", and routing, "路线". Leaving the filter page, or OK, with a threshold
// of 0 or less is refused.
class MapPropertiesSheet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFilterPage = 2;
    static constexpr int kRoadsPage = 3;
    static constexpr int kTerrainPage = 4;
    static constexpr int kRoutePage = 5;
    // The pace factors (on Tobler's times) the page offers: half to twice.
    static constexpr double kMinPace = 0.5, kMaxPace = 2.0;

    MapPropertiesSheet(const MapProperties& values, const UnitFormatter& units,
                       QWidget* parent = nullptr);

    // The page a picture's name shows: "map-properties" the first,
    // "map-properties-roads", "-terrain" and "-route" theirs; -1 for
    // another name.
    static int PageOfPicture(const QString& name);

    // The values as entered; valid after the sheet was accepted.
    const MapProperties& Values() const { return values_; }
    QTabWidget* Pages() const { return pages_; }
    QLineEdit* FilterThresholdEntry() const { return filterThreshold_; }
    QLineEdit* CourseThresholdEntry() const { return courseThreshold_; }
    QRadioButton* CourseUpButton() const { return courseUp_; }
    QCheckBox* RoadClassBox(int roadClass) const
    {
        return roadClasses_.at(static_cast<size_t>(roadClass));
    }
    QCheckBox* AreaClassBox(int c) const { return areaClasses_.at(static_cast<size_t>(c)); }
    QCheckBox* LineClassBox(int c) const { return lineClasses_.at(static_cast<size_t>(c)); }
    QCheckBox* PointClassBox(int c) const { return pointClasses_.at(static_cast<size_t>(c)); }

    QCheckBox* TerrainShadingBox() const { return terrainShading_; }
    QCheckBox* TerrainContoursBox() const { return terrainContours_; }
    QSlider* TerrainStrengthSlider() const { return terrainStrength_; }
    QComboBox* RouteModeBox() const { return routeMode_; }
    QComboBox* RouteDifficultyBox() const { return routeDifficulty_; }
    QDoubleSpinBox* CoursePaceBox() const { return coursePace_; }
    QSpinBox* OffCourseBox() const { return offCourse_; }

    void accept() override;

private:
    QWidget* RoutePage(const MapProperties& values);
    // Reads the filter page; false (after the refusal) when a threshold is 0
    // or less.
    bool ReadFilterPage();

    MapProperties values_;
    const UnitFormatter& units_;
    QTabWidget* pages_;
    QRadioButton* northUp_;
    QRadioButton* courseUp_;
    QLineEdit* arrival_;
    QCheckBox* showNavigation_;
    QCheckBox* showAltitude_;
    QCheckBox* largeWaypoints_;
    QCheckBox* largeIcon_;
    QCheckBox* limitAveraging_;
    QLineEdit* hdop_;
    QCheckBox* filterOn_;
    QLineEdit* filterThreshold_;
    QRadioButton* gpsCourse_;
    QRadioButton* computedCourse_;
    QLineEdit* courseThreshold_;
    std::array<QCheckBox*, kRoadClassCount> roadClasses_{};
    std::array<QCheckBox*, kAreaClassCount> areaClasses_{};
    std::array<QCheckBox*, kLineClassCount> lineClasses_{};
    std::array<QCheckBox*, kPointClassCount> pointClasses_{};
    QCheckBox* terrainShading_;
    QCheckBox* terrainContours_;
    QSlider* terrainStrength_;
    QComboBox* routeMode_ = nullptr;
    QComboBox* routeDifficulty_ = nullptr;
    QDoubleSpinBox* coursePace_ = nullptr;
    QSpinBox* offCourse_ = nullptr;
    int currentPage_ = 0;
};

} // namespace hw
