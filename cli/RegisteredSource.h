// The registered constants of tallyrix-calc: the lines of Registered.txt
// that the options call for, found where the window finds the file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/CalcOptions.h"

namespace tallyrix::cli {

// The program's directory, asked for only when the options need it.
using ProgramDirectoryLocator = std::function<std::string()>;

// The program's directory as the window resolves it (TALLYRIX_HOME, else the
// executable's directory, else the per-user data directory when that cannot
// be written), without Qt and without creating anything; the trial of the
// directory is left out when no Registered.txt is in either place.
// argv0 serves when /proc/self/exe cannot be read.
std::string CalcProgramDirectory(const char* argv0);

// The entry lines to register: none with --no-registered; those of the
// program directory's file when there is one; those of --registered FILE,
// which must exist. Either must be a regular file of at most
// RegisteredSizeLimit bytes; throws InputError otherwise.
std::vector<std::string> ReadRegisteredLines(const CalcOptions& options,
                                             const ProgramDirectoryLocator& programDirectory);

}  // namespace tallyrix::cli
