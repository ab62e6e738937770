#pragma once

#include <QImage>
#include <QWidget>

namespace hw {

class AltitudeProfile;
class NavigationSource;
class UnitFormatter;

// The altitude profile "AltProfileWnd": the altitudes of the latest fixes as
// a silhouette, newest at the right; while a course is followed, the
// course's heights with the walker's place. Its tap-and-hold menu asks the map
// window to clear it, hide it or open the map properties.
class AltProfileWnd : public QWidget {
    Q_OBJECT
public:
    AltProfileWnd(AltitudeProfile& profile, const UnitFormatter& units,
                  const NavigationSource* navigation = nullptr, QWidget* parent = nullptr);

signals:
    void Command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    AltitudeProfile& profile_;
    const UnitFormatter& units_;
    const NavigationSource* navigation_;
    QImage frame_;
};

} // namespace hw
