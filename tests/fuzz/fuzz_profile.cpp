// libFuzzer target: any bytes as Tallyrix.ini. Reading never fails; a text
// value written into the file reads back as written (up to its first line
// break), and every other key keeps its value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "files/ProfileFile.h"
#include "files/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tallyrix::ProfileFile file = tallyrix::ProfileFile::FromBytes(bytes);
    const std::optional<std::string> left = file.ReadText("FORM", "Left");
    (void)file.ReadInteger("FORM", "Width", 0);
    (void)file.ReadBool("FORM", "Enter", false);
    (void)tallyrix::ParseProfileInteger(bytes.substr(0, 64));

    // The last 32 bytes of the input also serve as a value to store, when
    // they are UTF-8 text as every value the program writes is.
    std::string_view value = bytes.substr(bytes.size() > 32 ? bytes.size() - 32 : 0);
    if (tallyrix::DecodeText(value).text != value) value = "C:\\CAL\\計算.txt";
    const std::string stored(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
    file.WriteText("FORM", "FileName", value);
    file.WriteInteger("FORM", "Top", static_cast<int>(size));

    const tallyrix::ProfileFile again = tallyrix::ProfileFile::FromBytes(file.ToBytes());
    if (again.ReadInteger("FORM", "Top", -1) != static_cast<int>(size)) std::abort();
    if (value.find('\0') == std::string_view::npos && again.ReadText("FORM", "FileName") != stored) std::abort();
    if (again.ReadText("FORM", "Left") != left) std::abort();
    return 0;
}
