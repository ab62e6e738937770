#pragma once

#include <string>

namespace hw {

// Where the handheld's fixed folders live on this machine.
struct HandheldFolders {
    std::string documents; // "\My Documents\..." (the user's Documents folder)
    std::string appData;   // "\HTML\..." and other application-relative paths
};

// Turns a stored handheld path ("\My Documents\Hikewise\track.trk",
// "\HTML\gc.htm") into a path of this machine; a path that is already a
// local one ("/home/...", "~/...", "relative/file") is returned as it is,
// with "~/" expanded against home.
std::string MapHandheldPath(const std::string& stored, const HandheldFolders& folders,
                            const std::string& home = {});

} // namespace hw
