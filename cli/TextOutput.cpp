#include "cli/TextOutput.h"

#include <cstring>

#include "files/Descriptor.h"

namespace tallyrix::cli {

void TextOutput::Write(std::string_view text)
{
    if (Before != nullptr) Before->Flush();
    if (!Failed && !text.empty() && !Put(text)) Failed = true;
}

void TextOutput::Flush()
{
    if (!Failed && !Drain()) Failed = true;
}

DescriptorOutput::DescriptorOutput(int descriptor, std::size_t bufferSize)
    : Descriptor(descriptor), Buffer(std::make_unique_for_overwrite<char[]>(bufferSize)), Size(bufferSize)
{
}

DescriptorOutput::~DescriptorOutput() { Flush(); }

bool DescriptorOutput::Drain()
{
    const std::size_t held = Used;
    Used = 0;
    return WriteAll(Descriptor, {Buffer.get(), held}) == 0;
}

bool DescriptorOutput::Put(std::string_view text)
{
    if (text.size() <= Size - Used) {
        std::memcpy(Buffer.get() + Used, text.data(), text.size());
        Used += text.size();
        return true;
    }
    // Too long for the room left: what is held goes first, then this,
    // held when it fits the buffer.
    if (!Drain()) return false;
    if (text.size() < Size) return Put(text);
    return WriteAll(Descriptor, text) == 0;
}

}  // namespace tallyrix::cli
