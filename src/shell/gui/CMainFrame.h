#pragma once

#include <QMainWindow>

namespace hw {

class SettingsStore;

// The one top-level window of Hikewise.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(SettingsStore& settings, QWidget* parent = nullptr);

private:
    SettingsStore& settings_;
};

} // namespace hw
