#include "course/CourseFile.h"

#include "course/GpxCourseReader.h"
#include "course/KmlCourseReader.h"
#include "track/TrackLog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace hw {
namespace {

enum class Format { Gpx, Kml, TrackFile };

std::string LowerExtension(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// By the extension, else by the first bytes: XML naming its root, or a
// track file's header.
Format FormatOf(const std::string& path)
{
    std::string ext = LowerExtension(path);
    if (ext == "gpx")
        return Format::Gpx;
    if (ext == "kml")
        return Format::Kml;
    if (ext == "trk")
        return Format::TrackFile;
    std::string head(1024, '\0');
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    head.resize(f ? std::fread(head.data(), 1, head.size(), f.get()) : 0);
    if (head.find("<kml") != std::string::npos)
        return Format::Kml;
    if (head.find('<') != std::string::npos)
        return Format::Gpx;
    return Format::TrackFile;
}

// The program's own track file: one track, its segments as recorded.
CourseFile ReadTrackFile(const std::string& path)
{
    CourseFile result;
    TrackLog log;
    if (log.Load(path) != 1) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
        result.status = f ? CourseFile::Status::Damaged : CourseFile::Status::CannotOpen;
        result.error =
            f ? "'" + path + "' is no track file or is damaged" : "cannot open '" + path + "'";
        return result;
    }
    Course& course = result.courses.emplace_back();
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        if (p.segmentStart != 0 && !course.points.empty())
            course.segmentStarts.push_back(static_cast<uint32_t>(course.points.size()));
        course.points.push_back({p.lat * 1e-06, p.lon * 1e-06, static_cast<double>(p.alt)});
    }
    return result;
}

} // namespace

std::string FileStem(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

CourseFile ReadCourseFile(const std::string& path, ImportProgress* progress)
{
    CourseFile file;
    switch (FormatOf(path)) {
    case Format::Gpx: file = GpxCourseReader::Read(path, progress); break;
    case Format::Kml: file = KmlCourseReader::Read(path, progress); break;
    case Format::TrackFile: file = ReadTrackFile(path); break;
    }
    if (file.status != CourseFile::Status::Ok)
        return file;
    // A single point is no way to walk.
    size_t read = file.courses.size();
    std::erase_if(file.courses, [](const Course& c) { return c.points.size() < 2; });
    if (file.courses.empty()) {
        file.status = CourseFile::Status::NoCourse;
        file.error = read == 0 ? "no track or route in '" + path + "'"
                               : "no track or route of two or more points in '" + path + "'";
        return file;
    }
    std::string stem = FileStem(path);
    for (Course& c : file.courses)
        if (c.name.find_first_not_of(" \t\r\n") == std::string::npos)
            c.name = stem;
    return file;
}

} // namespace hw
