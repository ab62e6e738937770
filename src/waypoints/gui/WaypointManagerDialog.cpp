#include "waypoints/gui/WaypointManagerDialog.h"
#include "base/Translate.h"

#include "base/SettingsStore.h"
#include "units/NumberText.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointEditValues.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerCommands.h"
#include "waypoints/WaypointManagerHost.h"
#include "waypoints/gui/ArrangeColumnsDialog.h"
#include "waypoints/gui/CEditMultipleWPPropSheet.h"
#include "waypoints/gui/SheetSize.h"
#include "waypoints/gui/WaypointListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hw {
namespace {

using Commands = WaypointManagerCommands;
constexpr int kFoldTickMs = 15;

// A message of the manager's commands in the interface language.
QString Shown(const char* text)
{
    return QString::fromStdString(Translate("WaypointManagerCommands", text));
}

QPushButton* Button(const QString& text, QWidget* parent)
{
    return new QPushButton(text, parent);
}

} // namespace

WaypointManagerDialog::WaypointManagerDialog(WaypointDatabase& db, SettingsStore& settings,
                                             const UnitFormatter& units,
                                             const PositionFormatter& positions,
                                             WaypointManagerHost& host, QWidget* parent)
    : QDialog(parent), db_(db), settings_(settings), units_(units), positions_(positions),
      host_(host)
{
    setObjectName(QStringLiteral("WaypointManagerDialog"));
    setWindowTitle(tr("路点管理"));
    FitSheetToWindow(this, parent);
    list_ = new WaypointListView(db_, units_, this);
    WaypointManagerColumns columns;
    columns.Load(settings_);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(ManagePage(), tr("管理"));
    tabs_->addTab(FilterPage(), tr("搜索过滤器"));
    tabs_->addTab(InfoPage(), tr("列表信息"));
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    fold_ = new QPushButton(QStringLiteral("-"), this);
    fold_->setObjectName(QStringLiteral("Fold"));
    fold_->setFixedWidth(fold_->sizeHint().height());
    connect(fold_, &QPushButton::clicked, this, &WaypointManagerDialog::ToggleFold);
    foldTimer_.setInterval(kFoldTickMs);
    connect(&foldTimer_, &QTimer::timeout, this, &WaypointManagerDialog::FoldStep);

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(tr("关闭"));
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fold_, 0, Qt::AlignTop);
    bottom->addWidget(tabs_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    layout->addWidget(close);

    connect(list_, &WaypointListView::Refreshed, this,
            [this](int n) { count_->setText(QString::number(n)); });
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        std::unique_ptr<QMenu> menu(BuildPopupMenu(this));
        menu->exec(list_->viewport()->mapToGlobal(p));
    });
    connect(list_, &QAbstractItemView::activated, this, [this] { Edit(); });

    // Columns and the first fill, then the stored widths.
    const int quarter = std::max(60, width() / 4);
    list_->SetColumns(columns);
    list_->SetColumnWidths(
        WaypointManagerColumns::LoadWidths(settings_, WaypointManagerColumns::kSlotCount, quarter));
    Refresh();
}

WaypointManagerDialog::~WaypointManagerDialog()
{
    list_->Columns().Store(settings_);
    WaypointManagerColumns::StoreWidths(settings_, list_->ColumnWidths());
}

QWidget* WaypointManagerDialog::ManagePage()
{
    auto* page = new QWidget;
    auto* edit = Button(tr("编辑"), page);
    auto* remove = Button(tr("删除"), page);
    auto* go = Button(tr("前往"), page);
    auto* show = Button(tr("显示"), page);
    auto* refresh = Button(tr("刷新"), page);
    connect(edit, &QPushButton::clicked, this, &WaypointManagerDialog::Edit);
    connect(remove, &QPushButton::clicked, this, &WaypointManagerDialog::Delete);
    connect(go, &QPushButton::clicked, this, &WaypointManagerDialog::GotoSelected);
    connect(show, &QPushButton::clicked, this, &WaypointManagerDialog::ShowSelected);
    connect(refresh, &QPushButton::clicked, this, &WaypointManagerDialog::Refresh);
    mode_ = new QComboBox(page);
    mode_->setObjectName(QStringLiteral("ListMode"));
    mode_->addItem(tr("所有路点"));
    mode_->addItem(tr("附近路点"));
    mode_->setCurrentIndex(WaypointManagerList::kNearby);
    maxDistance_ = new QLineEdit(page);
    maxDistance_->setObjectName(QStringLiteral("MaxDistance"));
    maxDistance_->setText(QString::number(settings_.GetInt(manager_setting::kDialogSection,
                                                           manager_setting::kListDistance,
                                                           manager_setting::kDefaultListDistance)));
    distanceUnit_ = new QLabel(QString::fromStdString(units_.LargeDistanceUnitLabel()), page);
    connect(mode_, &QComboBox::currentIndexChanged, this,
            [this](int mode) { maxDistance_->setEnabled(mode == WaypointManagerList::kNearby); });

    auto* grid = new QGridLayout(page);
    grid->addWidget(edit, 0, 0);
    grid->addWidget(remove, 0, 1);
    grid->addWidget(go, 0, 2);
    grid->addWidget(show, 0, 3);
    grid->addWidget(new QLabel(tr("列表:"), page), 1, 0);
    grid->addWidget(mode_, 1, 1, 1, 2);
    grid->addWidget(refresh, 1, 3);
    grid->addWidget(new QLabel(tr("最大距离:"), page), 2, 0);
    grid->addWidget(maxDistance_, 2, 1, 1, 2);
    grid->addWidget(distanceUnit_, 2, 3);
    return page;
}

QWidget* WaypointManagerDialog::FilterPage()
{
    auto* page = new QWidget;
    auto* refresh = Button(tr("刷新"), page);
    connect(refresh, &QPushButton::clicked, this, &WaypointManagerDialog::Refresh);
    search_ = new QLineEdit(page);
    search_->setObjectName(QStringLiteral("SearchText"));
    filterOn_ = new QCheckBox(tr("启用过滤器"), page);
    caseSensitive_ = new QCheckBox(tr("区分大小写"), page);
    // The filter follows the typing: each keystroke checks the box and refills.
    connect(search_, &QLineEdit::textEdited, this, [this] {
        if (!filterOn_->isChecked()) {
            const QSignalBlocker quiet(filterOn_);
            filterOn_->setChecked(true);
        }
        Refresh();
    });
    connect(filterOn_, &QCheckBox::toggled, this, &WaypointManagerDialog::Refresh);
    connect(caseSensitive_, &QCheckBox::toggled, this, &WaypointManagerDialog::Refresh);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(tr("搜索文字:"), page), 0, 0);
    grid->addWidget(search_, 0, 1);
    grid->addWidget(refresh, 0, 2);
    grid->addWidget(filterOn_, 1, 0, 1, 2);
    grid->addWidget(caseSensitive_, 2, 0, 1, 2);
    return page;
}

QWidget* WaypointManagerDialog::InfoPage()
{
    auto* page = new QWidget;
    count_ = new QLabel(QStringLiteral("0"), page);
    count_->setObjectName(QStringLiteral("ItemCount"));
    auto* arrange = Button(tr("排列栏"), page);
    connect(arrange, &QPushButton::clicked, this, &WaypointManagerDialog::ArrangeColumns);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(tr("列表中项目数量:"), page), 0, 0);
    grid->addWidget(count_, 0, 1);
    grid->addWidget(arrange, 1, 0);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

WaypointManagerList::Query WaypointManagerDialog::CurrentQuery() const
{
    WaypointManagerList::Query q;
    q.mode = mode_->currentIndex() == WaypointManagerList::kAll ? WaypointManagerList::kAll
                                                                : WaypointManagerList::kNearby;
    q.maxDistanceKm =
        units_.KmFromLargeDistance(ParseIntPrefix(maxDistance_->text().toStdString()));
    q.here = host_.Position();
    q.filterOn = filterOn_->isChecked();
    q.caseSensitive = caseSensitive_->isChecked();
    q.text = search_->text().toStdString();
    return q;
}

void WaypointManagerDialog::Refresh()
{
    settings_.SetInt(manager_setting::kDialogSection, manager_setting::kListDistance,
                     ParseIntPrefix(maxDistance_->text().toStdString()));
    const std::vector<int> selected = list_->SelectedSerials();
    list_->Refresh(CurrentQuery());
    for (int serial : selected)
        list_->SelectSerial(serial);
}

void WaypointManagerDialog::Say(const char* text, int icon)
{
    if (message_)
        return message_(Shown(text), icon);
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), QStringLiteral("Hikewise"), Shown(text),
                    QMessageBox::Ok, this);
    box.exec();
}

bool WaypointManagerDialog::Ask(const QString& text)
{
    if (ask_)
        return ask_(text);
    return QMessageBox::question(this, QStringLiteral("Hikewise"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int WaypointManagerDialog::OneSelected()
{
    const std::vector<int> serials = list_->SelectedSerials();
    const Commands::Check check = Commands::CheckOne(static_cast<int>(serials.size()));
    if (!check.Ok()) {
        Say(check.text,
            check.icon == Commands::Icon::Error ? QMessageBox::Critical : QMessageBox::Warning);
        return 0;
    }
    return serials.front();
}

void WaypointManagerDialog::Edit()
{
    const std::vector<int> serials = list_->SelectedSerials();
    if (serials.empty())
        return Say(Commands::kNothingToEdit, QMessageBox::Critical);
    if (serials.size() > 1) {
        Say(Commands::kSeveralToEdit, QMessageBox::Information);
        return MultiEdit(serials);
    }
    if (host_.EditStored(serials.front()))
        Refresh();
}

void WaypointManagerDialog::MultiEdit(const std::vector<int>& serials)
{
    CEditMultipleWPPropSheet sheet(positions_, units_, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    if (!Commands::ApplyMultiEdit(db_, serials, sheet.Values()))
        return Say(Commands::kCannotModify, QMessageBox::Critical);
    host_.DatabaseChanged();
    Refresh();
}

void WaypointManagerDialog::Delete()
{
    const std::vector<int> serials = list_->SelectedSerials();
    if (serials.empty())
        return Say(Commands::kNoneToDelete, QMessageBox::Critical);
    if (!Ask(QString::fromStdString(Commands::DeleteQuestion(static_cast<int>(serials.size())))))
        return;
    if (!Commands::DeleteAll(db_, serials))
        return Say(Commands::kCannotDelete, QMessageBox::Critical);
    host_.DatabaseChanged();
    Refresh();
}

void WaypointManagerDialog::GotoSelected()
{
    if (const int serial = OneSelected()) {
        host_.Goto(serial);
        accept();
    }
}

void WaypointManagerDialog::PlanRouteToSelected()
{
    if (const int serial = OneSelected()) {
        host_.PlanRoute(serial);
        accept(); // the route is planned and followed on the map
    }
}

void WaypointManagerDialog::ShowSelected()
{
    if (const int serial = OneSelected()) {
        host_.ShowOnMap(serial);
        accept();
    }
}

void WaypointManagerDialog::ShowGeocacheInfo()
{
    if (const int serial = OneSelected())
        host_.ShowGeocachePage(serial);
}

void WaypointManagerDialog::SetPositionToSelected()
{
    const int serial = OneSelected();
    Waypoint w;
    if (serial == 0 || !db_.FindBySerial(serial, w))
        return;
    host_.SetPosition(w);
    if (Ask(Shown(Commands::kRefreshQuestion)))
        Refresh();
}

void WaypointManagerDialog::ArrangeColumns()
{
    ArrangeColumnsDialog dialog(list_->Columns(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaypointManagerColumns::StoreWidths(settings_, list_->ColumnWidths());
    const std::vector<int> widths = list_->ColumnWidths();
    list_->SetColumns(dialog.Result());
    list_->SetColumnWidths(widths);
}

QMenu* WaypointManagerDialog::BuildPopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("WaypointManagerPopup"));
    menu->setToolTipsVisible(true); // a greyed route command says why
    const bool one = list_->SelectedSerials().size() == 1;
    const bool any = !list_->SelectedSerials().empty();
    menu->addAction(tr("编辑..."), this, &WaypointManagerDialog::Edit)->setEnabled(any);
    menu->addAction(tr("删除"), this, &WaypointManagerDialog::Delete)->setEnabled(any);
    menu->addAction(tr("前往"), this, &WaypointManagerDialog::GotoSelected)->setEnabled(one);
    QAction* route =
        menu->addAction(tr("规划路线到此路点"), this, &WaypointManagerDialog::PlanRouteToSelected);
    const QString why = QString::fromStdString(host_.RouteUnavailable());
    route->setEnabled(one && why.isEmpty());
    route->setStatusTip(why);
    route->setToolTip(why);
    menu->addAction(tr("设置当前位置为路点"), this, &WaypointManagerDialog::SetPositionToSelected)
        ->setEnabled(one);
    menu->addAction(tr("显示 Geocache 信息..."), this, &WaypointManagerDialog::ShowGeocacheInfo)
        ->setEnabled(one && host_.CanShowGeocachePage());
    menu->addAction(tr("在地图上显示路点"), this, &WaypointManagerDialog::ShowSelected)
        ->setEnabled(one);
    return menu;
}

void WaypointManagerDialog::ToggleFold()
{
    if (foldTimer_.isActive())
        return;
    folding_ = tabs_->isVisible();
    if (folding_) {
        foldHeight_ = tabs_->height();
        tabs_->setMaximumHeight(foldHeight_);
    } else {
        tabs_->setMaximumHeight(0);
        tabs_->show();
    }
    foldTimer_.start();
}

void WaypointManagerDialog::FoldStep()
{
    // A tenth of the panel's height a tick; the list takes what is freed.
    const int step = std::max(1, foldHeight_ / 10);
    const int h = tabs_->maximumHeight() + (folding_ ? -step : step);
    if (folding_ && h <= 0) {
        foldTimer_.stop();
        tabs_->hide();
        fold_->setText(QStringLiteral("+"));
        return;
    }
    if (!folding_ && h >= foldHeight_) {
        foldTimer_.stop();
        tabs_->setMaximumHeight(QWIDGETSIZE_MAX);
        fold_->setText(QStringLiteral("-"));
        return;
    }
    tabs_->setMaximumHeight(h);
}

} // namespace hw
