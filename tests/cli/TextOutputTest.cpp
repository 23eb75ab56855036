// Writes of every size around the buffer's, through to the descriptor in
// their order; a descriptor that refuses them fails the output, and an
// output tied to another lets that one's text go first.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/TextOutput.h"
#include "tests/cli/RunResult.h"

namespace tallyrix::cli {
namespace {

TEST(TextOutput, EverythingWrittenArrivesInOrder)
{
    const std::string path = testing::TempDir() + "text_output_" + std::to_string(getpid());
    for (const std::size_t bufferSize : {std::size_t{0}, std::size_t{16}}) {
        SCOPED_TRACE(bufferSize);
        const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(descriptor, 0);
        std::string expected;
        {
            DescriptorOutput output(descriptor, bufferSize);
            // Single characters, pieces that fit, fill, overflow or exceed the buffer.
            for (const std::size_t size : {1, 5, 10, 1, 16, 15, 17, 40, 2, 0, 3}) {
                const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
                output << piece << '|';
                expected += piece + '|';
            }
            EXPECT_TRUE(output);
        }
        close(descriptor);
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
    std::remove(path.c_str());
}

TEST(TextOutput, ARefusedWriteFailsTheOutput)
{
    const int descriptor = open("/dev/null", O_RDONLY);
    ASSERT_GE(descriptor, 0);
    DescriptorOutput buffered(descriptor, 16), unbuffered(descriptor, 0);
    buffered << "held";
    EXPECT_TRUE(buffered);
    buffered.Flush();
    unbuffered << 'x';
    EXPECT_FALSE(buffered);
    EXPECT_FALSE(unbuffered);
    close(descriptor);
}

TEST(TextOutput, ATiedOutputLetsTheOtherGoFirst)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    {
        DescriptorOutput out(pipeEnds[1], 64), err(pipeEnds[1], 0);
        err.Tie(&out);
        out << "1: 2\n";
        err << "a report\n";
        out << "=2\n";
    }
    close(pipeEnds[1]);
    char text[64] = {};
    std::string read;
    for (ssize_t n = 0; (n = ::read(pipeEnds[0], text, sizeof text)) > 0;)
        read.append(text, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    EXPECT_EQ(read, "1: 2\na report\n=2\n");
}

}  // namespace
}  // namespace tallyrix::cli
