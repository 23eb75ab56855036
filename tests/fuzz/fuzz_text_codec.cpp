// libFuzzer target: any bytes as a document or Registered.txt. Decoding
// never fails, and the text saved in the format it was read in comes back
// as the same bytes (unreadable bytes included); so does the same text
// saved in any other encoding, as text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tallyrix::TextFormat format;
    const tallyrix::DecodedText decoded = tallyrix::DecodeText(bytes, format);
    const bool bytesKept = decoded.undecodableBytes == 0 || format.byteEscapes != 0;
    if (bytesKept && tallyrix::EncodeText(decoded.text, format) != bytes) std::abort();
    tallyrix::TextFormat utf16 = format;
    utf16.encoding = tallyrix::TextEncoding::Utf16Be;
    tallyrix::TextFormat again;
    if (tallyrix::DecodeText(tallyrix::EncodeText(decoded.text, utf16), again).text != decoded.text) std::abort();
    (void)tallyrix::Cp932Length(decoded.text);
    return 0;
}
