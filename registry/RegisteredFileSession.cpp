#include "registry/RegisteredFileSession.h"

#include "registry/RegisteredFile.h"

namespace tallyrix {

RegisteredFileSession::RegisteredFileSession(std::string path) : FilePath(std::move(path)) {}

const std::optional<std::vector<std::string>>& RegisteredFileSession::Read()
{
    const std::optional<std::string> bytes = ReadRegisteredBytes(FilePath);
    // A missing file is recorded too, so that one made later counts as a change.
    Snapshot = DiskSnapshot::Of(FilePath, bytes.value_or(std::string()));
    Current = bytes ? std::optional(DecodeRegisteredText(*bytes)) : std::nullopt;
    return Current;
}

bool RegisteredFileSession::ChangedOnDisk() const { return Snapshot.ChangedOnDisk(FilePath); }

void RegisteredFileSession::Write(const std::vector<std::string>& lines)
{
    WriteRegisteredFile(FilePath, lines, &Snapshot);
    Current = lines;
}

}  // namespace tallyrix
