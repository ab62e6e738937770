#pragma once

#include <QMainWindow>

#include <memory>

class QTabWidget;

namespace fixscope {

class GpsSetupWnd;
class GpsStausWnd;
class SerialChannel;

// The main window: the device, and a tab control with the "Setup" and
// "GPS Status" pages.
class FixscopeClass : public QMainWindow {
    Q_OBJECT
public:
    enum Page { SetupPage = 0, StatusPage = 1 };

    explicit FixscopeClass(QWidget* parent = nullptr);
    ~FixscopeClass() override;

    SerialChannel& Device() { return *device_; }
    GpsSetupWnd* Setup() const { return setup_; }
    GpsStausWnd* Status() const { return status_; }
    QTabWidget* Tabs() const { return tabs_; }
    void ShowPage(Page page);
    void ShowAbout();

private:
    std::unique_ptr<SerialChannel> device_; // outlives the pages
    QTabWidget* tabs_;
    GpsSetupWnd* setup_;
    GpsStausWnd* status_;
};

} // namespace fixscope
