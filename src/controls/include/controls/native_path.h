#pragma once
// Catalogue paths are written for Windows ("Images\Fon.jpg", any letter case). This turns
// one into a path of the file system the program runs on.

#include <QString>

// Backslashes become the native separator. Where the file system is case-sensitive and the
// path as written does not exist, each component that does not exist as written is matched
// without regard to letter case. A path that matches nothing comes back converted only.
QString NativePath(const QString& cataloguePath);

// Whether the path names an existing file only when letter case is ignored.
bool FoundOnlyIgnoringCase(const QString& cataloguePath);
