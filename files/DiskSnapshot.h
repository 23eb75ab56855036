// What a document's file held when it was read or last saved, so that a
// save can tell whether another program has changed the file since.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallyrix {

class DiskSnapshot {
public:
    // Nothing recorded: no file counts as changed.
    DiskSnapshot() = default;

    // The file at path as it is now, holding bytes (just read or written).
    static DiskSnapshot Of(const std::string& path, std::string_view bytes);

    // True when path is the recorded file and it no longer holds what was
    // recorded: its size or time differ, or, when those agree, its bytes. A
    // file that is gone has nothing to lose and counts as unchanged.
    bool ChangedOnDisk(const std::string& path) const;

private:
    struct Stamp {
        bool exists = false;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static Stamp StampOf(const std::string& path);

    std::string recordedPath;
    Stamp stamp;
    std::size_t hash = 0;
};

}  // namespace tallyrix
