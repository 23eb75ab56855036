#include "files/ProgramDirectoryChoice.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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

// Shared by every user and managed by the package system.
constexpr std::string_view InstallTrees[] = {"/usr",   "/opt",   "/bin",    "/sbin", "/lib",
                                             "/lib32", "/lib64", "/libx32", "/snap"};

bool IsInTree(std::string_view dir, std::string_view tree)
{
    return dir.substr(0, tree.size()) == tree && (dir.size() == tree.size() || dir[tree.size()] == '/');
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

bool IsPortableProgramFolder(std::string_view dir, unsigned ownerUid, unsigned userUid)
{
    if (ownerUid != userUid || dir.empty() || dir == "/") return false;
    return std::none_of(std::begin(InstallTrees), std::end(InstallTrees),
                        [dir](std::string_view tree) { return IsInTree(dir, tree); });
}

bool IsPortableProgramDirectory(const std::string& dir)
{
    struct stat info {};
    if (dir.empty() || stat(dir.c_str(), &info) != 0) return false;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(dir, error);
    return !error && IsPortableProgramFolder(Cleaned(absolute.string()), info.st_uid, geteuid());
}

std::string ProgramDirectoryFor(const std::string& executableDir, const std::string& homeOverride,
                                const std::string& userDataDir)
{
    const bool overridden = !homeOverride.empty();
    const std::string& progDir = overridden ? homeOverride : executableDir;
    const bool usable = (overridden || IsPortableProgramDirectory(progDir)) && CanCreateFilesIn(progDir);
    return Cleaned(usable ? progDir : userDataDir);
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
