// What a user may name instead of a document: only a regular file within
// the limit is read, and anything else is refused before it is opened.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "files/RegularFileReader.h"

namespace tallyrix {
namespace {

std::string Outcome(const std::string& path, std::size_t limit)
{
    try {
        return ReadRegularFile(path, limit);
    } catch (const FileError& error) {
        return error.what();
    }
}

void Put(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TEST(RegularFileReader, ReadsOnlyARegularFileWithinTheLimit)
{
    QTemporaryDir dir;
    const auto in = [&](const char* name) { return QDir(dir.path()).filePath(name).toStdString(); };
    Put(in("real.txt"), "1+1;\r\n");
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string expected;  // the bytes, or the reason of the refusal
    } cases[] = {
        {"doc.txt", [](const std::string& p) { Put(p, "x=1;"); }, "x=1;"},
        {"fifo.txt", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         "(通常のファイルではなく名前付きパイプです)"},
        {"zero.txt", [](const std::string& p) { ASSERT_EQ(symlink("/dev/zero", p.c_str()), 0); },
         "(通常のファイルではなくデバイスです)"},
        {"folder.txt", [](const std::string& p) { ASSERT_EQ(mkdir(p.c_str(), 0700), 0); },
         "(通常のファイルではなくフォルダです)"},
        {"huge.txt",
         [](const std::string& p) {
             Put(p, "");
             ASSERT_EQ(truncate(p.c_str(), static_cast<off_t>(DocumentSizeLimit) + 1), 0);
         },
         "(ファイルが大きすぎます。上限は 256 MB です)"},
        {"link.txt", [&](const std::string& p) { ASSERT_EQ(symlink(in("real.txt").c_str(), p.c_str()), 0); },
         "1+1;\r\n"},
        {"missing.txt", [](const std::string&) {}, "(ファイルが見つかりません)"},
    };
    for (const auto& c : cases) {
        const std::string path = in(c.name);
        c.make(path);
        const std::string outcome = Outcome(path, DocumentSizeLimit);
        if (c.expected.starts_with('(')) {
            EXPECT_EQ(outcome, "ファイルを開けません: " + path + " " + c.expected) << c.name;
        } else {
            EXPECT_EQ(outcome, c.expected) << c.name;
        }
    }
}

}  // namespace
}  // namespace tallyrix
