#pragma once

#include "base/SettingsStore.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace hw {

// A settings store held in memory: for tests and for tools that must not
// touch the user's settings.
class MemorySettingsStore final : public SettingsStore {
public:
    int32_t GetInt(const std::string& section, const std::string& name,
                   int32_t defaultValue) const override;
    void SetInt(const std::string& section, const std::string& name, int32_t value) override;
    std::string GetText(const std::string& section, const std::string& name,
                        const std::string& defaultValue) const override;
    void SetText(const std::string& section, const std::string& name,
                 const std::string& text) override;

    bool Contains(const std::string& section, const std::string& name) const;
    void Clear() { values_.clear(); }

private:
    using Value = std::variant<int32_t, std::string>;
    std::map<std::pair<std::string, std::string>, Value> values_;
};

} // namespace hw
