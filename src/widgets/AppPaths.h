#pragma once

#include "base/HandheldPaths.h"

#include <QString>

namespace hw {

// The program's folders on this machine.
class AppPaths {
public:
    // Templates, images, sounds, help and the demo log: the installed data
    // folder beside the program, else the source tree's resources.
    static QString DataDir();
    static QString DataFile(const QString& relative);
    // A file of the bundled demo: the installed one, else, in the build
    // tree, the map and terrain the build imported.
    static QString DemoFile(const QString& name);
    // The user's Documents folder, for "\My Documents\..." paths.
    static QString DocumentsDir();
    // A user-writable folder for rendered pages ("\HTML\...").
    static QString AppDataDir();
    static HandheldFolders Folders();
    // A stored handheld path as a local path.
    static QString MapStoredPath(const std::string& stored);
    // A stored handheld path as the place a file dialog starts in; its
    // folder is created first, so the dialog never opens in a missing one.
    static QString DialogStartPath(const std::string& stored);
    // Creates the folder a file is about to be written to.
    static bool EnsureParentDir(const QString& filePath);
};

} // namespace hw
