#include "base/MemorySettingsStore.h"

namespace hw {

int32_t MemorySettingsStore::GetInt(const std::string& section, const std::string& name,
                                    int32_t defaultValue) const
{
    auto it = values_.find({section, name});
    if (it == values_.end())
        return defaultValue;
    if (const auto* v = std::get_if<int32_t>(&it->second))
        return *v;
    return defaultValue;
}

void MemorySettingsStore::SetInt(const std::string& section, const std::string& name, int32_t value)
{
    values_[{section, name}] = value;
}

std::string MemorySettingsStore::GetText(const std::string& section, const std::string& name,
                                         const std::string& defaultValue) const
{
    auto it = values_.find({section, name});
    if (it == values_.end())
        return defaultValue;
    if (const auto* v = std::get_if<std::string>(&it->second))
        return *v;
    return defaultValue;
}

void MemorySettingsStore::SetText(const std::string& section, const std::string& name,
                                  const std::string& text)
{
    values_[{section, name}] = text;
}

bool MemorySettingsStore::Contains(const std::string& section, const std::string& name) const
{
    return values_.count({section, name}) != 0;
}

} // namespace hw
