// libFuzzer target: any bytes as a document or Registered.txt. Decoding
// never fails; the text saved in the encoding it was read in (with the
// file's spelling) decodes to the same text, so no character is lost on
// save; a text that stayed code page 932 comes back as the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tallyrix::Cp932Spelling spelling;
    const tallyrix::DecodedText decoded = tallyrix::DecodeText(bytes, spelling);
    tallyrix::TextEncoding used = decoded.encoding;
    const std::string saved = tallyrix::EncodeText(decoded.text, decoded.encoding, spelling, &used);
    tallyrix::Cp932Spelling again;
    const tallyrix::DecodedText reread = tallyrix::DecodeText(saved, again);
    if (reread.text != decoded.text) std::abort();
    if (decoded.encoding == tallyrix::TextEncoding::ShiftJis && used == tallyrix::TextEncoding::ShiftJis &&
        saved != bytes)
        std::abort();
    (void)tallyrix::Cp932Length(decoded.text);
    return 0;
}
