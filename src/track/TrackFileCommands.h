#pragma once

#include "base/FileBinding.h"
#include "base/Translate.h"
#include "track/TrackLog.h"

#include <functional>
#include <string>

namespace hw {

inline constexpr const char* kTrackOpenFilter =
    "Waypoint Files (*.trk)|*.trk|All Files (*.*)|*.*||";
inline constexpr const char* kTrackNewFilter = "Track Files (*.trk)|*.trk|All Files (*.*)|*.*||";
inline constexpr const char* kTrackFileExtension = "trk";
inline constexpr const char* kTrackSaveFailedQuestion = HW_TRANSLATE_NOOP(
    "TrackFileCommands", "不能够写入轨迹文件. 你想要指定一个新的文件以保存这个轨迹吗?如果选择否,"
                         "当前的轨迹将不会被保存.可能原因:1. 内存卡被移走. 2. 轨迹目录被删除.");

// The questions of a track save that failed, asked of the user.
class TrackSaveRecovery {
public:
    virtual ~TrackSaveRecovery() = default;
    // kTrackSaveFailedQuestion, yes/no; true on yes.
    virtual bool AskSaveElsewhere() = 0;
    // A save-file chooser for a track file; empty when cancelled.
    virtual std::string ChooseNewFile() = 0;
};

// The track file as the user works with it: the current log is saved to
// its file before another one is opened or started.
class TrackFileCommands {
public:
    // Asked before an existing file is replaced; true to go on.
    using ConfirmReplace = std::function<bool(const std::string& path)>;

    // Without recovery a failed save is only returned.
    TrackFileCommands(TrackLog& log, FileBinding& binding, TrackSaveRecovery* recovery = nullptr)
        : log_(log), binding_(binding), recovery_(recovery)
    {
    }

    // Saves the log to the current file; when that fails (a full disk, a
    // removed card), asks whether to save it elsewhere, and binds the file
    // chosen once the log is in it. 1 when saved.
    int SaveCurrent();
    // "打开...": saves the log, binds the chosen file and loads it. A file
    // that cannot be read leaves the log and the binding as they were
    // (false), so that the next save cannot overwrite it with this track.
    bool Open(const std::string& chosen);
    // "新建...": saves the log, removes an existing file of that name once
    // confirmed, and binds the new path; the points in memory stay and go
    // to the new file at the next save. False when declined.
    bool New(const std::string& chosen, const ConfirmReplace& confirm);

private:
    TrackLog& log_;
    FileBinding& binding_;
    TrackSaveRecovery* recovery_;
};

} // namespace hw
