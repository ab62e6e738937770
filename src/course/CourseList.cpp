#include "course/CourseList.h"

namespace hw {
namespace {

// Colours that stand out on the relief and from the recorded track's red.
constexpr uint32_t kColours[] = {0x1F6FE0, 0xE07A00, 0x8A2BE2, 0x00A08A,
                                 0xD81B60, 0x6D8B00, 0x00838F, 0x5D4037};

} // namespace

CourseList::CourseList(CourseStore store, TerrainFile* terrain, double paceFactor)
    : store_(std::move(store)), terrain_(terrain), paceFactor_(paceFactor)
{
}

CourseEntry CourseList::MakeEntry(StoredCourse stored)
{
    CourseEntry e;
    e.figures = CourseProfile(stored.course, terrain_).Figures(paceFactor_);
    e.stored = std::move(stored);
    e.colour = kColours[nextColour_++ % std::size(kColours)];
    return e;
}

std::vector<std::string> CourseList::Load()
{
    std::vector<std::string> problems;
    entries_.clear();
    nextColour_ = 0;
    for (StoredCourse& s : store_.LoadAll(problems))
        entries_.push_back(MakeEntry(std::move(s)));
    return problems;
}

bool CourseList::AddFrom(const CourseFile& file, std::string& error)
{
    if (file.status != CourseFile::Status::Ok) {
        error = file.error;
        return false;
    }
    for (const Course& c : file.courses) {
        std::string path = store_.Add(c, error);
        if (path.empty())
            return false;
        entries_.push_back(MakeEntry({path, c}));
    }
    return true;
}

size_t CourseList::AddUnkept(const Course& course)
{
    entries_.push_back(MakeEntry({std::string(), course}));
    return entries_.size() - 1;
}

bool CourseList::Rename(size_t index, const std::string& name, std::string& error)
{
    StoredCourse renamed = entries_.at(index).stored;
    renamed.course.name = name;
    if (!renamed.path.empty() && !store_.Save(renamed, error))
        return false;
    entries_[index].stored = std::move(renamed);
    return true;
}

bool CourseList::Remove(size_t index, std::string& error)
{
    if (Kept(entries_.at(index)) && !store_.Remove(entries_[index].stored.path, error))
        return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void CourseList::SetPaceFactor(double paceFactor)
{
    paceFactor_ = paceFactor;
    for (CourseEntry& e : entries_)
        e.figures = CourseProfile(e.stored.course, terrain_).Figures(paceFactor_);
}

} // namespace hw
