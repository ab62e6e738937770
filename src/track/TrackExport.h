#pragma once

#include "track/TrackLog.h"

#include <optional>
#include <string>
#include <string_view>

namespace hw {

// The text formats a track is exported to for other mapping programs.
enum class TrackExportFormat { Csv, Kml, Gpx };

// "csv", "kml" or "gpx" (any case).
std::optional<TrackExportFormat> TrackExportFormatByName(std::string_view name);

// The whole log, oldest point first, as the file's bytes: 8-bit text with bare
// line feeds, a new line string (KML) or track segment (GPX) at every point
// that starts a segment. A point whose time is unknown (0) is written without
// one.
std::string TrackExportText(const TrackLog& log, TrackExportFormat format);

// Writes the export to path (replacing the file). 1 on success, 0 when the
// file cannot be written, in which case an existing file stays as it was.
int ExportTrack(const TrackLog& log, TrackExportFormat format, const std::string& path);

} // namespace hw
