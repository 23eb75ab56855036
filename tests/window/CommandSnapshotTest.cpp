// Every command the window offers, as a person finds it in the menu bar, the
// pop-up menus and the speed bar, written out and compared with the recorded
// listing in commands.golden. A change of caption, shortcut, status text,
// check mark or order shows as a differing line.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

QString Flags(const QAction* action, const QWidget* window)
{
    QString flags;
    if (action->isCheckable()) flags += action->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
    if (action->actionGroup() && action->actionGroup()->isExclusive()) flags += QStringLiteral(" radio");
    if (!action->isEnabled()) flags += QStringLiteral(" disabled");
    if (window->actions().contains(const_cast<QAction*>(action))) flags += QStringLiteral(" window-shortcut");
    return flags;
}

void DumpMenu(const QMenu* menu, const QWidget* window, const QString& indent, QStringList& lines)
{
    lines << indent + QStringLiteral("menu %1 \"%2\"").arg(menu->objectName(), menu->title());
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("  ---");
        } else if (action->menu()) {
            DumpMenu(action->menu(), window, indent + QStringLiteral("  "), lines);
        } else {
            lines << indent + QStringLiteral("  %1 \"%2\" key=%3 status=\"%4\" tip=\"%5\"%6")
                                  .arg(action->objectName(), action->text(),
                                       action->shortcut().toString(QKeySequence::PortableText), action->statusTip(),
                                       action->toolTip(), Flags(action, window));
        }
    }
}

QStringList DumpCommands(const QMainWindow& window)
{
    QStringList lines;
    for (const QAction* action : window.menuBar()->actions())
        DumpMenu(action->menu(), &window, QString(), lines);
    for (const char* name : {"pm_reExpression", "pm_reResult", "pmFileListbox"}) {
        DumpMenu(window.findChild<QMenu*>(QString::fromUtf8(name)), &window, QString(), lines);
    }
    const QWidget* speedBar = window.findChild<QWidget*>(QStringLiteral("SpeedBar"));
    for (const QToolButton* button : speedBar->findChildren<QToolButton*>()) {
        lines << QStringLiteral("button %1 x=%2 tip=\"%3\" status=\"%4\" icon=%5")
                     .arg(button->objectName())
                     .arg(button->x())
                     .arg(button->toolTip(), button->statusTip(),
                          button->icon().isNull() ? QStringLiteral("none") : QStringLiteral("yes"));
    }
    return lines;
}

TEST_F(WindowTest, EveryCommandKeepsItsCaptionShortcutAndStatusText)
{
    const QStringList actual = DumpCommands(*Form);
    QFile golden(QStringLiteral(TALLYRIX_COMMANDS_GOLDEN));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList expected = QString::fromUtf8(golden.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (actual != expected) {
        // The listing as it is now, to compare by eye or to take as the new record.
        QFile now(QStringLiteral(TALLYRIX_COMMANDS_ACTUAL));
        if (now.open(QIODevice::WriteOnly | QIODevice::Text)) now.write(actual.join(u'\n').toUtf8() + '\n');
    }
    for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(actual.value(i).toStdString(), expected.value(i).toStdString()) << "line " << i + 1;
    }
}

}  // namespace
}  // namespace tallyrix::test
