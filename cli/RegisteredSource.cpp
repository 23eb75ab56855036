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
    std::string path;
    switch (options.registered) {
        case RegisteredSource::None:
            return {};
        case RegisteredSource::File:
            path = options.registeredPath;
            break;
        case RegisteredSource::ProgramDirectory: {
            path = RegisteredFilePath(programDirectory());
            // Without the file there are no constants, as in the window.
            std::error_code error;
            if (!std::filesystem::exists(path, error)) return {};
            break;
        }
    }
    const DocumentBytes bytes = ReadRegularFile(path, "registered constants '" + path + "'", RegisteredSizeLimit);
    return DecodeRegisteredText(bytes.View());
}

}  // namespace tallyrix::cli
