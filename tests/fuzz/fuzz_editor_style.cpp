// libFuzzer target: any bytes as EditorStyle.dat. Reading gives what it
// can, and that writes and reads back unchanged without a problem; single
// object records are read the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/EditorStyleFile.h"
#include "files/ObjectStream.h"

namespace {

void ReadRecords(std::string_view bytes)
{
    std::size_t offset = 0;
    try {
        while (offset < bytes.size()) {
            const std::size_t before = offset;
            (void)tallyrix::ReadObjectRecord(bytes, offset);
            if (offset <= before || offset > bytes.size()) std::abort();
        }
    } catch (const tallyrix::StyleFormatError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadRecords(bytes);
    const tallyrix::EditorStyle style = tallyrix::ReadEditorStyle(bytes).style;
    const tallyrix::EditorStyleReading again = tallyrix::ReadEditorStyle(tallyrix::WriteEditorStyle(style));
    if (again.style != style || !again.problems.empty()) std::abort();
    return 0;
}
