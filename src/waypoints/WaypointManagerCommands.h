#pragma once

#include "base/Translate.h"

#include <string>
#include <vector>

namespace hw {

class WaypointDatabase;
struct MultiEditValues;

// The messages of the waypoint manager's commands and the changes they make
// to the selected waypoints.
class WaypointManagerCommands {
public:
    static constexpr const char* kNoneSelected =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "没有选择路点. 请选择一个路点后重试.");
    static constexpr const char* kOnlyOne = HW_TRANSLATE_NOOP(
        "WaypointManagerCommands", "此功能只可以选择一个路点.选择一个路点然后再试.");
    static constexpr const char* kNothingToEdit = HW_TRANSLATE_NOOP(
        "WaypointManagerCommands", "无可编辑的路点.请选择一个路点然后再选择编辑.");
    static constexpr const char* kSeveralToEdit = HW_TRANSLATE_NOOP(
        "WaypointManagerCommands", "你已经选择了多个路点用于编辑。你能够改变选择的项目的细节.");
    static constexpr const char* kCannotModify =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "不能修改 -- 未知错误");
    static constexpr const char* kNoneToDelete =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "错误 - 不能够删除。未选择路点");
    static constexpr const char* kDeleteQuestion =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "删除 %d 路点?");
    static constexpr const char* kCannotDelete =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "无法删除 -- 未知错误");
    static constexpr const char* kRefreshQuestion =
        HW_TRANSLATE_NOOP("WaypointManagerCommands", "是否刷新路点列表?");

    enum class Icon { None, Error, Warning };
    // What a command on exactly one waypoint says about a selection of that
    // many: nothing (Icon::None) when it is exactly one.
    struct Check {
        const char* text = nullptr;
        Icon icon = Icon::None;
        bool Ok() const { return icon == Icon::None; }
    };
    static Check CheckOne(int selected);

    // Applies the groups the multi-edit marked as changed to every selected
    // waypoint; false (and nothing changed) when one of them is not stored.
    static bool ApplyMultiEdit(WaypointDatabase& db, const std::vector<int>& serials,
                               const MultiEditValues& values);
    // Deletes every selected waypoint; false (and nothing deleted) when one
    // of them is not stored.
    static bool DeleteAll(WaypointDatabase& db, const std::vector<int>& serials);
    static std::string DeleteQuestion(int count);
};

} // namespace hw
