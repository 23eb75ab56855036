#include "tests/registry_window/RegisteredWindowFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "registry/RegisteredFile.h"
#include "shell/ButtonBar.h"

namespace tallyrix::test {

void RegisteredWindowTest::TearDown()
{
    WindowTest::TearDown();
    // A test may have left a directory in the file's place.
    QFile::remove(RegisteredPath());
    QDir(RegisteredPath()).removeRecursively();
}

QString RegisteredWindowTest::RegisteredPath()
{
    return qEnvironmentVariable("TALLYRIX_HOME") + QStringLiteral("/Registered.txt");
}

void RegisteredWindowTest::StartWith(const std::vector<std::string>& lines)
{
    WriteRegisteredFile(RegisteredPath().toStdString(), lines);
    WindowTest::SetUp();
}

void RegisteredWindowTest::StartWithBytes(const QByteArray& bytes)
{
    PutFileBytes(bytes);
    WindowTest::SetUp();
}

void RegisteredWindowTest::PutFileBytes(const QByteArray& bytes)
{
    QFile file(RegisteredPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void RegisteredWindowTest::StartWithoutFile()
{
    QFile::remove(RegisteredPath());
    WindowTest::SetUp();
}

QByteArray RegisteredWindowTest::FileBytes()
{
    QFile file(RegisteredPath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << RegisteredPath().toStdString();
    return file.readAll();
}

QList<QToolButton*> RegisteredWindowTest::RegisteredButtons() const { return Form->Bands.tbRegister->Buttons(); }

QStringList RegisteredWindowTest::Captions() const
{
    QStringList captions;
    for (const QToolButton* button : RegisteredButtons())
        captions.append(button->text());
    return captions;
}

QToolButton* RegisteredWindowTest::RegisteredButton(const QString& caption) const
{
    for (QToolButton* button : RegisteredButtons()) {
        if (button->text() == caption) return button;
    }
    ADD_FAILURE() << "no registered button " << caption.toStdString();
    return nullptr;
}

void RegisteredWindowTest::InDialog(const std::function<void(TRegisterForm&)>& act)
{
    Dialogs->DialogDriver = [&act](QDialog& dialog) { act(static_cast<TRegisterForm&>(dialog)); };
    Form->Menu.Tools.mRegisterConst1->trigger();
    Dialogs->DialogDriver = nullptr;
}

QList<QStringList> GridRows(const TRegisterForm& form)
{
    QList<QStringList> rows;
    const QTableWidget* grid = form.sgRegister;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QTableWidgetItem* item = grid->item(row, column);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells);
    }
    return rows;
}

void TypeIntoCell(TRegisterForm& form, int row, int column, const QString& text)
{
    QTableWidget* grid = form.sgRegister;
    grid->setCurrentCell(row, column);
    const QModelIndex index = grid->model()->index(row, column);
    // Moving to the cell opens its editor, as it does for the user.
    if (!grid->indexWidget(index)) grid->edit(index);
    QWidget* editor = grid->indexWidget(index);
    ASSERT_NE(editor, nullptr) << "no editor at " << row << "," << column;
    QTest::keyClicks(editor, text);
}

}  // namespace tallyrix::test
