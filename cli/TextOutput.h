// Where the command writes its text: standard output and error through
// their descriptors, or a string in tests. Not a std::ostream: setting up
// any standard stream sets up the library's locales, which took a tenth of
// what a run of a small document costs.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tallyrix::cli {

class TextOutput {
public:
    TextOutput() = default;
    virtual ~TextOutput() = default;
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Once a write was refused, nothing more is written.
    void Write(std::string_view text);
    TextOutput& operator<<(std::string_view text)
    {
        Write(text);
        return *this;
    }
    TextOutput& operator<<(char c)
    {
        Write({&c, 1});
        return *this;
    }
    // Writes out what is held back.
    void Flush();
    // False once a write was refused.
    explicit operator bool() const { return !Failed; }
    // What before holds is written out before anything written here.
    void Tie(TextOutput* before) { Before = before; }

protected:
    // False when the text was refused.
    virtual bool Put(std::string_view text) = 0;
    virtual bool Drain() { return true; }

private:
    TextOutput* Before = nullptr;
    bool Failed = false;
};

// Keeps everything written.
class StringOutput final : public TextOutput {
public:
    const std::string& Text() const { return Held; }

protected:
    bool Put(std::string_view text) override
    {
        Held += text;
        return true;
    }

private:
    std::string Held;
};

// Writes to a file descriptor, through a buffer of bufferSize bytes (0:
// every write goes straight to the descriptor); what is held is written
// when flushed or destroyed.
class DescriptorOutput final : public TextOutput {
public:
    DescriptorOutput(int descriptor, std::size_t bufferSize);
    ~DescriptorOutput() override;

protected:
    bool Put(std::string_view text) override;
    bool Drain() override;

private:
    int Descriptor;
    std::unique_ptr<char[]> Buffer;
    std::size_t Size;
    std::size_t Used = 0;
};

}  // namespace tallyrix::cli
