#pragma once

#include <QString>

namespace shiftex {

// The folder the holiday templates are read from and written to, with a trailing "/": the
// executable's folder when it holds a Holidays folder (build tree, portable install), otherwise
// the per-user data folder, seeded on first use from the installed Holidays folder.
QString ProgramFolder();

// Where an installation keeps its shipped data: "share/shiftex" beside the executable's "bin".
QString InstalledDataFolder();

// The same choice with the folders given: exeFolder is where the executable lives, dataFolder
// the per-user data folder, installedFolder where an installation keeps its Holidays folder.
QString ChooseProgramFolder(const QString& exeFolder, const QString& dataFolder,
                            const QString& installedFolder);

// The entry of folder named name without regard to case; empty when there is none.
QString FindEntryIgnoringCase(const QString& folder, const QString& name);

} // namespace shiftex
