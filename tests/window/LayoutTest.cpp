// The window's components: names, toolbar rows, hints and status panels.
#include <QAction>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "shell/ButtonBar.h"
#include "shell/ElidedLabel.h"
#include "shell/FilePane.h"
#include "shell/ResultField.h"
#include "shell/ResultPane.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

TEST_F(WindowTest, ComponentsCarryTheirNames)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Tallyrix - 新規.txt"));
    // clang-format off
    const QList<std::pair<QString, QObject*>> named = {
        {QStringLiteral("reExpression"), Form->Panes.reExpression}, {QStringLiteral("reResult"), Form->Panes.reResult},
        {QStringLiteral("OutputEdit"), Form->Bands.OutputEdit},     {QStringLiteral("Label1"), Form->Bands.Label1},
        {QStringLiteral("Splitter2"), Form->Panes.Splitter2},       {QStringLiteral("StatusBar"), Form->Status.StatusBar},
        {QStringLiteral("tbNumber"), Form->Bands.tbNumber},         {QStringLiteral("tbFunction"), Form->Bands.tbFunction},
        {QStringLiteral("mEnter"), Form->Menu.Options.mEnter},             {QStringLiteral("mEquation"), Form->Menu.Options.mEquation},
        {QStringLiteral("mVariable"), Form->Menu.Options.mVariable},       {QStringLiteral("mRAD"), Form->Menu.Options.mRAD},
        {QStringLiteral("mDEG"), Form->Menu.Options.mDEG},                 {QStringLiteral("mEnterToSemicolon"), Form->Menu.Options.mEnterToSemicolon},
        {QStringLiteral("mUpdate1"), Form->Menu.Tools.mUpdate1},         {QStringLiteral("pm_reExpression"), Form->Popup.pm_reExpression},
        {QStringLiteral("pm_reResult"), Form->Popup.pm_reResult},
    };
    // clang-format on
    for (const auto& [name, object] : named) {
        ASSERT_NE(object, nullptr) << name.toStdString();
        EXPECT_EQ(Form->findChild<QObject*>(name), object) << name.toStdString();
    }
    EXPECT_EQ(Form->Bands.Label1->text(), QStringLiteral("計算結果"));
    EXPECT_TRUE(Form->Bands.OutputEdit->isReadOnly());
    EXPECT_EQ(Form->Panes.reExpression->lineWrapMode(), QPlainTextEdit::NoWrap);
    for (QAbstractScrollArea* pane : {static_cast<QAbstractScrollArea*>(Form->Panes.reExpression),
                                      static_cast<QAbstractScrollArea*>(Form->Panes.reResult)}) {
        EXPECT_EQ(pane->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    EXPECT_TRUE(Form->Menu.Options.mVariable->isChecked());
    EXPECT_TRUE(Form->Menu.Options.mRAD->isChecked());
    EXPECT_EQ(Panel(2), QStringLiteral("RAD"));
    EXPECT_EQ(Panel(0), QStringLiteral("1行 1桁 計0文字"));
}

// The rows of the two toolbars, by the top edges of their buttons.
TEST_F(WindowTest, ToolbarsShowTheirRows)
{
    struct Case {
        TButtonBar* bar;
        QSize buttonSize;
        QList<QStringList> rows;
    };
    // clang-format off
    const Case cases[] = {
        {Form->Bands.tbNumber, QSize(39, 21),
         {QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
          QStringList{".", "pi", "+", "-", "*", "/", "^", "%", "!", "="},
          QStringList{";", "(", ")", "BS", "Del", "Tab", "CR", "Home", "End"}}},
        {Form->Bands.tbFunction, QSize(45, 21),
         {QStringList{"()", "abs()", "sqrt()", "exp()", "log()", "log10()", "sin()", "cos()", "tan()"},
          QStringList{"asin()", "acos()", "atan()", "sinh()", "cosh()", "tanh()", "ceil()", "floor()", "step()"}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        QStringList captions;
        QMap<int, QStringList> byRow;
        for (QToolButton* button : c.bar->Buttons()) {
            EXPECT_EQ(button->size(), c.buttonSize);
            EXPECT_TRUE(button->isVisible());
            byRow[button->y()].append(button->text());
        }
        EXPECT_EQ(byRow.values(), c.rows) << c.bar->objectName().toStdString();
        EXPECT_EQ(c.bar->height(), 21 * static_cast<int>(c.rows.size()));
    }
}

// Whether the button is the widget under each of its corners and its middle:
// nothing covers it, nothing cuts it off.
bool Reachable(QWidget* window, QToolButton* button)
{
    const QRect inside = button->rect().adjusted(1, 1, -1, -1);
    for (const QPoint& point :
         {inside.center(), inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()}) {
        if (window->childAt(button->mapTo(window, point)) != button) return false;
    }
    return true;
}

// At the least size and with a wide file pane the toolbars wrap into more
// rows, and the window grows taller to hold them.
TEST_F(WindowTest, EveryToolbarButtonStaysReachable)
{
    const struct {
        QSize window;
        int filePane;
    } cases[] = {
        {{510, 297}, 129}, {{582, 466}, 129}, {{510, 297}, 300}, {{582, 466}, 420}, {{700, 297}, 129},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.window.width() << "x" << c.window.height() << " " << c.filePane);
        Form->resize(c.window);
        Form->Panes.Splitter1->setSizes({c.filePane, c.window.width() - c.filePane});
        const auto allReachable = [&] {
            for (TButtonBar* bar : {Form->Bands.tbNumber, Form->Bands.tbFunction}) {
                for (QToolButton* button : bar->Buttons()) {
                    if (!button->isVisible() || !Reachable(Form.get(), button)) return false;
                }
            }
            return true;
        };
        EXPECT_TRUE(QTest::qWaitFor(allReachable));
        EXPECT_EQ(Form->Panes.LeftPanel->width(), c.filePane);
        EXPECT_GE(Form->Panes.reExpression->height(), Form->Panes.reExpression->minimumSizeHint().height());
    }
}

TEST_F(WindowTest, HintsSplitIntoTooltipAndStatusText)
{
    struct Case {
        QWidget* widget;
        QString tooltip, status;
    };
    const Case cases[] = {
        {Form->Panes.reExpression, QString(), QStringLiteral("//行末までコメント、///以下すべての行コメント")},
        {Form->Panes.reResult, QString(), QStringLiteral("変数・途中式の値")},
        {Form->Bands.OutputEdit, QStringLiteral("右クリックでコピーできます"),
         QStringLiteral("右クリックでコピーできます")},
        {Form->Bands.tbNumber, QString(), QStringLiteral("数値や記号の入力")},
        {Form->Bands.tbFunction, QString(), QStringLiteral("関数の入力")},
        {Captioned(QStringLiteral("()")), QStringLiteral("両端に括弧"), QStringLiteral("選択部分の両側に括弧をつける")},
        {Captioned(QStringLiteral("CR")), QStringLiteral("リターン"), QStringLiteral("改行")},
        {Captioned(QStringLiteral("^")), QStringLiteral("'^ 'の入力"), QStringLiteral("'^ 'の入力")},
        {Captioned(QStringLiteral("atan()")), QStringLiteral("逆正弦"), QStringLiteral("逆正接関数")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.widget->toolTip(), c.tooltip) << c.status.toStdString();
        EXPECT_EQ(c.widget->statusTip(), c.status);
    }
}

// Entering a control shows its long hint in panel 4; leaving clears it.
TEST_F(WindowTest, HintUnderTheMouseGoesToPanelFour)
{
    QWidget* button = Captioned(QStringLiteral("sqrt()"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(button, &enter);
    EXPECT_EQ(Panel(4), QStringLiteral("平方根関数"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_EQ(Panel(4), QString());
    // The other panels stay in place.
    EXPECT_EQ(Panel(2), QStringLiteral("RAD"));
    EXPECT_TRUE(Form->StatusPanel(2)->isVisible());
}

TEST_F(WindowTest, StatusPanelsKeepTheirWidthsAndTheLastTakesTheRest)
{
    const int widths[] = {70, 50, 170};
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(Form->StatusPanel(i)->width(), widths[i - 1]) << i;
    // The caret position of an ordinary document shows whole.
    auto* caret = static_cast<TElidedLabel*>(Form->StatusPanel(0));
    for (const char* text : {"1行 15桁 計106文字", "120行 80桁 計4096文字", "999行 999桁 計99999文字"}) {
        caret->setText(QString::fromUtf8(text));
        EXPECT_EQ(caret->ShownText(), caret->text());
    }
    int left = -1;
    for (int i = 0; i < 5; ++i) {
        EXPECT_GT(Form->StatusPanel(i)->x(), left) << i;  // in order from the left
        left = Form->StatusPanel(i)->x();
    }
    // Only the size grip stands right of the last panel, at any window width.
    for (int grow : {0, 200}) {
        Form->resize(Form->width() + grow, Form->height());
        QCoreApplication::processEvents();
        EXPECT_GE(Form->StatusPanel(4)->geometry().right(), Form->Status.StatusBar->width() - 30) << grow;
    }
    EXPECT_EQ(Form->StatusPanel(3)->width(), 170);
}

// A picture with no visible pixel would leave a blank button.
bool HasVisiblePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
}

// Every speed button shows a picture and a hint, side by side without
// overlapping, inside the bar.
TEST_F(WindowTest, SpeedButtonsShowPicturesInARow)
{
    const QList<QToolButton*> buttons = Form->Panes.SpeedBar->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 17);
    int right = 0;
    for (const QToolButton* button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(HasVisiblePixel(button->icon().pixmap(16, 16).toImage()));
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_GT(button->x(), right);
        right = button->geometry().right();
        EXPECT_TRUE(Form->Panes.SpeedBar->rect().contains(button->geometry()));
    }
}

}  // namespace
}  // namespace tallyrix::test
