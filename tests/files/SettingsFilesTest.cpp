// Tallyrix.ini and EditorStyle.dat on disk: absent files, files written and
// read back, and failures that name the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/FormSettings.h"
#include "files/SettingsFiles.h"

namespace tallyrix {
namespace {

class SettingsFilesTest : public ::testing::Test {
protected:
    std::string Ini() const { return IniFilePath(Dir.path().toStdString()); }
    std::string Style() const { return StyleFilePath(Dir.path().toStdString()); }

    void Put(const std::string& path, const std::string& bytes) const
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    static std::string ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const FileError& error) {
            return error.what();
        }
        return "<no error>";
    }

    QTemporaryDir Dir;
};

TEST_F(SettingsFilesTest, WithoutFilesTheDesignValuesApply)
{
    EXPECT_EQ(ReadFormSettings(LoadProfileFile(Ini())), FormSettings{});
    EXPECT_FALSE(LoadEditorStyleFile(Style()).has_value());
}

TEST_F(SettingsFilesTest, AClosingWriteIsReadAtTheNextStart)
{
    Put(Ini(), "; mine\r\n[FORM]\r\niOldLeftPanelWidth=140\r\n");
    FormSettings closing;
    closing.bRAD = false;
    ProfileFile profile = LoadProfileFile(Ini());
    WriteFormSettings(profile, closing, false);
    SaveProfileFile(Ini(), profile);
    EditorStyle style = DesignEditorStyle();
    style.FontDialog.font.name = "IPA明朝";
    SaveEditorStyleFile(Style(), style);

    const FormSettings read = ReadFormSettings(LoadProfileFile(Ini()));
    EXPECT_FALSE(read.bRAD);
    EXPECT_EQ(read.iOldLeftPanelWidth, 140);
    EXPECT_EQ(LoadProfileFile(Ini()).ToBytes().substr(0, 8), "; mine\r\n");
    const std::optional<EditorStyleReading> reading = LoadEditorStyleFile(Style());
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->style, style);
}

TEST_F(SettingsFilesTest, FailuresNameTheFile)
{
    const std::string unwritable = QDir(Dir.path()).filePath("missing/Tallyrix.ini").toStdString();
    const struct {
        std::string name;
        std::function<void()> action;
        std::string path;
    } cases[] = {
        {"directory in place of the style file",
         [&] {
             QDir(Dir.path()).mkdir("EditorStyle.dat");
             LoadEditorStyleFile(Style());
         },
         Style()},
        {"directory in place of the INI file",
         [&] {
             QDir(Dir.path()).mkdir("Tallyrix.ini");
             LoadProfileFile(Ini());
         },
         Ini()},
        {"INI file in a missing directory", [&] { SaveProfileFile(unwritable, ProfileFile()); }, unwritable},
    };
    for (const auto& c : cases) {
        const std::string error = ErrorOf(c.action);
        EXPECT_NE(error.find(c.path), std::string::npos) << c.name << ": " << error;
    }
}

TEST_F(SettingsFilesTest, ReopensOnlyAnExistingDocument)
{
    const QDir dir(Dir.path());
    dir.mkdir("CAL");
    const std::string cal = dir.filePath("CAL").toStdString();
    const std::string document = dir.filePath("CAL/見積り.txt").toStdString();
    Put(document, "1+1;");
    // clang-format off
    const struct {
        std::string stored;
        std::optional<std::string> reopened;
    } cases[] = {
        {document, document},
        {"見積り.txt", document},
        {"新規.txt", std::nullopt},
        {"", std::nullopt},
        {cal, std::nullopt},
        {"C:\\計算\\見積り.txt", std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(DocumentToReopen(c.stored, cal), c.reopened) << c.stored;
}

}  // namespace
}  // namespace tallyrix
