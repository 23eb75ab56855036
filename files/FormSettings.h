// The keys of section FORM in Tallyrix.ini: the main window's geometry, pane
// sizes, editor colour, last document and option switches, as one plain
// value per key.
//
// The window reads them once at creation and writes them once at close:
//     FormSettings defaults;                       // the design values
//     defaults.asCurFileName = CurFileName;        // the one default taken from the window
//     FormSettings s = ReadFormSettings(LoadProfileFile(ini), defaults);
//     ...
//     ProfileFile profile = LoadProfileFile(ini);  // fresh: the presets may have written since
//     WriteFormSettings(profile, current, QFileInfo::exists(CurFileName));
//     SaveProfileFile(ini, profile);               // throws FileError, old file kept
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/ProfileFile.h"

namespace tallyrix {

inline constexpr std::string_view FormSection = "FORM";

// A colour value with the top bit set names a system colour; this one is
// the system window colour, the editors' background until the user picks one.
inline constexpr std::int32_t SystemWindowColor = static_cast<std::int32_t>(0x80000005u);

// Every key of the section, in the order a new file lists them: the key, its
// type, its design default and when it is written (at every close; at close
// only when the named file exists; only by the view presets). Reading does
// not depend on the order.
#define TALLYRIX_FORM_KEYS(X)                                        \
    X(iFormTop, int, 0, AtClose)                                     \
    X(iFormLeft, int, 1, AtClose)                                    \
    X(iFormHeight, int, 466, AtClose)                                \
    X(iFormWidth, int, 582, AtClose)                                 \
    X(iDirectoryListBoxHeight, int, 58, AtClose)                     \
    X(iLeftPanelWidth, int, 129, AtClose)                            \
    X(ireResultWidth, int, 165, AtClose)                             \
    X(iDriveComboBox1Width, int, 155, AtClose)                       \
    X(iEditorColor, int, SystemWindowColor, AtClose)                 \
    X(bShowNumberToolBar, bool, true, AtClose)                       \
    X(bShowFunctionToolBar, bool, true, AtClose)                     \
    X(bShowRegisteredToolBar, bool, true, AtClose)                   \
    X(bShowSpeedBar, bool, true, AtClose)                            \
    X(bStayOnTop, bool, false, AtClose)                              \
    X(bFlatButton, bool, true, AtClose)                              \
    X(asCurFileName, std::string, "新規.txt", AtCloseWhenFileExists) \
    X(bRAD, bool, true, AtClose)                                     \
    X(bEquation, bool, false, AtClose)                               \
    X(bEnter, bool, false, AtClose)                                  \
    X(bEnterToSemicolon, bool, false, AtClose)                       \
    X(bInsertRegisteredValue, bool, false, AtClose)                  \
    X(bSkipCheckFileSave, bool, false, AtClose)                      \
    X(bAlignedValues, bool, false, AtClose)                          \
    X(bGroupDigits, bool, false, AtClose)                            \
    X(bCompletion, bool, true, AtClose)                              \
    X(iOldLeftPanelWidth, int, 100, ByPresets)                       \
    X(iOldreResultWidth, int, 100, ByPresets)

// One member per key, named as the key, holding its design default.
struct FormSettings {
#define TALLYRIX_FORM_MEMBER(key, type, design, use) type key = design;
    TALLYRIX_FORM_KEYS(TALLYRIX_FORM_MEMBER)
#undef TALLYRIX_FORM_MEMBER

    friend bool operator==(const FormSettings&, const FormSettings&) = default;
};

// Every key of the section; an absent or unreadable value takes its value
// in defaults.
FormSettings ReadFormSettings(const ProfileFile& profile, const FormSettings& defaults = FormSettings{});

// The keys written at close, in table order; asCurFileName only when
// currentFileExists, so closing an untitled document keeps the file named by
// an earlier close.
void WriteFormSettings(ProfileFile& profile, const FormSettings& settings, bool currentFileExists);

// The widths a view preset stores before hiding a pane; nothing is written
// for a width it leaves alone.
void WriteStoredPaneWidths(ProfileFile& profile, std::optional<int> iOldLeftPanelWidth,
                           std::optional<int> iOldreResultWidth);

}  // namespace tallyrix
