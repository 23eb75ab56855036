// Tallyrix.ini (section FORM) and EditorStyle.dat: read once at creation,
// written once at close.
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QScreen>
#include <QSplitter>
#include <QTextEdit>

#include "app/MainForm.h"
#include "files/FormSettings.h"
#include "files/SettingsFiles.h"
#include "files/StyleChoices.h"
#include "shell/FilePane.h"
#include "shell/SplitterPanes.h"
#include "shell/WindowPlacement.h"

namespace tallyrix {
namespace {

std::vector<ScreenRect> AvailableScreens()
{
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back(ScreenRect{area.x(), area.y(), area.width(), area.height()});
    }
    return screens;
}

// Where the window stands when it is not maximized: the corner of its frame,
// as move() takes it, and its own size.
QRect NormalBounds(const QWidget& window)
{
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const QPoint frameOffset = window.geometry().topLeft() - window.pos();
    return QRect(normal.topLeft() - frameOffset, normal.size());
}

// A size stored smaller than this (an edited file) is raised to it.
constexpr QSize SmallestWindow(200, 150);

// The colours the system gives, whatever the user has chosen for the panes.
QPalette SystemPalette() { return QApplication::palette(); }

}  // namespace

std::string TMainForm::IniPath() const { return IniFilePath(ProgDir.toStdString()); }

// A damaged style file is reported on its own and the INI file is still
// read. A file that must be left alone is said so at the first write.
void TMainForm::LoadSettings()
{
    RunHandler([this] { LoadEditorStyle(); });
    Ini = ProfileStore(IniPath());
    FormSettings defaults;
    defaults.asCurFileName = CurFileName.toStdString();
    const FormSettings settings = ReadFormSettings(Ini.Read(), defaults);
    StoredSettings.editorColor = settings.iEditorColor;
    ApplyWindowSettings(settings);
    ReopenDocument(settings.asCurFileName);
    ApplySwitches(settings);
}

// A failed write of the style file is reported by the caller; it then keeps
// its old contents.
void TMainForm::SaveSettings()
{
    SaveFormSettings();
    ReportIniNotice();
    SaveEditorStyle();
}

// Read afresh: the presets may have written their keys since the start.
void TMainForm::SaveFormSettings()
{
    ProfileFile profile = Ini.Read();
    WriteFormSettings(profile, CurrentFormSettings(), QFileInfo(CurFileName).isFile());
    Ini.Write(profile);
}

void TMainForm::ReportIniNotice()
{
    if (const std::optional<std::string> notice = Ini.TakeNotice())
        Ask(QMessageBox::Warning, QString::fromStdString(*notice), QMessageBox::Ok);
}

// The custom colours are always set from the file (white without one): Qt's
// colour dialog has read its own from the user's Qt settings, which belong
// to other programs.
void TMainForm::LoadEditorStyle()
{
    const std::string path = StyleFilePath(ProgDir.toStdString());
    const std::optional<EditorStyleReading> reading = LoadEditorStyleFile(path);
    StoredSettings.style = reading ? reading->style : DesignEditorStyle();
    const StyleChoices choices = ChoicesFromStyle(StoredSettings.style, SystemPalette());
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        QColorDialog::setCustomColor(static_cast<int>(i), choices.customColors[i]);
    if (!reading) return;
    FontDialog.Font = choices.editorFont;
    CommentFontDialog.Font = choices.commentFont;
    ColorDialog1.Color = choices.dialogColor;
    ApplyEditorFont();
    Panes.reExpression->setCurrentCharFormat(EditorFormat());
    if (!reading->problems.empty())
        ShowStandardError(QString::fromStdString(StyleProblemsText(path, reading->problems)));
}

// The custom colours live where Qt's colour dialog keeps them; what the
// user did not change is written as the file held it.
void TMainForm::SaveEditorStyle()
{
    StyleChoices choices{FontDialog.Font, CommentFontDialog.Font, ColorDialog1.Color, {}};
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        choices.customColors[i] = QColorDialog::customColor(static_cast<int>(i));
    SaveEditorStyleFile(StyleFilePath(ProgDir.toStdString()),
                        StyleFromChoices(choices, SystemPalette(), StoredSettings.style));
}

// Geometry saved on a monitor that is gone comes back onto one that is there.
void TMainForm::ApplyWindowSettings(const FormSettings& settings)
{
    const ScreenRect placed =
        PlaceOnScreens({settings.iFormLeft, settings.iFormTop, settings.iFormWidth, settings.iFormHeight},
                       AvailableScreens(), SmallestWindow.width(), SmallestWindow.height());
    // The position is the frame's, as pos() reports it; the size the window's own.
    move(placed.left, placed.top);
    resize(placed.width, placed.height);
    SetPaneSize(Panes.LeftPanel->Splitter3, 0, settings.iDirectoryListBoxHeight);
    SetLeftPanelWidth(settings.iLeftPanelWidth);
    SetReResultWidth(settings.ireResultWidth);
    if (settings.iEditorColor != SystemWindowColor)
        SetEditorColor(ColorFromValue(settings.iEditorColor, SystemPalette()));
}

void TMainForm::ReopenDocument(const std::string& stored)
{
    const std::optional<std::string> path = DocumentToReopen(stored, Panes.LeftPanel->Directory().toStdString());
    if (path) OpenFile(QString::fromStdString(*path));
}

// The check marks are the switches' only record; the bars, the flat style
// and the window's stacking follow them.
void TMainForm::ApplySwitches(const FormSettings& settings)
{
    for (const auto& [key, item] : SwitchItems())
        item->setChecked(settings.*key);
    // The aligned pane, listed after bEquation, wins when both are stored.
    Menu.Options.mVariable->setChecked(!settings.bEquation && !settings.bAlignedValues);
    Engine.Radians = settings.bRAD;
    (Engine.Radians ? Menu.Options.mRAD : Menu.Options.mDEG)->setChecked(true);
    for (Command apply :
         {&TMainForm::ShowSpeedBarClick, &TMainForm::ShowNumberToolBarClick, &TMainForm::ShowFunctionToolBarClick,
          &TMainForm::ShowRegisteredToolBarClick, &TMainForm::mFlatBtnClick, &TMainForm::mStayOnTopClick})
        (this->*apply)();
}

FormSettings TMainForm::CurrentFormSettings() const
{
    FormSettings settings;
    const QRect bounds = NormalBounds(*this);
    settings.iFormTop = bounds.y();
    settings.iFormLeft = bounds.x();
    settings.iFormHeight = bounds.height();
    settings.iFormWidth = bounds.width();
    settings.iDirectoryListBoxHeight = Panes.LeftPanel->Splitter3->sizes().value(0);
    settings.iLeftPanelWidth = LeftPanelWidth();
    settings.ireResultWidth = ReResultWidth();
    settings.iDriveComboBox1Width = Panes.LeftPanel->DriveComboBox1->width();
    settings.iEditorColor = ValueFromColor(EditorColor(), StoredSettings.editorColor, SystemPalette());
    settings.asCurFileName = CurFileName.toStdString();
    for (const auto& [key, item] : SwitchItems())
        settings.*key = item->isChecked();
    settings.bRAD = Engine.Radians;
    return settings;
}

// The option switches stored in the file, each with its menu item.
std::vector<std::pair<bool FormSettings::*, QAction*>> TMainForm::SwitchItems() const
{
    return {{&FormSettings::bShowNumberToolBar, Menu.Options.ShowNumberToolBar},
            {&FormSettings::bShowFunctionToolBar, Menu.Options.ShowFunctionToolBar},
            {&FormSettings::bShowRegisteredToolBar, Menu.Options.ShowRegisteredToolBar},
            {&FormSettings::bShowSpeedBar, Menu.Options.ShowSpeedBar},
            {&FormSettings::bStayOnTop, Menu.Options.mStayOnTop},
            {&FormSettings::bFlatButton, Menu.Options.mFlatBtn},
            {&FormSettings::bEquation, Menu.Options.mEquation},
            {&FormSettings::bEnter, Menu.Options.mEnter},
            {&FormSettings::bEnterToSemicolon, Menu.Options.mEnterToSemicolon},
            {&FormSettings::bInsertRegisteredValue, Menu.Options.mInsertRegisteredValue},
            {&FormSettings::bSkipCheckFileSave, Menu.Options.mSkipCheckFileSave},
            {&FormSettings::bAlignedValues, Menu.Options.mAligned},
            {&FormSettings::bGroupDigits, Menu.Options.mGroupDigits},
            {&FormSettings::bCompletion, Menu.Options.mCompletion}};
}

}  // namespace tallyrix
