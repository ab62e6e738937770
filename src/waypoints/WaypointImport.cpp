#include "waypoints/WaypointImport.h"

#include "base/Translate.h"
#include "units/UnitFormatter.h"

#include <algorithm>

namespace hw {

std::string UpperExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return extension;
}

ImportResult ImportWaypointFile(WaypointDatabase& db, const std::string& path, bool replaceMode,
                                const CsvImportSettings& csv, ImportProgress* progress)
{
    const std::string extension = UpperExtension(path);
    if (extension == "GPX" || extension == "XML")
        return ImportGpx(db, path, replaceMode, progress);
    if (extension == "LOC")
        return ImportLoc(db, path, progress);
    if (extension == "CSV")
        return ImportCsv(db, path, csv, progress);
    ImportResult result;
    result.error = Translate("WaypointImport", kUnsupportedFileMessage);
    return result;
}

std::string ImportSummaryText(const ImportResult& result)
{
    return FormatTranslated(
        "WaypointImport",
        HW_TRANSLATE_NOOP("WaypointImport", "已添加 %d 新路点. \n\n已替换 %d 路点."), result.added,
        result.replaced);
}

} // namespace hw
