#pragma once

#include "cli/cli_common.h"

#include <map>
#include <string>

namespace shiftex::cli {

// shiftex-cli print-copy FILE --source sheet|icons|queries|types|employees|hours
//                        [--selection LEFT TOP RIGHT BOTTOM]
int RunPrintCopy(const Options& options);
// shiftex-cli export FILE OUT --format html|xml|xlsx|odt|pdf [--selection ...]
int RunExport(const Options& options);
// shiftex-cli print FILE OUT.pdf --source ... [--selection ...]
int RunPrint(const Options& options);
// shiftex-cli bargraph FILE --selection LEFT TOP RIGHT BOTTOM [--employee NAME] [--json]
//                      [--out FILE.png|FILE.bmp|FILE.pdf]
int RunBarGraph(const Options& options);
// shiftex-cli ics FILE OUTDIR [--employee NAME] [--timezone ZONE]
int RunIcs(const Options& options);

using CommandFunction = int (*)(const Options&);
// The commands above by name, for the command line's table.
void AddReportCommands(std::map<std::string, CommandFunction>& commands);
// Their lines of the usage text.
const char* ReportCommandsUsage();

} // namespace shiftex::cli
