#pragma once

#include "base/SettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace hw {

// The program's settings: an INI file at the user's config location
// (~/.config/KORV/Hikewise.conf) or a file named on the command line. Each
// write is synced to disk at once; a missing, unreadable or corrupt file
// reads as defaults.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore(); // the user's file
    explicit QtSettingsStore(const QString& fileName);

    int32_t GetInt(const std::string& section, const std::string& name,
                   int32_t defaultValue) const override;
    void SetInt(const std::string& section, const std::string& name, int32_t value) override;
    std::string GetText(const std::string& section, const std::string& name,
                        const std::string& defaultValue) const override;
    void SetText(const std::string& section, const std::string& name,
                 const std::string& text) override;

    QString FileName() const { return settings_->fileName(); }

private:
    void SetAside();
    static QString Key(const std::string& section, const std::string& name);

    std::unique_ptr<QSettings> settings_;
};

} // namespace hw
