// The FORM section of Tallyrix.ini: what a close writes and the next start
// reads back.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/FormSettings.h"

namespace tallyrix {
namespace {

std::vector<std::string> KeysInFile(const std::string& bytes)
{
    std::vector<std::string> keys;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);)
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            keys.push_back(line.substr(0, equals));
    return keys;
}

FormSettings Changed()
{
    FormSettings s;
    s.iFormTop = -20;
    s.iFormLeft = 1900;
    s.iFormHeight = 700;
    s.iFormWidth = 900;
    s.iDirectoryListBoxHeight = 80;
    s.iLeftPanelWidth = 0;
    s.ireResultWidth = 0;
    s.iDriveComboBox1Width = 120;
    s.iEditorColor = 0x00C0FFEE;
    s.asCurFileName = "/home/利用者/CAL/見積り.txt";
    s.bShowNumberToolBar = false;
    s.bShowFunctionToolBar = false;
    s.bShowRegisteredToolBar = false;
    s.bShowSpeedBar = false;
    s.bStayOnTop = true;
    s.bFlatButton = false;
    s.bRAD = false;
    s.bEquation = true;
    s.bEnter = true;
    s.bEnterToSemicolon = true;
    s.bInsertRegisteredValue = true;
    s.bSkipCheckFileSave = true;
    s.bAlignedValues = true;
    s.bGroupDigits = true;
    return s;
}

TEST(FormSettingsTest, ANewFileListsTheKeysInClosingOrder)
{
    const std::vector<std::string> closing = {"iFormTop",
                                              "iFormLeft",
                                              "iFormHeight",
                                              "iFormWidth",
                                              "iDirectoryListBoxHeight",
                                              "iLeftPanelWidth",
                                              "ireResultWidth",
                                              "iDriveComboBox1Width",
                                              "iEditorColor",
                                              "bShowNumberToolBar",
                                              "bShowFunctionToolBar",
                                              "bShowRegisteredToolBar",
                                              "bShowSpeedBar",
                                              "bStayOnTop",
                                              "bFlatButton",
                                              "asCurFileName",
                                              "bRAD",
                                              "bEquation",
                                              "bEnter",
                                              "bEnterToSemicolon",
                                              "bInsertRegisteredValue",
                                              "bSkipCheckFileSave",
                                              "bAlignedValues",
                                              "bGroupDigits",
                                              "bCompletion"};
    for (const bool fileExists : {true, false}) {
        ProfileFile profile;
        WriteFormSettings(profile, FormSettings{}, fileExists);
        std::vector<std::string> expected = closing;
        if (!fileExists) std::erase(expected, "asCurFileName");
        const std::string bytes = profile.ToBytes();
        EXPECT_EQ(bytes.substr(0, 8), "[FORM]\r\n");
        EXPECT_EQ(KeysInFile(bytes), expected) << "file exists: " << fileExists;
    }
}

TEST(FormSettingsTest, ValuesAsTheFileHoldsThem)
{
    ProfileFile profile;
    WriteFormSettings(profile, FormSettings{}, true);
    const std::string bytes = profile.ToBytes();
    for (const char* line : {"iFormLeft=1\r\n", "iEditorColor=-2147483643\r\n", "bShowSpeedBar=1\r\n",
                             "bStayOnTop=0\r\n", "asCurFileName=新規.txt\r\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line;
}

TEST(FormSettingsTest, WhatACloseWritesTheNextStartReads)
{
    const FormSettings cases[] = {FormSettings{}, Changed()};
    for (const FormSettings& written : cases) {
        ProfileFile profile;
        WriteFormSettings(profile, written, true);
        FormSettings expected = written;
        // The preset keys are not written at close.
        expected.iOldLeftPanelWidth = FormSettings{}.iOldLeftPanelWidth;
        expected.iOldreResultWidth = FormSettings{}.iOldreResultWidth;
        EXPECT_EQ(ReadFormSettings(ProfileFile::FromBytes(profile.ToBytes())), expected);
    }
}

TEST(FormSettingsTest, AbsentOrUnreadableKeysTakeTheDefaults)
{
    FormSettings defaults;
    defaults.asCurFileName = "/current/doc.txt";
    const struct {
        std::string name;
        std::string file;
    } cases[] = {
        {"no file", ""},
        {"other section", "[OTHER]\r\niFormTop=50\r\nbRAD=0\r\n"},
        {"unreadable values", "[FORM]\r\niFormTop=top\r\niFormWidth=\r\nbRAD=no\r\nbStayOnTop=0x\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadFormSettings(ProfileFile::FromBytes(c.file), defaults), defaults) << c.name;
}

// Closing an untitled document keeps the document named by an earlier close,
// and a close keeps the widths the presets stored.
TEST(FormSettingsTest, CloseKeepsKeysItDoesNotOwn)
{
    ProfileFile profile = ProfileFile::FromBytes(
        "[FORM]\r\nasCurFileName=/earlier/close.txt\r\niOldLeftPanelWidth=210\r\niOldreResultWidth=0x40\r\n");
    FormSettings untitled = Changed();
    untitled.asCurFileName = "新規.txt";
    WriteFormSettings(profile, untitled, false);
    const FormSettings read = ReadFormSettings(profile);
    EXPECT_EQ(read.asCurFileName, "/earlier/close.txt");
    EXPECT_EQ(read.iOldLeftPanelWidth, 210);
    EXPECT_EQ(read.iOldreResultWidth, 64);
    EXPECT_FALSE(read.bRAD);
}

TEST(FormSettingsTest, PresetsWriteOnlyTheWidthsTheyStore)
{
    const struct {
        std::optional<int> left;
        std::optional<int> result;
        std::vector<std::string> keys;
    } cases[] = {
        {129, 165, {"iOldLeftPanelWidth", "iOldreResultWidth"}},
        {129, std::nullopt, {"iOldLeftPanelWidth"}},
        {std::nullopt, 165, {"iOldreResultWidth"}},
        {std::nullopt, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        ProfileFile profile;
        WriteStoredPaneWidths(profile, c.left, c.result);
        EXPECT_EQ(KeysInFile(profile.ToBytes()), c.keys);
        const FormSettings read = ReadFormSettings(profile);
        EXPECT_EQ(read.iOldLeftPanelWidth, c.left.value_or(100));
        EXPECT_EQ(read.iOldreResultWidth, c.result.value_or(100));
    }
}

}  // namespace
}  // namespace tallyrix
