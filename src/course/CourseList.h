#pragma once

#include "course/CourseFile.h"
#include "course/CourseProfile.h"
#include "course/CourseStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hw {

class TerrainFile;

// One row of the course manager: the kept course, its figures, whether the
// map shows it and in which colour (0xRRGGBB).
struct CourseEntry {
    StoredCourse stored;
    CourseFigures figures;
    bool shown = true;
    uint32_t colour = 0;
};

// The courses the manager lists, kept in the store's folder. Opening a file
// copies its courses into the folder; a file that fails changes nothing.
class CourseList {
public:
    CourseList(CourseStore store, TerrainFile* terrain, double paceFactor);

    // Reads the folder; the messages of the files that could not be read.
    std::vector<std::string> Load();
    // Keeps the courses of a file already read (ReadCourseFile, possibly
    // beside the UI thread); false with a message when one could not be
    // written, the courses written before it staying listed.
    bool AddFrom(const CourseFile& file, std::string& error);
    // Lists a course for this run only, not written to the folder (a
    // planned route, the run's --follow file); its index.
    size_t AddUnkept(const Course& course);

    const std::vector<CourseEntry>& Entries() const { return entries_; }
    // An entry without a file is kept for this run only.
    static bool Kept(const CourseEntry& entry) { return !entry.stored.path.empty(); }
    bool Rename(size_t index, const std::string& name, std::string& error);
    bool Remove(size_t index, std::string& error);
    void SetShown(size_t index, bool shown) { entries_.at(index).shown = shown; }
    // New figures for every course (the terrain or the pace factor changed).
    void SetPaceFactor(double paceFactor);

private:
    CourseEntry MakeEntry(StoredCourse stored);

    CourseStore store_;
    TerrainFile* terrain_;
    double paceFactor_;
    size_t nextColour_ = 0;
    std::vector<CourseEntry> entries_;
};

} // namespace hw
