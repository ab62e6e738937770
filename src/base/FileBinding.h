#pragma once

#include "base/HandheldPaths.h"
#include "base/SettingsStore.h"

#include <string>

namespace hw {

// The file a document (the waypoint database, the track) is bound to: the
// path it is loaded from and saved to, and rebound by the open and new
// commands.
class FileBinding {
public:
    virtual ~FileBinding() = default;
    // A path of this machine.
    virtual std::string Path() const = 0;
    virtual void Bind(const std::string& path) = 0;
};

// Bound through a setting holding a handheld or local path.
class StoredFileBinding final : public FileBinding {
public:
    StoredFileBinding(SettingsStore& settings, std::string section, std::string name,
                      std::string defaultPath, HandheldFolders folders)
        : settings_(settings), section_(std::move(section)), name_(std::move(name)),
          default_(std::move(defaultPath)), folders_(std::move(folders))
    {
    }
    std::string Path() const override
    {
        return MapHandheldPath(settings_.GetText(section_, name_, default_), folders_);
    }
    void Bind(const std::string& path) override { settings_.SetText(section_, name_, path); }

private:
    SettingsStore& settings_;
    std::string section_;
    std::string name_;
    std::string default_;
    HandheldFolders folders_;
};

// Bound for this run only: nothing is stored.
class RunFileBinding final : public FileBinding {
public:
    explicit RunFileBinding(std::string path) : path_(std::move(path)) {}
    std::string Path() const override { return path_; }
    void Bind(const std::string& path) override { path_ = path; }

private:
    std::string path_;
};

} // namespace hw
