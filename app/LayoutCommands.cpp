// The main window's panels, toolbars, editors and status bar.
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainForm.h"
#include "document/Presentation.h"
#include "shell/BandColumn.h"
#include "shell/ButtonBar.h"
#include "shell/CompletionPopup.h"
#include "shell/DocumentLoader.h"
#include "shell/ElidedLabel.h"
#include "shell/Hints.h"
#include "shell/ResultField.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"
#include "shell/WindowHeightKeeper.h"

namespace tallyrix {
namespace {

struct ButtonDefinition {
    const char* caption;
    const char* hint;
    bool breakAfter;
    TMainForm::Command handler;  // none: the button inserts through its group's handler
    const char* name;
};

// The rows break after "0" and after "=".
constexpr ButtonDefinition NumberButtons[] = {
    {"1", "'1'の入力", false, nullptr, nullptr},
    {"2", "'2'の入力", false, nullptr, nullptr},
    {"3", "'3'の入力", false, nullptr, nullptr},
    {"4", "'4'の入力", false, nullptr, nullptr},
    {"5", "'5'の入力", false, nullptr, nullptr},
    {"6", "'6'の入力", false, nullptr, nullptr},
    {"7", "'7'の入力", false, nullptr, nullptr},
    {"8", "'8'の入力", false, nullptr, nullptr},
    {"9", "'9'の入力", false, nullptr, nullptr},
    {"0", "'0'の入力", true, nullptr, nullptr},
    {".", "'.'の入力", false, nullptr, nullptr},
    {"pi", "'pi'の入力", false, nullptr, nullptr},
    {"+", "'+'の入力", false, nullptr, nullptr},
    {"-", "'-'の入力", false, nullptr, nullptr},
    {"*", "'*'の入力", false, nullptr, nullptr},
    {"/", "'/'の入力", false, nullptr, nullptr},
    {"^", "'^ 'の入力", false, nullptr, nullptr},
    {"%", "'%'の入力", false, nullptr, nullptr},
    {"!", "'!'の入力", false, nullptr, nullptr},
    {"=", "'='の入力", true, nullptr, nullptr},
    {";", "';'の入力", false, nullptr, nullptr},
    {"(", "'('の入力", false, nullptr, nullptr},
    {")", "')'の入力", false, nullptr, nullptr},
    {"BS", "バックスペースキー", false, &TMainForm::BSBtnClick, "BSBtn"},
    {"Del", "Delキー", false, &TMainForm::DelBtnClick, "DelBtn"},
    {"Tab", "タブキー", false, &TMainForm::TabBtnClick, "TabBtn"},
    {"CR", "リターン|改行", false, &TMainForm::LfBtnClick, "LfBtn"},
    {"Home", "先頭へ", false, &TMainForm::HomeBtnClick, "HomeBtn"},
    {"End", "最後へ", false, &TMainForm::EndBtnClick, "EndBtn"},
};

// The rows break after "tan()".
constexpr ButtonDefinition FunctionButtons[] = {
    {"()", "両端に括弧|選択部分の両側に括弧をつける", false, nullptr, nullptr},
    {"abs()", "絶対値|絶対値関数", false, nullptr, nullptr},
    {"sqrt()", "平方根|平方根関数", false, nullptr, nullptr},
    {"exp()", "指数|指数関数", false, nullptr, nullptr},
    {"log()", "自然対数|自然対数関数", false, nullptr, nullptr},
    {"log10()", "常用対数|常用対数関数", false, nullptr, nullptr},
    {"sin()", "正弦|正弦関数", false, nullptr, nullptr},
    {"cos()", "余弦|余弦関数", false, nullptr, nullptr},
    {"tan()", "正接|正接関数", true, nullptr, nullptr},
    {"asin()", "逆正弦|逆正弦関数", false, nullptr, nullptr},
    {"acos()", "逆余弦|逆余弦関数", false, nullptr, nullptr},
    {"atan()", "逆正弦|逆正接関数", false, nullptr, nullptr},
    {"sinh()", "双曲線正弦関数", false, nullptr, nullptr},
    {"cosh()", "双曲線余弦関数", false, nullptr, nullptr},
    {"tanh()", "双曲線正接関数", false, nullptr, nullptr},
    {"ceil()", "小数点以下切り上げ", false, nullptr, nullptr},
    {"floor()", "小数点以下切り捨て", false, nullptr, nullptr},
    {"step()", "ステップ関数", false, nullptr, nullptr},
};

// Buttons without a handler of their own insert through groupHandler; they
// are numbered after it (NumberBtn1, FuncBtn1, ...).
template <std::size_t N>
void AddButtons(TMainForm* form, TButtonBar* bar, const ButtonDefinition (&definitions)[N],
                void (TMainForm::*groupHandler)(QAbstractButton*), const QString& groupName)
{
    int number = 0;
    for (const ButtonDefinition& definition : definitions) {
        QToolButton* button = bar->AddButton(QString::fromUtf8(definition.caption), QString::fromUtf8(definition.hint),
                                             definition.breakAfter);
        if (definition.handler) {
            button->setObjectName(QString::fromUtf8(definition.name));
            form->Bind(button, &QToolButton::clicked, definition.handler);
        } else {
            button->setObjectName(groupName + QString::number(++number));
            form->Bind(button, &QToolButton::clicked, [form, button, groupHandler] { (form->*groupHandler)(button); });
        }
    }
}

}  // namespace

void TMainForm::CreateComponents()
{
    setObjectName(QStringLiteral("MainForm"));
    setGeometry(1, 0, 582, 466);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    // Menus are windows of their own; they take the window's font too.
    setAttribute(Qt::WA_WindowPropagation);
    // The commands come first: the speed bar's buttons run them.
    CreateMenus();

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    Panes.RightPanel = frame;
    Panes.RightPanel->setObjectName(QStringLiteral("RightPanel"));
    auto* column = new QVBoxLayout(Panes.RightPanel);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(0);

    Panes.CoolBar1 = new QWidget(Panes.RightPanel);
    Panes.CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* bands = new TBandColumn(Panes.CoolBar1);
    bands->setContentsMargins(0, 0, 0, 2);
    bands->setSpacing(2);
    bands->AddBand(CreateResultBand(), 23, false);
    CreateNumberToolBar();
    bands->AddBand(Bands.tbNumber, 63, false);
    CreateFunctionToolBar();
    bands->AddBand(Bands.tbFunction, 42, false);
    CreateRegisterToolBar();
    bands->AddBand(Bands.tbRegister, 19, true);
    column->addWidget(Panes.CoolBar1);
    column->addWidget(CreateEditors(), 1);
    PlacePanels();
    KeepRoomForBands(bands);

    CreateStatusBar();
    AttachPopupMenus();
}

// The toolbars wrap into more rows in a narrower right panel (a narrow
// window or a wide file pane); the window grows taller rather than draw a
// row under the next band.
void TMainForm::KeepRoomForBands(TBandColumn* bands)
{
    new TWindowHeightKeeper(this, Panes.RightPanel, [this, bands](int width) {
        const QMargins frame = Panes.RightPanel->contentsMargins() + Panes.RightPanel->layout()->contentsMargins();
        return frame.top() + frame.bottom() + bands->MinimumHeightForWidth(width - frame.left() - frame.right()) +
               Panes.rePanel->minimumSizeHint().height();
    });
}

QWidget* TMainForm::CreateResultBand()
{
    Bands.ResultPanel = new QWidget;
    Bands.ResultPanel->setObjectName(QStringLiteral("ResultPanel"));
    auto* row = new QHBoxLayout(Bands.ResultPanel);
    row->setContentsMargins(4, 0, 0, 0);
    row->setSpacing(0);
    Bands.Label1 = new QLabel(QStringLiteral("計算結果"));
    Bands.Label1->setObjectName(QStringLiteral("Label1"));
    Bands.Label1->setFixedWidth(60);  // the result field starts at 64
    Bands.OutputEdit = new TResultField(QStringLiteral("OutputEdit"));
    ApplyHint(Bands.OutputEdit, QStringLiteral("右クリックでコピーできます"));
    row->addWidget(Bands.Label1);
    row->addWidget(Bands.OutputEdit, 1);
    return Bands.ResultPanel;
}

void TMainForm::CreateNumberToolBar()
{
    Bands.tbNumber = new TButtonBar(QStringLiteral("tbNumber"), QSize(39, 21));
    ApplyHint(Bands.tbNumber, QStringLiteral("|数値や記号の入力"));
    AddButtons(this, Bands.tbNumber, NumberButtons, &TMainForm::NumberBtn1Click, QStringLiteral("NumberBtn"));
}

void TMainForm::CreateFunctionToolBar()
{
    Bands.tbFunction = new TButtonBar(QStringLiteral("tbFunction"), QSize(45, 21));
    ApplyHint(Bands.tbFunction, QStringLiteral("|関数の入力"));
    AddButtons(this, Bands.tbFunction, FunctionButtons, &TMainForm::FuncBtn1Click, QStringLiteral("FuncBtn"));
}

// Filled from Registered.txt; each button as wide as its caption, up to a
// width that leaves the window's narrowest width as it is.
void TMainForm::CreateRegisterToolBar()
{
    Bands.tbRegister = new TButtonBar(QStringLiteral("tbRegister"), QSize());
    Bands.tbRegister->SetCaptionWidthLimit(200);
}

QWidget* TMainForm::CreateEditors()
{
    Panes.rePanel = new QWidget;
    Panes.rePanel->setObjectName(QStringLiteral("rePanel"));
    auto* layout = new QVBoxLayout(Panes.rePanel);
    layout->setContentsMargins(0, 0, 0, 0);
    Panes.Splitter2 = new QSplitter(Qt::Horizontal);
    Panes.Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Panes.Splitter2->setHandleWidth(3);
    Panes.reExpression = new TRichEdit(QStringLiteral("reExpression"));
    ApplyHint(Panes.reExpression, QStringLiteral("|//行末までコメント、///以下すべての行コメント"));
    Panes.reResult = new TResultPane(QStringLiteral("reResult"));
    ApplyHint(Panes.reResult, QStringLiteral("|変数・途中式の値"));
    Panes.Splitter2->addWidget(Panes.reExpression);
    Panes.Splitter2->addWidget(Panes.reResult);
    Panes.Splitter2->setStretchFactor(0, 1);
    Panes.Splitter2->setStretchFactor(1, 0);
    Panes.Splitter2->setSizes({400, 165});
    layout->addWidget(Panes.Splitter2);

    ApplyEditorFont();
    Panes.reExpression->setCurrentCharFormat(EditorFormat());
    Panes.reExpression->installEventFilter(this);
    Bind(Panes.reExpression, &QPlainTextEdit::textChanged, &TMainForm::reExpressionChange, WhileLoading::Run);
    Bind(Panes.reExpression, &QPlainTextEdit::cursorPositionChanged, &TMainForm::ShowCaretPosition, WhileLoading::Run);
    Bind(Panes.reExpression, &QPlainTextEdit::selectionChanged, &TMainForm::ShowCaretPosition, WhileLoading::Run);
    CompletionPopup = new TCompletionPopup(Panes.reExpression, this);
    Bind(Panes.reExpression, &QPlainTextEdit::cursorPositionChanged, &TMainForm::reExpressionCaretMoved,
         WhileLoading::Run);
    Bind(CompletionPopup, &TCompletionPopup::Chosen, &TMainForm::CompleteName, WhileLoading::Run);
    for (QScrollBar* bar : {Panes.reExpression->verticalScrollBar(), Panes.reExpression->horizontalScrollBar()})
        Bind(bar, &QScrollBar::valueChanged, &TMainForm::reExpressionScrolled, WhileLoading::Run);
    Loader = new TDocumentLoader(Panes.reExpression);
    Bind(Loader, &TDocumentLoader::Finished, &TMainForm::DocumentLoaded);
    Bind(Loader, &TDocumentLoader::Progress, &TMainForm::ShowLoadingProgress, WhileLoading::Run);
    CalculationSlices = new QTimer(this);
    CalculationSlices->setSingleShot(true);
    Bind(CalculationSlices, &QTimer::timeout, &TMainForm::NextCalculationSlice, WhileLoading::Run);
    CreateNameProbe();
    return Panes.rePanel;
}

// The design width of 120 cuts the caret position of most documents; the
// panel holds it whole up to 999 lines, 999 columns and 99,999 characters.
int TMainForm::CaretPanelWidth() const
{
    constexpr int frameAndPadding = 8;
    const int longest = fontMetrics().horizontalAdvance(CaretPositionText(999, 999, 99999));
    return std::max(120, longest + frameAndPadding);
}

void TMainForm::CreateStatusBar()
{
    Status.StatusBar = new QStatusBar(this);
    Status.StatusBar->setObjectName(QStringLiteral("StatusBar"));
    Status.StatusBar->setMinimumHeight(20);
    setStatusBar(Status.StatusBar);
    const int widths[] = {CaretPanelWidth(), 70, 50, 170};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new TElidedLabel(Status.StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The last panel takes the rest of the bar; a long hint there must
        // not widen the window.
        if (i < 4) {
            panel->setFixedWidth(widths[i]);
        } else {
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            panel->setMinimumWidth(50);
        }
        Status.StatusBar->addWidget(panel, i < 4 ? 0 : 1);
        Status.StatusPanels[i] = panel;
    }
    CreateStatementMarks();
}

}  // namespace tallyrix
