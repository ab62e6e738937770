#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace hw::fuzz {

// The files a target hands to a reader that takes a path: each an anonymous
// file in memory (memfd), reached by its /proc/self/fd path, which the
// reader opens as any other file. Rewritten in place for every input, so
// that an input costs no file to create on disk; gone when the process ends.
class FuzzFile {
public:
    static FuzzFile& Instance()
    {
        static FuzzFile instance;
        return instance;
    }

    // Writes the bytes as the file called name and returns its path.
    std::string Write(const char* name, const void* data, std::size_t size)
    {
        auto it = files_.find(name);
        if (it == files_.end())
            it = files_.emplace(name, ::memfd_create(name, MFD_CLOEXEC)).first;
        const int fd = it->second;
        if (fd < 0 || ::ftruncate(fd, 0) != 0 || !WriteAll(fd, data, size)) {
            std::perror(name);
            std::abort(); // the target cannot run without its file
        }
        return "/proc/self/fd/" + std::to_string(fd);
    }

    ~FuzzFile()
    {
        for (const auto& [name, fd] : files_)
            if (fd >= 0)
                ::close(fd);
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

private:
    FuzzFile() = default;

    static bool WriteAll(int fd, const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const char*>(data);
        for (std::size_t done = 0; done < size;) {
            const ssize_t n = ::pwrite(fd, bytes + done, size - done, static_cast<off_t>(done));
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    std::map<std::string, int> files_; // name to descriptor
};

} // namespace hw::fuzz
