#include "files/SaveTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>

namespace tallyrix {
namespace {

bool IsRandomCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Opened without following a link and without waiting on a pipe; held
// locked while it is removed, so no save can be in it.
bool RemoveIfStale(int directory, const char* name, std::time_t now)
{
    const int descriptor = openat(directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return false;
    struct stat info {};
    const bool stale = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
                       now - info.st_mtime >= StaleSeconds && flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    const bool removed = stale && unlinkat(directory, name, 0) == 0;
    close(descriptor);
    return removed;
}

}  // namespace

std::string TemporaryTemplate(const std::string& directory)
{
    return directory + "/" + std::string(TemporaryPrefix) + std::string(TemporaryRandomLength, 'X');
}

bool IsSaveTemporaryName(std::string_view name)
{
    if (!name.starts_with(TemporaryPrefix)) return false;
    name.remove_prefix(TemporaryPrefix.size());
    return name.size() == TemporaryRandomLength && std::all_of(name.begin(), name.end(), IsRandomCharacter);
}

int RemoveStaleTemporaries(const std::string& directory)
{
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr) return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = readdir(listing)) {
        if (IsSaveTemporaryName(entry->d_name)) removed += RemoveIfStale(dirfd(listing), entry->d_name, now);
    }
    closedir(listing);
    return removed;
}

}  // namespace tallyrix
