// Calculation documents on disk: what a user opens is what a save writes back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/CalcDocumentFile.h"
#include "files/ProgramDirectory.h"
#include "files/SaveFile.h"

namespace tallyrix {
namespace {

using namespace std::string_literals;

std::string Bytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

struct RoundTripCase {
    std::string name;
    std::string bytes;
    std::string editorText;
    TextEncoding encoding;
    std::string typed;  // the bytes saved after typing "−", which code page 932 cannot hold
};

class DocumentRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(DocumentRoundTripTest, SavesTheBytesItRead)
{
    const RoundTripCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    WriteBytes(path, c.bytes);

    const CalcDocument document = ReadCalcDocument(path.toStdString());
    EXPECT_EQ(document.text, c.editorText);
    EXPECT_EQ(document.format.encoding, c.encoding);

    WriteCalcDocument(path.toStdString(), document.text, document.format);
    EXPECT_EQ(Bytes(path), c.bytes);
    WriteCalcDocument(path.toStdString(), document.text + "−", document.format);
    EXPECT_EQ(Bytes(path), c.typed);
}

const std::string Bom = "\xef\xbb\xbf";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Encodings, DocumentRoundTripTest, ::testing::Values(
    RoundTripCase{"ShiftJis", "r=2; // \x94\xbc\x8c\x61\r\npi*r^2\r\n", "r=2; // 半径\npi*r^2\n", TextEncoding::ShiftJis,
                  Bom + "r=2; // 半径\r\npi*r^2\r\n−"},
    RoundTripCase{"Utf8", "r=2; // 半径\r\npi*r^2", "r=2; // 半径\npi*r^2", TextEncoding::Utf8, "r=2; // 半径\r\npi*r^2−"},
    RoundTripCase{"Utf8WithBom", Bom + "a=1 // ①\r\n", "a=1 // ①\n", TextEncoding::Utf8WithBom, Bom + "a=1 // ①\r\n−"},
    RoundTripCase{"Ascii", "1+2\r\n\r\n", "1+2\n\n", TextEncoding::ShiftJis, Bom + "1+2\r\n\r\n−"},
    RoundTripCase{"Empty", "", "", TextEncoding::ShiftJis, Bom + "−"},
    RoundTripCase{"SecondBom", Bom + Bom + "a\r\n", "\uFEFFa\n", TextEncoding::Utf8WithBom, Bom + Bom + "a\r\n−"},
    // Half-width katakana whose bytes are also UTF-8 ("é").
    RoundTripCase{"ShortKatakana", "\xC3\xA9\r\n", "ﾃｩ\n", TextEncoding::ShiftJis, Bom + "ﾃｩ\r\n−"},
    // Each byte nothing can read stands as U+F700 + byte in the editor and
    // stays a byte when a character makes the file UTF-8.
    RoundTripCase{"ShiftJisUnreadable", "1+2 // \x81\r\n\xff\xfe x", "1+2 // \uF781\n\uF7FF\uF7FE x",
                  TextEncoding::ShiftJis, Bom + "1+2 // \x81\r\n\xff\xfe x−"},
    RoundTripCase{"Utf8WithBomUnreadable", Bom + "a=1 // \xff\r\n", "a=1 // \uF7FF\n", TextEncoding::Utf8WithBom,
                  Bom + "a=1 // \xff\r\n−"},
    RoundTripCase{"Utf8Unreadable", "// 半径\xff\r\n", "// 半径\uF7FF\n", TextEncoding::Utf8, "// 半径\xff\r\n−"},
    // The text holds U+F7FF itself: the byte goes to plane 15.
    RoundTripCase{"PrivateUseAndUnreadable", Bom + "\uF7FF\xff", "\uF7FF\U000F00FF", TextEncoding::Utf8WithBom,
                  Bom + "\uF7FF\xff−"},
    RoundTripCase{"Utf16Le", "\xff\xfe" "a\0=\0\x08\x8a\r\0\n\0"s, "a=計\n", TextEncoding::Utf16Le,
                  "\xff\xfe" "a\0=\0\x08\x8a\r\0\n\0\x12\x22"s},
    RoundTripCase{"Utf16Be", "\xfe\xff\0a\0=\x8a\x08\0\r\0\n"s, "a=計\n", TextEncoding::Utf16Be,
                  "\xfe\xff\0a\0=\x8a\x08\0\r\0\n\x22\x12"s},
    // A surrogate without its partner, and an odd last byte.
    RoundTripCase{"Utf16Unreadable", "\xff\xfe\x00\xd8\r\0\n\0\x41"s, "\uF700\uF7D8\n\uF741", TextEncoding::Utf16Le,
                  // Typed after the odd byte, the escapes would join with it:
                  // they are written as the characters shown.
                  "\xff\xfe\x00\xf7\xd8\xf7\r\0\n\0\x41\xf7\x12\x22"s}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(CalcDocumentFile, UndecodableBytesAreCountedAndKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.txt");
    WriteBytes(path, "1+2 // \xff\xfe\r\n");
    const CalcDocument document = ReadCalcDocument(path.toStdString());
    EXPECT_EQ(document.undecodableBytes, 2u);
    EXPECT_EQ(document.text.substr(0, 7), "1+2 // ");
}

struct LineEndCase {
    std::string written;
    std::string onDisk;
};

class LineEndTest : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEndTest, FilesAlwaysGetCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    WriteCalcDocument(path.toStdString(), GetParam().written, TextFormat{});
    EXPECT_EQ(Bytes(path), GetParam().onDisk);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, LineEndTest, ::testing::Values(
    LineEndCase{"a\nb", "a\r\nb"},
    LineEndCase{"a\r\nb\n", "a\r\nb\r\n"},
    LineEndCase{"a\rb", "a\r\nb"},
    LineEndCase{"\n\n", "\r\n\r\n"}));
// clang-format on

TEST(CalcDocumentFile, CharacterOutsideCodePage932SwitchesToUtf8WithBom)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    const TextEncoding used = WriteCalcDocument(path.toStdString(), "x=1 // 😀\n", TextFormat{});
    EXPECT_EQ(used, TextEncoding::Utf8WithBom);
    EXPECT_EQ(Bytes(path), "\xef\xbb\xbfx=1 // 😀\r\n");
    EXPECT_EQ(ReadCalcDocument(path.toStdString()).text, "x=1 // 😀\n");
}

TEST(CalcDocumentFile, MissingFileIsAnErrorNamingIt)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("gone.txt").toStdString();
    try {
        ReadCalcDocument(path);
        FAIL() << "no error for a missing file";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
}

TEST(ProgramDirectory, HomeOverrideGetsItsCalDirectory)
{
    QTemporaryDir exe, home, user;
    const ProgramDirectories dirs = ResolveProgramDirectories(exe.path(), home.path() + "/", user.path());
    EXPECT_EQ(dirs.progDir, QDir::cleanPath(home.path()));
    EXPECT_EQ(dirs.calDir, dirs.progDir + "/CAL");
    EXPECT_TRUE(QDir(dirs.calDir).exists());
}

TEST(ProgramDirectory, ExecutableDirectoryWithoutOverride)
{
    QTemporaryDir exe, user;
    EXPECT_EQ(ResolveProgramDirectories(exe.path(), "", user.path()).progDir, QDir::cleanPath(exe.path()));
}

TEST(ProgramDirectory, UnusableDirectoryFallsBackToTheUserDataDirectory)
{
    QTemporaryDir exe, user;
    // A regular file is never a usable directory, whoever runs the test.
    const QString notADirectory = exe.filePath("file");
    WriteBytes(notADirectory, "x");
    const QString userData = user.filePath("data");
    const ProgramDirectories dirs = ResolveProgramDirectories(exe.path(), notADirectory, userData);
    EXPECT_EQ(dirs.progDir, userData);
    EXPECT_TRUE(QDir(userData + "/CAL").exists());
}

// The command line only reads there: the same choice, nothing created.
TEST(ProgramDirectory, ChoosingCreatesNothing)
{
    QTemporaryDir exe, home, user;
    const QString notADirectory = exe.filePath("file");
    WriteBytes(notADirectory, "x");
    const QString userData = user.filePath("data");
    const struct {
        QString executableDir, homeOverride, expected;
    } cases[] = {
        {exe.path(), home.path() + "/", QDir::cleanPath(home.path())},
        {exe.path(), "", QDir::cleanPath(exe.path())},
        {exe.path(), notADirectory, userData},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseProgramDirectory(c.executableDir, c.homeOverride, userData), c.expected);
    }
    EXPECT_FALSE(QDir(userData).exists());
    EXPECT_FALSE(QDir(home.filePath("CAL")).exists());
    EXPECT_FALSE(QDir(exe.filePath("CAL")).exists());
}

}  // namespace
}  // namespace tallyrix
