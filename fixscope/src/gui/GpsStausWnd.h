#pragma once

#include "core/GpsRecord.h"
#include "core/SerialChannel.h"
#include "core/StatusTexts.h"

#include <QWidget>

namespace fixscope {

class KeepAwake;

// The "GPS Status" page: date, time, position, dilutions, fix, course, speed,
// altitude, the sky view and the signal bars. It listens to the device and
// draws from its own copy of the record, taken whole after each sentence.
class GpsStausWnd : public QWidget, public UpdateListener {
    Q_OBJECT
public:
    // The page is drawn on a 240 x 270 canvas, scaled to fit.
    static constexpr int kCanvasWidth = 240;
    static constexpr int kCanvasHeight = 270;

    GpsStausWnd(SerialChannel& device, QWidget* parent = nullptr);
    ~GpsStausWnd() override;

    void SetDeviceOpen(bool open);
    bool DeviceOpen() const { return deviceOpen_; }
    const GpsRecord& State() const { return state_; }
    StatusTexts Texts() const;
    int UpdatesSeen() const { return updates_; }
    const KeepAwake* Awake() const { return keepAwake_; }

    // Reader thread: hands a copy of the record over to the UI thread.
    void OnDeviceMessage(unsigned message, const GpsRecord& state) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawSky(class QPainter& painter, const QFont& font);
    void DrawTexts(class QPainter& painter, const QFont& font);

    SerialChannel& device_;
    KeepAwake* keepAwake_;
    GpsRecord state_;
    bool deviceOpen_ = false;
    int updates_ = 0;
};

} // namespace fixscope
