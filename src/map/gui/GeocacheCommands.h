#pragma once

#include "base/CommandTarget.h"

#include <functional>

namespace hw {

class MapWnd;

// The map's geocaching commands: the cache page in the desktop's browser,
// "已找到" and "未找到" with the question that leads to the field notes, and
// the field-notes export "导出 geocache_visits.txt...".
class GeocacheCommands : public CommandTarget {
public:
    // Opens the edit sheet on a stored waypoint at its field-notes page.
    using FieldNotesEditor = std::function<void(int serial)>;

    explicit GeocacheCommands(MapWnd& map) : map_(map) {}
    void SetFieldNotesEditor(FieldNotesEditor editor) { editFieldNotes_ = std::move(editor); }

    // Renders the pages of the waypoint and opens the description page;
    // false (after the error message) when that cannot be done.
    bool ShowPage(int serial);

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

private:
    void Found();
    void NotFound();
    void ExportVisitsFile();

    MapWnd& map_;
    FieldNotesEditor editFieldNotes_;
};

} // namespace hw
