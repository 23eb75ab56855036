// What a user may name instead of a document: only a regular file within
// the limit is read, and anything else is refused before it is opened.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "files/RegularFileReader.h"

namespace tallyrix {
namespace {

enum Kind { Regular, Pipe, LinkToZero, Folder, Sparse, LinkToRegular, Missing };

// 0 when made.
int Make(Kind kind, const QString& path, const QString& regular)
{
    const QByteArray name = path.toLocal8Bit();
    switch (kind) {
        case Regular:
        case Sparse: {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write("x=1;") != 4) return -1;
            file.close();
            return kind == Sparse ? truncate(name.constData(), static_cast<off_t>(DocumentSizeLimit) + 1) : 0;
        }
        case Pipe:
            return mkfifo(name.constData(), 0600);
        case LinkToZero:
            return symlink("/dev/zero", name.constData());
        case Folder:
            return mkdir(name.constData(), 0700);
        case LinkToRegular:
            return symlink(regular.toLocal8Bit().constData(), name.constData());
        case Missing:
            return 0;
    }
    return -1;
}

TEST(RegularFileReader, ReadsOnlyARegularFileWithinTheLimit)
{
    QTemporaryDir dir;
    const struct {
        Kind kind;
        std::string expected;  // the bytes, or the reason of the refusal
    } cases[] = {
        {Regular, "x=1;"},
        {Pipe, "(通常のファイルではなく名前付きパイプです)"},
        {LinkToZero, "(通常のファイルではなくデバイスです)"},
        {Folder, "(通常のファイルではなくフォルダです)"},
        {Sparse, "(ファイルが大きすぎます。上限は 256 MB です)"},
        {LinkToRegular, "x=1;"},
        {Missing, "(ファイルが見つかりません)"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::number(c.kind));
        ASSERT_EQ(Make(c.kind, path, dir.filePath(QString::number(Regular))), 0) << c.kind;
        std::string outcome;
        try {
            outcome = ReadRegularFile(path.toStdString(), DocumentSizeLimit);
        } catch (const FileError& error) {
            outcome = error.what();
        }
        const std::string refusal = "ファイルを開けません: " + path.toStdString() + " " + c.expected;
        EXPECT_EQ(outcome, c.expected.starts_with('(') ? refusal : c.expected) << c.kind;
    }
}

}  // namespace
}  // namespace tallyrix
