#pragma once

#include "base/CommandTarget.h"
#include "map/CourseFollowing.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>

namespace hw {

class MapWnd;
struct GpsFix;

// The map's courses in the window: the menu "路线" (open a file beside the
// UI thread, the manager, follow, follow reversed, stop), the pop-up on a
// pressed course, and each fix's messages (off course, back, arrived) in the
// message window. Other windows add and follow courses through it.
class CourseCommands : public QObject, public CommandTarget {
    Q_OBJECT
public:
    explicit CourseCommands(MapWnd& map);
    ~CourseCommands() override;

    // Reads the courses folder; files that fail are named in the status bar.
    void LoadFolder();
    CourseFollowing& Courses() { return courses_; }
    const CourseFollowing& Courses() const { return courses_; }

    // Adds a course to the shown courses and the manager; keep: also
    // written to the courses folder, else for this run only. Its index in
    // the manager's list; -1 (and the message in error) when it could not
    // be written.
    int AddCourse(const Course& course, bool keep, std::string* error = nullptr);
    // Follows the listed course from the next fix on; reversed: from its
    // end to its start. False when there is no such course.
    bool Follow(size_t index, bool reversed);
    // Adds the course (as AddCourse) and follows it; its index, or -1.
    int FollowCourse(const Course& course, bool reversed, bool keep = false,
                     std::string* error = nullptr);
    void StopFollowing();
    bool IsFollowing() const { return courses_.Follower() != nullptr; }

    // Reads a file of courses beside the UI thread (a progress bar for a
    // large one) and keeps its courses; follow: then follows the first.
    // Messages go to the user (or to standard error when quiet).
    void OpenFile(const QString& path, bool follow = false, bool quiet = false);
    // The command line's --follow: reads the file now and follows its first
    // course for this run (nothing is written); a problem goes to standard
    // error and the status bar.
    void FollowRunFile(const std::string& path);
    // Whether a file dropped or named at start should also be offered as
    // courses: it holds tracks or routes.
    static bool MayHoldCourses(const QString& path);
    bool OpenRunning() const { return running_; }

    // The course chosen for "跟随路线": the one pressed on the map or
    // chosen in the manager; -1 when none.
    void SetChosen(int index) { chosen_ = index; }
    int Chosen() const { return chosen_; }
    // The listed course whose line passes under a screen point; -1 none.
    int CourseAt(int x, int y) const;

    // One GPS update, after the map's: the follower and its messages.
    void OnFix(const GpsFix& fix);

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

signals:
    // A file's courses were added (or refused); for tests and the frame.
    void Opened(bool ok);
    // A message of the followed course as shown (off course, back, arrived).
    void Told(const QString& text);

private:
    void RunManager();

    MapWnd& map_;
    CourseFollowing courses_;
    int chosen_ = -1;
    bool running_ = false;
};

} // namespace hw
