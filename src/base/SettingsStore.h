#pragma once

#include <cstdint>
#include <string>

namespace hw {

// The user's settings, addressed by section and value name. Every reader
// passes its default; a missing or malformed value reads as that default.
// Names are UTF-8 and used exactly as given, Chinese included.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int32_t GetInt(const std::string& section, const std::string& name,
                           int32_t defaultValue) const = 0;
    virtual void SetInt(const std::string& section, const std::string& name, int32_t value) = 0;
    virtual std::string GetText(const std::string& section, const std::string& name,
                                const std::string& defaultValue) const = 0;
    virtual void SetText(const std::string& section, const std::string& name,
                         const std::string& text) = 0;
};

// Section names shared by several subsystems.
namespace section {
inline constexpr const char* kSettings = "设置";
inline constexpr const char* kSerial = "Serial Port Commmunications";
inline constexpr const char* kTheme = "主题颜色";
inline constexpr const char* kPanel = "面板";
inline constexpr const char* kMap = "地图";
inline constexpr const char* kAnalysis = "分析";
} // namespace section

} // namespace hw
