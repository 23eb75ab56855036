// Writes of every size around the buffer's, through to the descriptor in
// their order, and a descriptor that refuses them makes the stream fail.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/DescriptorStream.h"
#include "tests/cli/RunResult.h"

namespace tallyrix::cli {
namespace {

TEST(DescriptorStream, EverythingWrittenArrivesInOrder)
{
    const std::string path = testing::TempDir() + "descriptor_stream_" + std::to_string(getpid());
    for (const std::size_t bufferSize : {std::size_t{0}, std::size_t{16}}) {
        SCOPED_TRACE(bufferSize);
        const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(descriptor, 0);
        std::string expected;
        {
            DescriptorStream stream(descriptor, bufferSize);
            // Single characters, pieces that fit, fill, overflow or exceed the buffer.
            for (const std::size_t size : {1, 5, 10, 1, 16, 15, 17, 40, 2, 0, 3}) {
                const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
                stream << piece << '|';
                expected += piece + '|';
            }
            EXPECT_TRUE(stream);
        }
        close(descriptor);
        EXPECT_EQ(ReadFileBytes(path), expected);
    }
    std::remove(path.c_str());
}

TEST(DescriptorStream, ARefusedWriteFailsTheStream)
{
    const int descriptor = open("/dev/null", O_RDONLY);
    ASSERT_GE(descriptor, 0);
    DescriptorStream buffered(descriptor, 16), unbuffered(descriptor, 0);
    buffered << "held in the buffer" << std::flush;
    unbuffered << 'x';
    EXPECT_TRUE(buffered.bad());
    EXPECT_TRUE(unbuffered.bad());
    close(descriptor);
}

}  // namespace
}  // namespace tallyrix::cli
