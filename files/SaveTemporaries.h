// The temporaries a save writes beside its file, and the removal of those a
// killed save left behind.
#pragma once

#include <string>
#include <string_view>

namespace tallyrix {

// ".tallyrix-" and six letters or digits, as mkstemp fills them in.
inline constexpr std::string_view TemporaryPrefix = ".tallyrix-";
inline constexpr std::size_t TemporaryRandomLength = 6;

// directory + "/.tallyrix-XXXXXX", the template mkstemp takes.
std::string TemporaryTemplate(const std::string& directory);

bool IsSaveTemporaryName(std::string_view name);

// A save holds the lock of its temporary until the temporary is renamed or
// removed; a temporary older than this that nobody holds was left by a save
// that ended half-way.
inline constexpr long StaleSeconds = 60;

// Removes from directory the temporaries of this user's saves that are
// stale: named as ours, regular files, owned by this user, not locked and
// last written StaleSeconds or more ago. Anything else is left alone, and
// nothing is reported: a folder that cannot be read has nothing to remove.
// Returns how many were removed.
int RemoveStaleTemporaries(const std::string& directory);

}  // namespace tallyrix
