#pragma once

#include "course/Course.h"

#include <string>
#include <vector>

namespace hw {

// A course kept in the courses folder, with its file.
struct StoredCourse {
    std::string path;
    Course course;
};

// The courses folder: one GPX 1.1 file per course, each written atomically,
// the folder created at the first write.
class CourseStore {
public:
    explicit CourseStore(std::string folder) : folder_(std::move(folder)) {}
    const std::string& Folder() const { return folder_; }

    // Every course file of the folder, by file name; files that cannot be
    // read are left out and named in problems.
    std::vector<StoredCourse> LoadAll(std::vector<std::string>& problems) const;
    // Writes a new file named after the course (made unique); its path, or
    // empty with a message.
    std::string Add(const Course& course, std::string& error) const;
    // Rewrites a course's file, e.g. after a rename.
    bool Save(const StoredCourse& stored, std::string& error) const;
    bool Remove(const std::string& path, std::string& error) const;

private:
    std::string folder_;
};

} // namespace hw
