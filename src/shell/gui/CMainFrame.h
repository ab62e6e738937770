#pragma once

#include "base/CommandTarget.h"
#include "gps/GpsLink.h"
#include "gps/LinkHost.h"
#include "gps/NmeaParser.h"
#include "gps/PortRegistry.h"
#include "gps/SerialPort.h"
#include "gps/SirfProtocol.h"
#include "gps/SystemPortScanner.h"
#include "gps/gui/PosixSerialTransport.h"
#include "gps/gui/ScreenSaverKeepAwake.h"
#include "shell/FrameCommands.h"
#include "shell/InterfaceLanguage.h"
#include "shell/gui/QtUiPacer.h"
#include "widgets/NotificationEvent.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QDialog;
class QLabel;
class QMenuBar;
class QToolBar;

namespace hw {

struct GpsdAddress;

class CommandBars;
class SettingsStore;
class TabContainer;
class TerminationSignals;

// The one top-level window: owns the receiver input (port, parser and fix,
// link, SiRF protocol), the tab pages and the two command bars; runs the
// link timers, passes the GPS notifications on to the pages, carries the
// Tools commands and takes the first-run steps.
class CMainFrame : public QMainWindow, public CommandTarget, public LinkHost {
    Q_OBJECT
public:
    struct Options {
        QString replayFile;         // replay this log in place of the receiver
        QString gpsdAddress;        // read the GPS daemon at HOST:PORT for this run
        bool skipFirstRun = false;  // no disclaimer and no set-up offer (screenshots)
        bool demoWhenUnset = false; // replay the bundled demo when no receiver is set up
        int replaySpeed = 1;        // bytes a replay tick, in units of 128
        InterfaceLanguage language = InterfaceLanguage::Chinese; // of the windows and the help
    };
    static constexpr const char* kUseMenuAndIcons = "Use Menu and Icons"; // "设置", default 0
    static constexpr int kReplayPumpMs = 100;                             // timer 1
    static constexpr int kWatchdogMs = 200;                               // timer 3
    static constexpr int kKeepAwakeMs = 30000;                            // timer 4
    static constexpr int kNoticeMs = 20000; // how long a notice stays in the status bar

    explicit CMainFrame(SettingsStore& settings, QWidget* parent = nullptr);
    CMainFrame(SettingsStore& settings, const Options& options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The process's main frame, once created.
    static CMainFrame* Instance();

    TabContainer* Tabs() const { return tabs_; }
    NmeaParser& Parser() { return parser_; }
    GpsLink& Link() { return *link_; }
    SerialPort& Port() { return port_; }
    PortRegistry& Ports() { return registry_; }
    const SystemPortScanner& Scanner() const { return scanner_; }
    QMenuBar* PlainMenuBar() const;
    QToolBar* MenuAndIconsBar() const;
    CommandBars& Bars() const { return *bars_; }
    FrameState State() const;

    // A menu or bar command: offered to the pages first, then to the frame.
    void RunCommand(int id);
    bool QueryAnyCommand(int id, CommandStatus& status) const;

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

    // A dialog of the frame by name, made but not shown, for pictures of it;
    // nullptr for an unknown name.
    QDialog* MakeDialog(const QString& name);
    // What --dialog NAME pictures: a dialog, or the window in a state (the
    // averaging status, its menu); nullptr for an unknown name.
    QWidget* MakePicture(const QString& name);

    // Replaces the receiver by a recorded log; false (after the message)
    // when the file cannot be opened.
    bool StartReplay(const QString& path);
    // Whether the bundled demo walk is playing (held in memory only, and
    // said in the title and the status bar).
    bool DemoPlaying() const { return demo_; }
    // Reads the GPS daemon for this run; a failure is said on standard error
    // and the watchdog goes on as with an unplugged receiver.
    bool ConnectGpsdForThisRun(const GpsdAddress& address);
    // A message in the status bar for a while (a road map that cannot be read).
    void ShowNotice(const QString& text);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Waypoint files dropped on the window are imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // LinkHost
    bool AskYesNo(const std::string& question) override;
    void ShowError(const std::string& text) override;
    void StartReplayTimer() override;
    void StopReplayTimer() override;

    void OnNotification(const NotificationEvent& event);
    // Saves what closing saves: the pages' files and the last position.
    void SaveData();
    // SIGTERM, SIGINT or SIGHUP: closes as the window's close does.
    void EndForSignal();
    void StartDemo();
    void SetDemo(bool demo);
    void FirstRunSteps();
    void ToggleBars();
    void StartLog();
    void ChooseReplayFile();
    void SetSirfNmeaOutputCommand();
    void SetSirfParametersCommand();
    void PortSettingsCommand();
    void ReceiverSearchCommand();
    void OpenHelp();
    void ShowAbout();
    static QString AboutText();

    SettingsStore& settings_;
    Options options_;

    // Receiver input.
    PosixSerialTransport transport_;
    PortRegistry registry_;
    SystemPortScanner scanner_;
    SerialPort port_;
    QtNotificationSink frameSink_{this};
    NmeaParser parser_;
    SirfProtocol sirf_;
    ScreenSaverKeepAwake keepAwake_;
    QtUiPacer pacer_;
    std::unique_ptr<QtNotificationSink> pageSink_;
    std::unique_ptr<GpsLink> link_;

    TabContainer* tabs_ = nullptr;
    CommandBars* bars_ = nullptr;

    QTimer replayTimer_;    // timer 1
    QTimer watchdogTimer_;  // timer 3
    QTimer keepAwakeTimer_; // timer 4
    bool closing_ = false;
    bool demo_ = false;
    QLabel* demoLabel_ = nullptr;
    TerminationSignals* signals_ = nullptr;
    bool noticeHides_ = false; // the status bar hides itself when its message ends
};

} // namespace hw
