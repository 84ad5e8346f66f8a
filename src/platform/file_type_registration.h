#pragma once

#include <QString>

namespace shiftex {

// Registers the schedule file type with the desktop the freedesktop way: a shared-mime-info
// package for the extension (matched without regard to case) and a desktop entry that opens such
// files with the program, both below the user's data folder; then the desktop's caches are
// refreshed when the tools for it exist. Returns false when something could not be written; the
// program does not report that.
bool RegisterFileType(const QString& extension, const QString& typeName,
                      const QString& description, const QString& iconPath,
                      const QString& programPath, bool notify);

} // namespace shiftex
