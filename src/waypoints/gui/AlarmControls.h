#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace hw {

struct WaypointEditValues;

// The proximity-alarm controls of the edit sheets: "激活", "触发距离:",
// "播放声音:" with its file choice, and "消息类型:".
class AlarmControls : public QWidget {
    Q_OBJECT
public:
    explicit AlarmControls(QWidget* parent = nullptr);
    void Fill(const WaypointEditValues& v);
    void Store(WaypointEditValues& v) const;

    QCheckBox* Active() const { return active_; }
    QLineEdit* Distance() const { return distance_; }
    QLineEdit* Sound() const { return sound_; }
    QComboBox* MessageType() const { return type_; }

private:
    void ChooseSound();

    QCheckBox* active_;
    QLineEdit* distance_;
    QLabel* unit_;
    QLineEdit* sound_;
    QComboBox* type_;
};

} // namespace hw
