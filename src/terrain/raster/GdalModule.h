#pragma once

#include "terrain/ElevationGrid.h"

#include <string>
#include <vector>

// The one function of the GDAL module: reads the raster at path into grid
// (warped to geographic degrees when asked), or says why not in error.
#define HIKEWISE_GDAL_READ_FUNCTION hikewise_gdal_read_raster

namespace hw {

// GDAL, loaded only when a raster needs it. Linking it into the tool would
// cost every run some hundred shared libraries before main, more than
// shading a whole tile; the formats read directly never load it.
class GdalModule {
public:
    using ReadFunction = bool (*)(const char* path, bool geographic, ElevationGrid* grid,
                                  std::string* error);

    // The module's reader, loaded on first use; null, with the reason in
    // error, when the module cannot be found or loaded.
    static ReadFunction Reader(std::string& error);

    // Where the module is looked for, in order: beside the program (the
    // private library folder next to its bin/, as in the build tree and an
    // installed or unpacked package), then the folder it was installed to.
    static std::vector<std::string> Candidates();
};

} // namespace hw
