#include "cli/RegisteredSource.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cli/DocumentInput.h"
#include "files/ProgramDirectoryChoice.h"
#include "registry/RegisteredText.h"

namespace tallyrix::cli {
namespace {

std::string ExecutableDirectory(const char* argv0)
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) executable = std::filesystem::absolute(argv0 ? argv0 : "", error);
    return executable.parent_path().string();
}

}  // namespace

std::string CalcProgramDirectory(const char* argv0)
{
    // The per-user directory is named after the application, as the window's is.
    const char* home = std::getenv("TALLYRIX_HOME");
    return ProgramDirectoryForReading(RegisteredFileName, ExecutableDirectory(argv0), home ? home : "",
                                      UserDataDirectory("Tallyrix"));
}

std::vector<std::string> ReadRegisteredLines(const CalcOptions& options,
                                             const ProgramDirectoryLocator& programDirectory)
{
    switch (options.registered) {
    case RegisteredSource::None:
        return {};
    case RegisteredSource::File:
        if (auto lines = ReadRegisteredFile(options.registeredPath)) return std::move(*lines);
        throw InputError("cannot open registered constants '" + options.registeredPath + "': no such file");
    case RegisteredSource::ProgramDirectory:
        break;
    }
    return ReadRegisteredFile(RegisteredFilePath(programDirectory())).value_or(std::vector<std::string>());
}

}  // namespace tallyrix::cli
