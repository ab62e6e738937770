#pragma once

#include "base/SettingsStore.h"
#include "track/TrackPoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hw {

// Track settings, section "地图" (the file path is in "设置").
namespace track_setting {
inline constexpr const char* kFilterThreshold = "Pos Filter Dist Threshold"; // km as text
inline constexpr const char* kCourseThreshold = "Course Dist Threshold";     // km as text
inline constexpr const char* kFilterEnabled = "启用位置过滤器";
inline constexpr const char* kUseGpsCourse = "使用由GPS指示的航向";
inline constexpr const char* kTrackFile = "轨迹文件"; // section "设置"
inline constexpr const char* kDefaultTrackFile = "\\My Documents\\Hikewise\\track.trk";
} // namespace track_setting

// The walked path: a ring of at most 15000 points, oldest first. Filters
// jitter while standing still, starts a segment at gaps and jumps, derives a
// course from the positions, and keeps itself in a track file.
class TrackLog {
public:
    static constexpr uint16_t kCapacity = 15000;
    static constexpr double kJumpKm = 2.5;
    static constexpr uint32_t kHeaderV2 = 0x55AA0002;
    static constexpr uint32_t kHeaderV1 = 0x55AA0001;

    TrackLog();

    // Offers a fix to the log: filtered, flagged and appended.
    void AddPoint(TrackPoint point);
    void Clear();

    uint16_t Count() const { return ring_.count; }
    bool Empty() const { return ring_.count == 0; }
    // The points that start a segment.
    int SegmentCount() const;
    // The i-th point from the oldest (i < Count()).
    const TrackPoint& At(uint16_t i) const;
    // Sequential walk from the oldest point; First is null when empty. Next
    // wraps at the end of the ring, so callers walk exactly Count() points.
    const TrackPoint* First();
    const TrackPoint* Next();

    double ComputedCourse() const { return computedCourse_; }
    // Counts every change of the points held (a point logged, a clear, a
    // load), so that a saver sees whether anything is new.
    uint64_t Changes() const { return changes_; }

    void SetFilter(int enabled) { filterEnabled_ = enabled; }
    void SetFilterThreshold(double km) { filterThreshold_ = km; }
    void SetCourseThresholdEnabled(int enabled) { courseThresholdEnabled_ = enabled; }
    void SetCourseThreshold(double km) { courseThreshold_ = km; }
    int FilterEnabled() const { return filterEnabled_; }
    double FilterThreshold() const { return filterThreshold_; }
    int CourseThresholdEnabled() const { return courseThresholdEnabled_; }
    double CourseThreshold() const { return courseThreshold_; }

    // Reads the thresholds and switches from the map settings.
    void ApplySettings(const SettingsStore& settings);

    // The track file. Both return 1 on success and 0 on failure; a failed
    // Load leaves the log as it was, a failed Save leaves the old file. The
    // points are saved as they are; after a load the next point logged
    // starts a segment.
    int Load(const std::string& path);
    int Save(const std::string& path);
    // The file's bytes for the points held (header and records).
    std::string FileBytes() const;

private:
    struct Ring {
        std::vector<TrackPoint> points;
        uint16_t read = 0;
        uint16_t write = 0;
        uint16_t count = 0;
        void Append(const TrackPoint& p);
    };
    static uint16_t Wrap(uint32_t index) { return static_cast<uint16_t>(index % kCapacity); }

    Ring ring_;
    uint16_t cursor_ = 0;
    TrackPoint current_;
    TrackPoint lastLogged_;
    TrackPoint courseReference_;
    double computedCourse_ = 0;
    int filterEnabled_ = 1;
    double filterThreshold_ = 0.001;
    int courseThresholdEnabled_ = 0;
    double courseThreshold_ = 0.001;
    // Set by a load: the next point logged starts a segment.
    bool resumeStartsSegment_ = false;
    uint64_t changes_ = 0;
};

} // namespace hw
