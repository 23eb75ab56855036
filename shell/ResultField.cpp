#include "shell/ResultField.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <memory>

#include "document/Presentation.h"
#include "engine/DigitGrouping.h"

namespace tallyrix {

namespace {

// Pixels a line edit keeps free on either side of its text.
constexpr int LineEditTextMargin = 2;

}  // namespace

TResultField::TResultField(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setReadOnly(true);
}

void TResultField::ShowValue(const QString& value, bool grouped)
{
    Grouped = grouped;
    const QString shown = grouped ? QString::fromStdString(GroupDigits(value.toStdString())) : value;
    if (const QString fitting = FittingText(shown, fontMetrics(), TextRoom()); fitting != text()) setText(fitting);
}

QString TResultField::Value() const { return WithoutGroupSeparators(text()); }

QString TResultField::SelectedValue() const
{
    if (!hasSelectedText()) return {};
    return WithoutGroupSeparators(text(), selectionStart(), selectionEnd());
}

void TResultField::CopyValue() const
{
    if (hasSelectedText()) QGuiApplication::clipboard()->setText(SelectedValue());
}

int TResultField::TextRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    return contents.width() - 2 * LineEditTextMargin;
}

QMenu* TResultField::CreateValueMenu()
{
    QMenu* menu = createStandardContextMenu();
    // The standard copy would take the separators along; its caption is
    // Qt's own, in the window's language.
    for (QAction* item : menu->actions()) {
        if (item->isSeparator() || !item->text().startsWith(QLineEdit::tr("&Copy"))) continue;
        disconnect(item, nullptr, this, nullptr);
        connect(item, &QAction::triggered, this, &TResultField::CopyValue);
    }
    return menu;
}

void TResultField::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(CreateValueMenu());
    menu->exec(event->globalPos());
}

void TResultField::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) return CopyValue();
    QLineEdit::keyPressEvent(event);
}

// A selection made with the mouse becomes the primary selection on X11.
void TResultField::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && hasSelectedText()) clipboard->setText(SelectedValue(), QClipboard::Selection);
}

// A value cut short at one width may fit grouped at another.
void TResultField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    ShowValue(Value(), Grouped);
}

}  // namespace tallyrix
