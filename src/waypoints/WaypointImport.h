#pragma once

#include "base/Translate.h"
#include "waypoints/WaypointDatabase.h"

#include <string>

namespace hw {

inline constexpr const char* kImportModeSetting = "Waypoint Inport Mode"; // 1: replace
inline constexpr const char* kUnsupportedFileMessage =
    HW_TRANSLATE_NOOP("WaypointImport", "错误 - 不支持的路点文件");
inline constexpr const char* kCsvOutOfRangeMessage =
    HW_TRANSLATE_NOOP("WaypointImport", "地点超出范围.这个操作将中止");
inline constexpr const char* kImportFileFilter =
    "GPX, XML, LOC and CSV Files|*.gpx;*.csv;*.xml;*.loc|GPX Files (*.GPX)|*.gpx|XML Files "
    "(*.XML)|*.xml|LOC Files (*.LOC)|*.loc|CSV Files (*.CSV)|*.csv|All Files (*.*)|*.*||";

// The progress indicator an import moves.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    virtual void SetRange(int maximum) = 0; // from 0
    virtual void Step() = 0;
};

// What an import did. Waypoints added before an error stay added.
struct ImportResult {
    int added = 0;
    int replaced = 0;
    bool opened = false;
    std::string error; // the message to show (error icon); empty when none
};

// The values of the CSV import sheet, given to every imported point.
struct CsvImportSettings {
    bool latitudeFirst = false; // "纬度、经度、注释"; default longitude first
    bool skipFirstLine = false;
    bool alarm = true;
    double alarmDistanceKm = 0.3048;
    int messageType = 0;
    bool setSymbol = true;
    int symbol = 55; // roadside camera
};

// GPX 1.0 (also as .xml) with the geocache and the program's own extension.
// In replace mode a waypoint whose name exists replaces the stored one;
// otherwise it is skipped.
ImportResult ImportGpx(WaypointDatabase& db, const std::string& path, bool replaceMode,
                       ImportProgress* progress = nullptr);
ImportResult ImportLoc(WaypointDatabase& db, const std::string& path,
                       ImportProgress* progress = nullptr);
ImportResult ImportCsv(WaypointDatabase& db, const std::string& path,
                       const CsvImportSettings& settings, ImportProgress* progress = nullptr);

// The file name's extension upper-cased ("GPX"); empty when it has none.
std::string UpperExtension(const std::string& path);

// Chooses the importer by the file's extension (GPX, XML, LOC, CSV in any
// case); any other gives kUnsupportedFileMessage.
ImportResult ImportWaypointFile(WaypointDatabase& db, const std::string& path, bool replaceMode,
                                const CsvImportSettings& csv, ImportProgress* progress = nullptr);

// "已添加 %d 新路点. \n\n已替换 %d 路点."
std::string ImportSummaryText(const ImportResult& result);

} // namespace hw
