// What every target checks after a successful load: the document saved as a schedule file loads
// again, compared as the command line dumps it, and saves to the same bytes once more.
#pragma once

#include "cli/cli_common.h"
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"

#include <string>

namespace shiftex::fuzz {

inline std::string SavedBytes(const ScheduleDocument& document)
{
    return WriteGridCellStream(BuildScheduleImage(document));
}

// `expected` is the dump the loaded copy must give: the document's own, less what a schedule
// file does not keep.
inline void CheckSavesAndLoadsBack(const ScheduleDocument& document, const std::string& expected)
{
    if (!ScheduleImageFits(document))
        return;
    const std::string saved = SavedBytes(document);
    const Result<ScheduleDocument> again = LoadScheduleFile(saved);
    if (!again)
        __builtin_trap();  // a saved file that does not open again
    if (cli::DocumentJson(*again) != expected)
        __builtin_trap();  // the saved file gives another document
    if (SavedBytes(*again) != saved)
        __builtin_trap();  // the second save differs: something was lost or changed
}

// A document loaded from a schedule file must come back exactly.
inline void CheckSavesAndLoadsBack(const ScheduleDocument& document)
{
    CheckSavesAndLoadsBack(document, cli::DocumentJson(document));
}

// A document loaded from a schedule text: a schedule file keeps no weekend and holiday day lists
// and no holiday names.
inline void CheckTextSavesAndLoadsBack(const ScheduleDocument& document)
{
    ScheduleDocument kept = document;
    kept.weekendDays.clear();
    kept.holidayDays.clear();
    kept.holidayNames.clear();
    CheckSavesAndLoadsBack(document, cli::DocumentJson(kept));
}

} // namespace shiftex::fuzz
