#pragma once

#include "course/CourseList.h"

#include <cstddef>
#include <string>
#include <vector>

namespace hw {

// What the course manager works on: the listed courses and what may be done
// to them. The map window gives it; the manager knows it by this face.
class CourseManagerHost {
public:
    virtual ~CourseManagerHost() = default;
    virtual const std::vector<CourseEntry>& Entries() const = 0;
    virtual bool RenameCourse(size_t index, const std::string& name, std::string& error) = 0;
    virtual bool RemoveCourse(size_t index, std::string& error) = 0;
    virtual void ShowCourse(size_t index, bool shown) = 0;
    // Shows the course and centres the map on it.
    virtual void ShowOnMap(size_t index) = 0;
    virtual bool FollowListed(size_t index, bool reversed) = 0;
    // The listed course followed now; -1 when none.
    virtual int FollowedCourse() const = 0;
};

} // namespace hw
