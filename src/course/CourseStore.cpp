#include "course/CourseStore.h"

#include "course/CourseFile.h"
#include "course/CourseGpxWriter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace hw {
namespace {

// A file name from a course's name: no folder separators, no control
// characters, no leading dot, not too long.
std::string SafeFileName(const std::string& name)
{
    std::string out;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || c == '/' || c == '\\' || c == ':') ? '_' : c;
    }
    while (!out.empty() && (out.front() == '.' || out.front() == ' '))
        out.erase(out.begin());
    if (out.size() > 120) { // whole UTF-8 characters only
        size_t cut = 120;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out.empty() ? "course" : out;
}

} // namespace

std::vector<StoredCourse> CourseStore::LoadAll(std::vector<std::string>& problems) const
{
    std::vector<StoredCourse> stored;
    std::error_code ec;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec))
        if (entry.path().extension() == ".gpx")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string& path : files) {
        CourseFile file = ReadCourseFile(path);
        if (file.status != CourseFile::Status::Ok) {
            problems.push_back(file.error);
            continue;
        }
        for (Course& c : file.courses)
            stored.push_back({path, std::move(c)});
    }
    return stored;
}

std::string CourseStore::Add(const Course& course, std::string& error) const
{
    std::string base = folder_ + "/" + SafeFileName(course.name);
    std::string path = base + ".gpx";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n)
        path = base + " (" + std::to_string(n) + ").gpx";
    return WriteCourseGpx(course, path, error) ? path : std::string();
}

bool CourseStore::Save(const StoredCourse& stored, std::string& error) const
{
    return WriteCourseGpx(stored.course, stored.path, error);
}

bool CourseStore::Remove(const std::string& path, std::string& error) const
{
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec) {
        error = "cannot delete '" + path + "'";
        return false;
    }
    return true;
}

} // namespace hw
