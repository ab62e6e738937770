#include "terrain/raster/GdalModule.h"

#include <dlfcn.h>
#include <mutex>
#include <unistd.h>

namespace hw {

namespace {

constexpr const char* kModuleName = "hikewise-gdal.so";

#define HIKEWISE_STRINGIFY2(x) #x
#define HIKEWISE_STRINGIFY(x) HIKEWISE_STRINGIFY2(x)

std::string ProgramFolder()
{
    std::string exe(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
    if (n <= 0 || static_cast<size_t>(n) >= exe.size())
        return {};
    exe.resize(static_cast<size_t>(n));
    const size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

} // namespace

std::vector<std::string> GdalModule::Candidates()
{
    std::vector<std::string> paths;
    const std::string folder = ProgramFolder();
    if (!folder.empty())
        paths.push_back(folder + "/../" HIKEWISE_MODULE_SUBDIR "/" + kModuleName);
    paths.push_back(std::string(HIKEWISE_MODULE_DIR) + "/" + kModuleName);
    return paths;
}

GdalModule::ReadFunction GdalModule::Reader(std::string& error)
{
    static std::once_flag once;
    static ReadFunction reader = nullptr;
    static std::string failure;
    std::call_once(once, [] {
        std::string tried;
        for (const std::string& path : Candidates()) {
            if (access(path.c_str(), F_OK) != 0) {
                tried += (tried.empty() ? "" : ", ") + path;
                continue;
            }
            void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (module == nullptr) {
                const char* why = dlerror();
                failure = why ? why : path + " does not load";
                return;
            }
            // The module stays loaded for the rest of the process.
            reader = reinterpret_cast<ReadFunction>(
                dlsym(module, HIKEWISE_STRINGIFY(HIKEWISE_GDAL_READ_FUNCTION)));
            if (reader == nullptr)
                failure = path + " has no raster reader";
            return;
        }
        failure = "the GDAL module is not installed (looked for " + tried + ")";
    });
    if (reader == nullptr)
        error = failure;
    return reader;
}

} // namespace hw
