#pragma once

#include "course/Course.h"

#include <optional>
#include <vector>

namespace hw {

class TerrainFile;

// The figures of a whole course, as the manager and course-info show them.
// Heights are unknown (empty) when neither the terrain nor the file has any.
struct CourseFigures {
    size_t points = 0;
    double lengthM = 0;
    std::optional<double> ascentM, descentM, minEle, maxEle;
    double timeS = 0; // Tobler's time times the pace factor
    CourseBounds bounds;
};

// A course measured point by point, in its walking order: the distance from
// its start, the height (from the terrain where it covers the point, else
// from the file), the ascent and descent so far by the trip computer's
// 100-metre steps, and the walking time so far by Tobler's function.
class CourseProfile {
public:
    // terrain may be null. Reads the terrain once per point.
    CourseProfile(Course course, TerrainFile* terrain);

    const Course& GetCourse() const { return course_; }
    size_t Size() const { return distance_.size(); }
    double LengthM() const { return distance_.empty() ? 0 : distance_.back(); }
    bool HasHeights() const { return hasHeights_; }

    double DistanceAt(size_t i) const { return distance_[i]; }
    double HeightAt(size_t i) const { return height_[i]; } // NaN unknown
    // Ascent and descent (both positive) and Tobler seconds from the start
    // to point i; at the last point the totals.
    double AscentAt(size_t i) const { return ascent_[i]; }
    double DescentAt(size_t i) const { return descent_[i]; }
    double ToblerAt(size_t i) const { return tobler_[i]; }
    const std::vector<double>& Distances() const { return distance_; }

    CourseFigures Figures(double paceFactor) const;

private:
    Course course_;
    std::vector<double> distance_, height_, ascent_, descent_, tobler_;
    bool hasHeights_ = false;
};

} // namespace hw
