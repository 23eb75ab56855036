// Documents as tallyrix-calc reads them: files mapped, pipes read whole,
// failures reported rather than taken for an empty document.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "cli/DocumentInput.h"
#include "tests/cli/RunResult.h"

namespace tallyrix::cli {
namespace {

std::string TempPath(const std::string& name) { return testing::TempDir() + "tallyrix_document_input_" + name; }

CalcOptions FileOptions(const std::string& path)
{
    CalcOptions options;
    options.fileGiven = true;
    options.inputPath = path;
    return options;
}

TEST(DocumentInput, FileIsReadAsItIsAndStaysUnchangedByWrites)
{
    for (const std::string& contents : {std::string("1+2;\r\n3"), std::string(), std::string(100000, 'x')}) {
        const std::string path = TempPath("file.txt");
        std::ofstream(path, std::ios::binary) << contents;
        std::istringstream unused("not this");
        DocumentBytes document = ReadDocument(FileOptions(path), &unused);
        EXPECT_EQ(document.View(), contents);
        if (!contents.empty()) document.Bytes()[0] = '@';
        EXPECT_EQ(ReadFileBytes(path), contents);
        std::remove(path.c_str());
    }
}

// More than the first read, so the buffer grows while the pipe is read.
TEST(DocumentInput, PipeOnTheDescriptorIsReadWhole)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::string contents;
    for (int i = 0; i < 20000; ++i)
        contents += "n=" + std::to_string(i) + ";\n";
    std::thread writer([&] {
        std::size_t written = 0;
        while (written < contents.size()) {
            const ssize_t count = write(ends[1], contents.data() + written, contents.size() - written);
            if (count <= 0) break;
            written += static_cast<std::size_t>(count);
        }
        close(ends[1]);
    });
    std::istringstream unused("not this");
    const DocumentBytes document = ReadDocument(CalcOptions(), &unused, ends[0]);
    writer.join();
    close(ends[0]);
    EXPECT_EQ(document.View(), contents);
}

TEST(DocumentInput, FailuresNameTheSourceAndTheReason)
{
    std::istringstream unused;
    const struct {
        const char* name;
        CalcOptions options;
        int descriptor;
        std::string error;
    } cases[] = {
        {"a missing file", FileOptions("/no/such/dir/doc.txt"), -1,
         "cannot open '/no/such/dir/doc.txt': No such file or directory"},
        {"a directory as FILE", FileOptions("/"), -1, "cannot read '/': not a regular file"},
        {"a directory on standard input", CalcOptions(), open("/", O_RDONLY | O_CLOEXEC),
         "cannot read standard input: Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ReadDocument(c.options, &unused, c.descriptor);
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_EQ(error.what(), c.error);
        }
        if (c.descriptor >= 0) close(c.descriptor);
    }
}

// Every way in stops one byte past its limit, a device without end too.
TEST(DocumentInput, ReadsStopPastTheSizeLimit)
{
    constexpr std::size_t limit = std::size_t{1} << 20;
    const std::string path = TempPath("limit.txt");
    std::ofstream(path, std::ios::binary) << std::string(limit + 1, '1');
    std::istringstream stream(std::string(limit + 1, '1'));
    const int zeros = open("/dev/zero", O_RDONLY | O_CLOEXEC);
    const std::function<void()> reads[] = {
        [&] { ReadRegularFile(path, "it", limit); },
        [&] { ReadStream(stream, "it", limit); },
        [&] { DocumentBytes::FromDescriptor(zeros, "it", limit); },
    };
    for (const auto& read : reads) {
        try {
            read();
            ADD_FAILURE() << "read past the limit";
        } catch (const InputError& error) {
            EXPECT_STREQ(error.what(), "cannot read it: larger than 1 MB");
        }
    }
    close(zeros);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace tallyrix::cli
