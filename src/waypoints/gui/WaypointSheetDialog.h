#pragma once

#include "waypoints/WaypointEditing.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class QWidget;

namespace hw {

class PositionFormatter;
class UnitFormatter;

// The edit sheet "编辑路点" as the editing commands run it: modal over a
// window, with the error messages shown by the caller's message function.
class WaypointSheetDialog final : public WaypointSheet {
    Q_DECLARE_TR_FUNCTIONS(hw::WaypointSheetDialog)

public:
    using ErrorMessage = std::function<void(const QString& text)>;
    WaypointSheetDialog(const PositionFormatter& positions, const UnitFormatter& units,
                        QWidget* over, ErrorMessage error);

    bool Edit(Waypoint& w, int startPage) override;
    void ShowDuplicateName() override;
    void ShowCannotAdd() override;

    static constexpr const char* kDuplicateName = QT_TRANSLATE_NOOP(
        "hw::WaypointSheetDialog", "错误 - 路点名字重复。请为此路点选择一个不同的名字.");
    static constexpr const char* kCannotAdd =
        QT_TRANSLATE_NOOP("hw::WaypointSheetDialog", "错误 - 不能够增加路点.");

private:
    const PositionFormatter& positions_;
    const UnitFormatter& units_;
    QWidget* over_;
    ErrorMessage error_;
};

} // namespace hw
