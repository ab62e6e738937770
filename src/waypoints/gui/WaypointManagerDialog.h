#pragma once

#include "waypoints/WaypointManagerList.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace hw {

class PositionFormatter;
class SettingsStore;
class UnitFormatter;
class WaypointDatabase;
class WaypointListView;
class WaypointManagerHost;

// "路点管理": the stored waypoints, all or those near the position, with the
// configured columns, the text filter and sorting, and the commands on the
// selection. Reads its settings when created and writes them when closed.
class WaypointManagerDialog : public QDialog {
    Q_OBJECT
public:
    WaypointManagerDialog(WaypointDatabase& db, SettingsStore& settings, const UnitFormatter& units,
                          const PositionFormatter& positions, WaypointManagerHost& host,
                          QWidget* parent = nullptr);
    ~WaypointManagerDialog() override;

    // Asks a yes/no question; tests replace it.
    using Question = std::function<bool(const QString& text)>;
    void SetQuestion(Question ask) { ask_ = std::move(ask); }
    // Shows a message with its icon; tests replace it.
    using Message = std::function<void(const QString& text, int icon)>;
    void SetMessage(Message show) { message_ = std::move(show); }

    // The commands of the buttons and the pop-up menu.
    void Edit();
    void Delete();
    void GotoSelected();
    void PlanRouteToSelected();
    void ShowSelected();
    void ShowGeocacheInfo();
    void SetPositionToSelected();
    void ArrangeColumns();
    void Refresh();
    void ToggleFold();
    // The pop-up menu of the list, its items enabled for the selection.
    QMenu* BuildPopupMenu(QWidget* parent);

    WaypointListView* List() const { return list_; }
    QTabWidget* Tabs() const { return tabs_; }
    QComboBox* Mode() const { return mode_; }
    QLineEdit* MaxDistance() const { return maxDistance_; }
    QLineEdit* SearchText() const { return search_; }
    QCheckBox* FilterOn() const { return filterOn_; }
    QCheckBox* CaseSensitive() const { return caseSensitive_; }
    QLabel* ItemCount() const { return count_; }

private:
    QWidget* ManagePage();
    QWidget* FilterPage();
    QWidget* InfoPage();
    WaypointManagerList::Query CurrentQuery() const;
    // The one selected waypoint, or 0 after the message.
    int OneSelected();
    void MultiEdit(const std::vector<int>& serials);
    void Say(const char* text, int icon);
    bool Ask(const QString& text);
    void FoldStep();

    WaypointDatabase& db_;
    SettingsStore& settings_;
    const UnitFormatter& units_;
    const PositionFormatter& positions_;
    WaypointManagerHost& host_;
    WaypointListView* list_;
    QTabWidget* tabs_;
    QPushButton* fold_;
    QComboBox* mode_ = nullptr;
    QLineEdit* maxDistance_ = nullptr;
    QLabel* distanceUnit_ = nullptr;
    QLineEdit* search_ = nullptr;
    QCheckBox* filterOn_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QLabel* count_ = nullptr;
    QTimer foldTimer_;
    int foldHeight_ = 0;
    bool folding_ = false; // sliding out (true) or back (false)
    Question ask_;
    Message message_;
};

} // namespace hw
