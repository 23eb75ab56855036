#include "files/ProgramDirectoryChoice.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tallyrix {

namespace {

// Permission bits do not tell (root writes anywhere, read-only mounts show
// write bits), so writability is tried.
bool CanCreateFilesIn(const std::string& dir)
{
    struct stat info {};
    if (dir.empty() || stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    std::string probe = dir + "/.tallyrix-write-test-XXXXXX";
    const int descriptor = mkstemp(probe.data());
    if (descriptor < 0) return false;
    close(descriptor);
    unlink(probe.c_str());
    return true;
}

std::string Cleaned(const std::string& dir)
{
    std::string clean = std::filesystem::path(dir).lexically_normal().string();
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    return clean;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string ProgramDirectoryFor(const std::string& executableDir, const std::string& homeOverride,
                                const std::string& userDataDir)
{
    const std::string& progDir = homeOverride.empty() ? executableDir : homeOverride;
    return Cleaned(CanCreateFilesIn(progDir) ? progDir : userDataDir);
}

std::string ProgramDirectoryForReading(std::string_view fileName, const std::string& executableDir,
                                       const std::string& homeOverride, const std::string& userDataDir)
{
    const std::string& progDir = homeOverride.empty() ? executableDir : homeOverride;
    const auto holds = [fileName](const std::string& dir) {
        struct stat info {};
        return !dir.empty() && stat((dir + "/" + std::string(fileName)).c_str(), &info) == 0;
    };
    if (!progDir.empty() && !holds(progDir) && !holds(userDataDir)) return Cleaned(progDir);
    return ProgramDirectoryFor(executableDir, homeOverride, userDataDir);
}

std::string UserDataDirectory(std::string_view applicationName)
{
    std::string base = Environment("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = Environment("HOME");
        base = Cleaned(home.empty() ? "/" : home) + "/.local/share";
    }
    return base + "/" + std::string(applicationName);
}

}  // namespace tallyrix
