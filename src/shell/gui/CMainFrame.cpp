#include "shell/gui/CMainFrame.h"

#include "gps/GpsdAddress.h"

#include "base/AnsiCodePageSetting.h"
#include "base/Clock.h"
#include "base/ColourTheme.h"
#include "base/CommandIds.h"
#include "base/SettingsStore.h"
#include "base/StringTable.h"
#include "base/WindowMessages.h"
#include "gps/SirfParameterSetup.h"
#include "gps/gui/PortSettingsDialog.h"
#include "gps/gui/ReceiverSearchDialog.h"
#include "gps/gui/SirfSettingsDialog.h"
#include "instruments/PanelField.h"
#include "instruments/WaypointMessage.h"
#include "instruments/gui/AnalysisWnd.h"
#include "instruments/gui/ChangePaneDialog.h"
#include "instruments/gui/GaugePanel.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/MapWnd.h"
#include "map/gui/WaypointImportCommand.h"
#include "shell/FirstRun.h"
#include "shell/gui/CommandBars.h"
#include "shell/gui/DisclaimerDialog.h"
#include "shell/gui/InitialSetupDialog.h"
#include "shell/gui/SettingsDialogs.h"
#include "shell/gui/TabContainer.h"
#include "shell/gui/TerminationSignals.h"
#include "widgets/AppPaths.h"
#include "widgets/ProgressWindow.h"
#include "widgets/ThemeColour.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <cstdio>

namespace hw {
namespace {

CMainFrame* instance = nullptr;

// The log and replay file dialogs' initial name and filter.
constexpr const char* kLogInitialName = "\\My Documents\\docs\\new file";
const QString kLogFilter = QStringLiteral("Text Files (*.txt);;All Files (*.*)");

constexpr const char* kLogCreateError =
    QT_TRANSLATE_NOOP("hw::CMainFrame", "无法够创建记录文件。请检查文件名字然后再试.");
constexpr const char* kReplayFileError = QT_TRANSLATE_NOOP("hw::CMainFrame", "文件错误!");
// While the bundled demo walk plays: the title and the status bar say so.
constexpr const char* kDemoTitle = QT_TRANSLATE_NOOP("hw::CMainFrame", "Hikewise - 演示");
constexpr const char* kDemoText = QT_TRANSLATE_NOOP("hw::CMainFrame", "演示");
constexpr const char* kDemoTip =
    QT_TRANSLATE_NOOP("hw::CMainFrame", "内置的演示路线: 轨迹和位置不会保存");
constexpr const char* kSirfNmeaQuestion = QT_TRANSLATE_NOOP(
    "hw::CMainFrame",
    "此选项将发送初始化字符串的GPS,启用具体的NMEA语句.这是SiRF具体初始化.是否要继续?");
constexpr const char* kSirfParametersQuestion = QT_TRANSLATE_NOOP(
    "hw::CMainFrame", "这些设定专为基于 SiRF 的 GPS "
                      "接收机而设计。个别功能可能要依赖于硬件和制造商的支持。你想要继续吗?");

// The progress window as the SiRF set-up reports to it.
class SirfProgressWindow final : public SirfProgress {
public:
    explicit SirfProgressWindow(ProgressWindow& window) : window_(window) {}
    void SetText(const std::string& text) override
    {
        window_.SetText(QString::fromStdString(text));
    }
    void Step() override { window_.Step(); }
    void ShowError(const std::string& text) override
    {
        QMessageBox::critical(&window_, QStringLiteral("Hikewise"), QString::fromStdString(text));
    }

private:
    ProgressWindow& window_;
};

} // namespace

CMainFrame* CMainFrame::Instance()
{
    return instance;
}

CMainFrame::CMainFrame(SettingsStore& settings, QWidget* parent)
    : CMainFrame(settings, Options{}, parent)
{
}

void CMainFrame::ShowNotice(const QString& text)
{
    // The message line appears only while it has something to say.
    QStatusBar* bar = statusBar();
    if (!noticeHides_) {
        noticeHides_ = true;
        connect(bar, &QStatusBar::messageChanged, bar,
                [this, bar](const QString& now) { bar->setVisible(demo_ || !now.isEmpty()); });
    }
    bar->showMessage(text, kNoticeMs);
    bar->show();
}

CMainFrame::CMainFrame(SettingsStore& settings, const Options& options, QWidget* parent)
    : QMainWindow(parent), settings_(settings), options_(options), registry_(settings),
      port_(transport_, registry_, scanner_), parser_(&frameSink_), sirf_(&port_)
{
    instance = this;
    setWindowTitle(QStringLiteral("Hikewise"));
    setAcceptDrops(true);
    resize(480, 640);
    LoadTheme(settings_);
    parser_.SetGpsTalkerOnly(settings_.GetInt(section::kSettings, NmeaParser::kOnlyGpsTalker, 0) !=
                             0);
    LoadAnsiCodePage(settings_);
    port_.SetErrorReporter([this](const std::string& text, const std::string& caption) {
        QMessageBox::critical(this, QString::fromStdString(caption), QString::fromStdString(text));
    });

    tabs_ = new TabContainer(
        settings_, [this] { return parser_.Snapshot(); }, this);
    setCentralWidget(tabs_);
    pageSink_ = std::make_unique<QtNotificationSink>(tabs_);
    link_ = std::make_unique<GpsLink>(port_, parser_, settings_, *pageSink_, *this, keepAwake_);
    tabs_->MapWindow()->SetDataLostSource([this] { return link_->DataLost(); });
    connect(tabs_->MapWindow(), &MapWnd::Notice, this, &CMainFrame::ShowNotice);
    tabs_->MapWindow()->SetFixHistory([this](uint64_t after, std::vector<GpsFix>& out) {
        return parser_.FixesSince(after, out);
    });
    tabs_->Analysis()->SetAccelerationHistory([this](uint64_t after, std::vector<double>& out) {
        return parser_.AccelerationsSince(after, out);
    });
    link_->SetReplaySpeed(options_.replaySpeed);

    bars_ = new CommandBars(
        *this, [this](int id) { RunCommand(id); },
        [this](int id, CommandStatus& status) { return QueryAnyCommand(id, status); });
    bars_->ShowMenuAndIcons(settings_.GetInt(section::kSettings, kUseMenuAndIcons, 0) == 1);

    replayTimer_.setInterval(kReplayPumpMs);
    connect(&replayTimer_, &QTimer::timeout, this, [this] { link_->ReplayTick(); });

    // The receiver: a log or the daemon named on the command line, else the
    // stored port; until a receiver has been set up, the bundled demo walk.
    const bool neverSetUp = FirstRun(settings_).ReceiverNeverSetUp();
    GpsdAddress gpsd;
    if (!options_.replayFile.isEmpty())
        StartReplay(options_.replayFile);
    else if (GpsdAddress::Parse(options_.gpsdAddress.toStdString(), gpsd))
        ConnectGpsdForThisRun(gpsd);
    else if (neverSetUp && options_.demoWhenUnset)
        StartDemo();
    else
        link_->StartupConnect();

    connect(&watchdogTimer_, &QTimer::timeout, this, [this] {
        if (link_->WatchdogRunning())
            link_->Tick();
        if (demo_ && !link_->ReplayMode())
            SetDemo(false); // a receiver took over
        bars_->UpdateButtons();
    });
    watchdogTimer_.start(kWatchdogMs);
    connect(&keepAwakeTimer_, &QTimer::timeout, this, [this] { link_->KeepAwakeTick(); });
    keepAwakeTimer_.start(kKeepAwakeMs);
    link_->KeepAwakeTick();
    bars_->UpdateButtons();

    // A logout, a shutdown or a kill saves the walk as closing does.
    signals_ = new TerminationSignals(this);
    connect(signals_, &TerminationSignals::Received, this, &CMainFrame::EndForSignal);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (!closing_)
            SaveData();
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (!closing_)
            close();
    });

    QCoreApplication::postEvent(this, new NotificationEvent(WM_FIRST_RUN));
}

CMainFrame::~CMainFrame()
{
    replayTimer_.stop();
    watchdogTimer_.stop();
    link_->ClosePort();
    keepAwake_.Hold(false);
    if (instance == this)
        instance = nullptr;
}

QMenuBar* CMainFrame::PlainMenuBar() const
{
    return bars_->MenuBar();
}
QToolBar* CMainFrame::MenuAndIconsBar() const
{
    return bars_->MenuAndIconsBar();
}

FrameState CMainFrame::State() const
{
    FrameState s;
    s.replayMode = link_->ReplayMode();
    s.portOpen = link_->IsOpen();
    s.logging = parser_.IsLogging();
    s.menuAndIcons = settings_.GetInt(section::kSettings, kUseMenuAndIcons, 0) == 1;
    s.theme = CurrentTheme();
    return s;
}

void CMainFrame::RunCommand(int id)
{
    if (!tabs_->HandleCommand(id))
        HandleCommand(id);
}

bool CMainFrame::QueryAnyCommand(int id, CommandStatus& status) const
{
    return tabs_->QueryCommand(id, status) || QueryCommand(id, status);
}

bool CMainFrame::QueryCommand(int id, CommandStatus& status) const
{
    return QueryFrameCommand(id, State(), status);
}

bool CMainFrame::HandleCommand(int id)
{
    const int theme = ColourTheme::ThemeOfCommand(id);
    if (theme >= 0) {
        tabs_->ApplyTheme(theme);
        return true;
    }
    switch (id) {
    case cmd::kImportSettings: {
        ImportSettingsDialog dialog(settings_, this);
        if (dialog.exec() == QDialog::Accepted)
            dialog.Store();
        return true;
    }
    case cmd::kUnits: {
        UnitsDialog dialog(settings_, this);
        if (dialog.exec() == QDialog::Accepted) {
            dialog.Store();
            tabs_->ApplyTheme(CurrentTheme()); // repaints every page in the new units
        }
        return true;
    }
    case cmd::kMiscSettings: {
        MiscSettingsDialog dialog(settings_, this);
        if (dialog.exec() == QDialog::Accepted) {
            link_->SetStayAlive(dialog.Store());
            link_->KeepAwakeTick();
        }
        return true;
    }
    case cmd::kSerialPortSettings: PortSettingsCommand(); return true;
    case cmd::kReplayNmea: ChooseReplayFile(); return true;
    case cmd::kConnectGps: link_->ToggleConnect(); return true;
    case cmd::kStartNmeaLog: StartLog(); return true;
    case cmd::kStopNmeaLog: parser_.CloseLog(); return true;
    case cmd::kSirfNmeaOutput: SetSirfNmeaOutputCommand(); return true;
    case cmd::kSirfParameters: SetSirfParametersCommand(); return true;
    case cmd::kAutoDetectGps: ReceiverSearchCommand(); return true;
    case cmd::kButtonsAndMenus: ToggleBars(); return true;
    case cmd::kHelp: OpenHelp(); return true;
    case cmd::kAbout: ShowAbout(); return true;
    case cmd::kExit: close(); return true;
    default: return false;
    }
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == NotificationEvent::EventType()) {
        OnNotification(*static_cast<NotificationEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1) {
            OpenHelp();
            return true;
        }
    }
    return QMainWindow::event(event);
}

void CMainFrame::OnNotification(const NotificationEvent& event)
{
    switch (event.Message()) {
    case WM_GPS_SENTENCE:
        QCoreApplication::postEvent(
            tabs_, new NotificationEvent(WM_GPS_SENTENCE, event.WParam(), event.LParam()));
        break;
    case WM_GPS_GGA:
    case WM_GPS_GSV:
    case WM_GPS_RMC:
        QCoreApplication::postEvent(tabs_, new NotificationEvent(event.Message()));
        break;
    case WM_FIRST_RUN: FirstRunSteps(); break;
    default: break; // GSA, RMB and ZDA stop here
    }
}

void CMainFrame::FirstRunSteps()
{
    if (options_.skipFirstRun)
        return;
    FirstRun run(settings_);
    if (run.DisclaimerDue()) {
        show();
        repaint();
        DisclaimerDialog disclaimer(this);
        if (disclaimer.exec() != QDialog::Accepted) {
            close();
            return;
        }
        run.DisclaimerAccepted(disclaimer.DoNotShowAgain());
    }
    if (run.SetupDue()) {
        InitialSetupDialog setup(this);
        const bool search = setup.exec() == QDialog::Accepted;
        run.SetupDone();
        if (search)
            ReceiverSearchCommand();
    }
}

void CMainFrame::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    tabs_->setFocus();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    replayTimer_.stop();
    link_->ClosePort();
    ProgressWindow progress(this, 240);
    progress.ShowOver();
    SaveData();
    progress.close();
    event->accept();
}

void CMainFrame::SaveData()
{
    tabs_->SaveOnExit();
}

void CMainFrame::EndForSignal()
{
    close();
    // Also ends the loop of a dialog that is open.
    QCoreApplication::quit();
}

void CMainFrame::StartDemo()
{
    StartReplay(AppPaths::DataFile(QStringLiteral("demo/demo.nmea")));
    SetDemo(true);
}

void CMainFrame::SetDemo(bool demo)
{
    if (demo == demo_)
        return;
    demo_ = demo;
    tabs_->MapWindow()->SetDemo(demo);
    setWindowTitle(demo ? tr(kDemoTitle) : QStringLiteral("Hikewise"));
    if (!demoLabel_) {
        demoLabel_ = new QLabel(tr(kDemoText), this);
        demoLabel_->setObjectName(QStringLiteral("DemoLabel"));
        demoLabel_->setToolTip(tr(kDemoTip));
        // Plain to see: dark text on amber, as a notice that the fix is not real.
        demoLabel_->setStyleSheet(QStringLiteral(
            "QLabel { background: #ffc107; color: black; font-weight: bold; padding: 0 8px; }"));
        statusBar()->addPermanentWidget(demoLabel_);
    }
    demoLabel_->setVisible(demo);
    statusBar()->setVisible(demo || !statusBar()->currentMessage().isEmpty());
}

bool CMainFrame::StartReplay(const QString& path)
{
    SetDemo(false); // a log of the user's own records as a receiver does
    if (link_->StartReplay(QFile::encodeName(path).toStdString()))
        return true;
    QMessageBox::critical(this, QStringLiteral("Hikewise"), tr(kReplayFileError));
    return false;
}

bool CMainFrame::ConnectGpsdForThisRun(const GpsdAddress& address)
{
    link_->UseGpsdForThisRun(address);
    if (link_->StartupConnect())
        return true;
    std::fprintf(stderr, "hikewise: %s\n", port_.LastError().c_str());
    return false;
}

void CMainFrame::StartReplayTimer()
{
    replayTimer_.start(kReplayPumpMs);
}
void CMainFrame::StopReplayTimer()
{
    replayTimer_.stop();
}

bool CMainFrame::AskYesNo(const std::string& question)
{
    return QMessageBox::question(this, QStringLiteral("Hikewise"), QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CMainFrame::ShowError(const std::string& text)
{
    QMessageBox::critical(this, QStringLiteral("Hikewise"), QString::fromStdString(text));
}

void CMainFrame::ToggleBars()
{
    const bool menuAndIcons = settings_.GetInt(section::kSettings, kUseMenuAndIcons, 0) != 1;
    settings_.SetInt(section::kSettings, kUseMenuAndIcons, menuAndIcons ? 1 : 0);
    bars_->ShowMenuAndIcons(menuAndIcons);
}

void CMainFrame::StartLog()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("记录 NMEA 日志"), AppPaths::DialogStartPath(kLogInitialName), kLogFilter);
    if (path.isEmpty())
        return;
    if (!parser_.OpenLog(QFile::encodeName(path).toStdString()))
        QMessageBox::critical(this, QStringLiteral("Hikewise"), tr(kLogCreateError));
}

void CMainFrame::ChooseReplayFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("回放记录的 NMEA 文件"), AppPaths::DialogStartPath(kLogInitialName), kLogFilter);
    if (!path.isEmpty())
        StartReplay(path);
}

void CMainFrame::SetSirfNmeaOutputCommand()
{
    if (QMessageBox::warning(this, QStringLiteral("Hikewise"), tr(kSirfNmeaQuestion),
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    SetSirfNmeaOutput(sirf_, pacer_);
}

void CMainFrame::SetSirfParametersCommand()
{
    if (QMessageBox::information(this, QStringLiteral("Hikewise"), tr(kSirfParametersQuestion),
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    SirfSettingsDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int baud = settings_.GetInt(section::kSerial, "速率", 4800);
    SirfSetupResult refused;
    refused.rateRefused = true;
    refused.refusedBaud = static_cast<uint32_t>(baud);
    if (baud > 0 && !SirfParameterSetup::CarriesRate(static_cast<uint32_t>(baud))) {
        QMessageBox::critical(this, QStringLiteral("Hikewise"),
                              QString::fromStdString(refused.ErrorMessage()));
        return;
    }
    link_->PauseReader(true);
    pacer_.Sleep(100);
    link_->StopWatchdog();
    ProgressWindow progress(this, 239, 0, SirfParameterSetup::kProgressRange, 1);
    progress.ShowOver();
    SirfProgressWindow report(progress);
    SystemClock clock;
    SirfParameterSetup setup(sirf_, *link_, report, clock, pacer_);
    const SirfSetupResult result =
        setup.Run(baud > 0 ? static_cast<uint32_t>(baud) : 4800u, dialog.Options());
    if (!result.ErrorMessage().empty())
        QMessageBox::critical(this, QStringLiteral("Hikewise"),
                              QString::fromStdString(result.ErrorMessage()));
    if (!result.InfoMessage().empty())
        QMessageBox::information(this, QStringLiteral("Hikewise"),
                                 QString::fromStdString(result.InfoMessage()));
    progress.close();
}

void CMainFrame::PortSettingsCommand()
{
    PortSettingsDialog dialog(settings_, port_, registry_, scanner_, this);
    if (!dialog.Ready())
        return;
    if (dialog.exec() == QDialog::Accepted)
        link_->ApplyPortSettings(dialog.Port(), dialog.Baud(), dialog.AutoReconnect());
}

void CMainFrame::ReceiverSearchCommand()
{
    ReceiverSearchDialog dialog(settings_, *link_, parser_, port_, pacer_, this);
    dialog.exec();
    link_->ReloadAutoReconnect();
}

void CMainFrame::OpenHelp()
{
    QUrl url =
        QUrl::fromLocalFile(AppPaths::DataFile(QString::fromUtf8(HelpFileFor(options_.language))));
    url.setFragment(QStringLiteral("Main_Contents"));
    QDesktopServices::openUrl(url);
}

QDialog* CMainFrame::MakeDialog(const QString& name)
{
    if (name == QLatin1String("pane"))
        return new ChangePaneDialog(kFieldOdometer, this);
    if (name == QLatin1String("disclaimer"))
        return new DisclaimerDialog(this);
    if (name == QLatin1String("setup"))
        return new InitialSetupDialog(this);
    if (name == QLatin1String("misc"))
        return new MiscSettingsDialog(settings_, this);
    if (name == QLatin1String("units"))
        return new UnitsDialog(settings_, this);
    if (name == QLatin1String("import"))
        return new ImportSettingsDialog(settings_, this);
    if (name == QLatin1String("sirf"))
        return new SirfSettingsDialog(this);
    if (name == QLatin1String("ports"))
        return new PortSettingsDialog(settings_, port_, registry_, scanner_, this);
    if (name == QLatin1String("search"))
        return new ReceiverSearchDialog(settings_, *link_, parser_, port_, pacer_, this);
    if (name == QLatin1String("progress")) {
        auto* progress = new ProgressWindow(this, 240);
        progress->Step();
        progress->Step();
        progress->Step();
        return progress;
    }
    if (name == QLatin1String("speed"))
        return tabs_->Gauges()->MakeSpeedDialog(this);
    if (name == QLatin1String("altitude"))
        return tabs_->Analysis()->MakeAltitudeDialog(this);
    if (QDialog* map = tabs_->MapWindow()->MakeDialog(name))
        return map;
    if (name == QLatin1String("about")) {
        auto* box = new QMessageBox(QMessageBox::Information, tr("关于 Hikewise"), AboutText(),
                                    QMessageBox::Ok, this);
        return box;
    }
    return nullptr;
}

QWidget* CMainFrame::MakePicture(const QString& name)
{
    if (QDialog* dialog = MakeDialog(name))
        return dialog;
    MapWnd* map = tabs_->MapWindow();
    if (name == QLatin1String("averaging") || name == QLatin1String("averaging-menu")) {
        tabs_->ShowPage(MapWnd::kMapTab);
        map->HandleCommand(cmd::kAverageStart);
        if (name == QLatin1String("averaging"))
            return this;
        return map->MakeAveragingMenu(this);
    }
    if (name == QLatin1String("map-popup")) { // as a press in the map's middle opens it
        tabs_->ShowPage(MapWnd::kMapTab);
        return map->BuildPopupMenu(this);
    }
    if (name == QLatin1String("waypoint-message")) {
        // The proximity alarm of the database's first waypoint (a sample
        // one when it is empty), over the page shown.
        Waypoint shown;
        shown.strName = "Spring";
        shown.strComment = "Fresh water all year, 20 m below the path.";
        bool found = false;
        map->Waypoints().ForEach([&](const Waypoint& w) {
            if (!found)
                shown = w;
            found = true;
        });
        shown.nActiveWaypointMessageType = 3;
        map->Host().ShowMessage(shown, tr("最近路点"), shown.nActiveWaypointMessageType,
                                WaypointMessage::kProximityTimeMs, true);
        return this;
    }
    return nullptr;
}

namespace {

// The local waypoint and course files among what is dragged.
QStringList DroppedWaypointFiles(const QMimeData* data)
{
    QStringList files;
    if (!data)
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && (WaypointImportCommand::IsImportable(url.toLocalFile()) ||
                                  CourseCommands::MayHoldCourses(url.toLocalFile())))
            files << url.toLocalFile();
    return files;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedWaypointFiles(event->mimeData()).isEmpty() &&
        !tabs_->MapWindow()->Import().Running())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedWaypointFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the source is not kept waiting.
    QTimer::singleShot(0, this,
                       [this, files] { tabs_->MapWindow()->Courses().OpenFiles(files, false); });
}

QString CMainFrame::AboutText()
{
    return tr("<h3>Hikewise %1</h3><p>为徒步旅行者和寻宝者设计的 GPS 伴侣。</p>"
              "<p>卫星、仪表、旅行、地图和分析，路点和 geocache 数据库，"
              "NMEA 日志记录和回放。</p>")
        .arg(QStringLiteral(HIKEWISE_VERSION));
}

void CMainFrame::ShowAbout()
{
    QMessageBox::about(this, tr("关于 Hikewise"), AboutText());
}

} // namespace hw
