#include "registry/Registerunit.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <algorithm>

#include "registry/CellEditor.h"
#include "registry/GridCells.h"
#include "shell/Dialogs.h"

namespace tallyrix {
namespace {

// The label reads one way after loading or deleting and the other after an
// edit, as it always has.
const QString RegisteredPrefix = QStringLiteral("現在の登録変数： ");
const QString EditedPrefix = QStringLiteral("現在の登録数： ");

constexpr int ColumnCount = 3;
constexpr int ColumnWidths[ColumnCount] = {56, 272, 233};

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

std::string ToUtf8(const QString& text) { return text.toStdString(); }

// Lines as the dialog would write them back: three fields, sorted.
std::vector<std::string> AsDialogWrites(const std::optional<std::vector<std::string>>& lines)
{
    return lines ? EntryLinesFromRows(EntryRowsOf(*lines), false) : std::vector<std::string>();
}

}  // namespace

TRegisterForm::TRegisterForm(ModalDialogs& dialogs, QWidget* owner) : QDialog(owner), Dialogs(dialogs)
{
    setObjectName(QStringLiteral("RegisterForm"));
    setWindowTitle(QStringLiteral("定数・文字列の登録"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(603, 334);
    CreateGrid();
    CreateButtons();
    CreatePopupMenu();
}

void TRegisterForm::CreateGrid()
{
    sgRegister = new QTableWidget(1, ColumnCount, this);
    sgRegister->setObjectName(QStringLiteral("sgRegister"));
    sgRegister->setGeometry(9, 8, 584, 281);
    sgRegister->setHorizontalHeaderLabels(
        {QStringLiteral("登録名"), QStringLiteral("変数の値・文字列"), QStringLiteral("ボタンに表示するヒント")});
    QHeaderView* columns = sgRegister->horizontalHeader();
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < ColumnCount; ++column)
        columns->resizeSection(column, ColumnWidths[column]);
    // The row header is the handle for sizing and dragging rows.
    QHeaderView* rows = sgRegister->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    rows->setDefaultSectionSize(20);
    sgRegister->setSelectionMode(QAbstractItemView::SingleSelection);
    sgRegister->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgRegister->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgRegister->setTabKeyNavigation(true);
    sgRegister->setShowGrid(true);

    auto* editor = new TCellEditor(sgRegister);
    sgRegister->setItemDelegate(editor);
    connect(editor, &TCellEditor::TextEdited, this, &TRegisterForm::sgRegisterSetEditText);
    // The cell editor is open nearly all the time; Enter still means OK.
    connect(editor, &TCellEditor::ReturnPressed, this, [this] { OkBtn->click(); });
    MoveRowCellsWithHeader(sgRegister);
    // Connected after the cells have moved: a row dragged below the empty
    // row would otherwise be the last row, which OK never saves.
    connect(rows, &QHeaderView::sectionMoved, this, [this] {
        const int last = LastRow();
        if (RowHasText(sgRegister, last)) sgRegister->insertRow(last + 1);
    });
}

void TRegisterForm::CreateButtons()
{
    lbNumber = new QLabel(QStringLiteral("現在の登録数："), this);
    lbNumber->setObjectName(QStringLiteral("lbNumber"));
    lbNumber->move(21, 303);
    lbNumber->setMinimumWidth(200);
    DeleteBtn = NewButton(this, QStringLiteral("DeleteBtn"), QStringLiteral("選択行の削除"), QRect(316, 300, 85, 25));
    OkBtn = NewButton(this, QStringLiteral("OkBtn"), QStringLiteral("OK"), QRect(436, 300, 75, 25));
    CancelBtn = NewButton(this, QStringLiteral("CancelBtn"), QStringLiteral("Cancel"), QRect(516, 300, 75, 25));
    OkBtn->setDefault(true);
    connect(DeleteBtn, &QPushButton::clicked, this, &TRegisterForm::RowDeleteClick);
    connect(OkBtn, &QPushButton::clicked, this, &TRegisterForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QAction* TRegisterForm::AddMenuItem(const QString& name, const QString& caption, void (TRegisterForm::*handler)())
{
    QAction* action = PopupMenu1->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TRegisterForm::CreatePopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    AddMenuItem(QStringLiteral("Cut1"), QStringLiteral("切り取り"), &TRegisterForm::Cut1Click);
    AddMenuItem(QStringLiteral("Copy1"), QStringLiteral("コピー"), &TRegisterForm::Copy1Click);
    AddMenuItem(QStringLiteral("Paste1"), QStringLiteral("張り付け"), &TRegisterForm::Paste1Click);
    PopupMenu1->addSeparator();
    AddMenuItem(QStringLiteral("RowCopy"), QStringLiteral("選択行の複製"), &TRegisterForm::RowCopyClick);
    AddMenuItem(QStringLiteral("RowDelete"), QStringLiteral("選択行の削除"), &TRegisterForm::RowDeleteClick);
    sgRegister->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sgRegister, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(sgRegister->viewport()->mapToGlobal(at)); });
}

void TRegisterForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    ShowCount(RegisteredPrefix, LastRow());
    sgRegister->setFocus();
}

void TRegisterForm::SelectEntry(std::size_t index)
{
    const int row = static_cast<int>(index);
    if (row >= LastRow()) return;
    sgRegister->setCurrentCell(row, 0);
    sgRegister->scrollTo(sgRegister->model()->index(row, 0));
}

void TRegisterForm::LoadLines(const std::vector<std::string>& lines)
{
    FillGrid(lines);
    LoadedLines = EntryLines();
    sgRegister->setCurrentCell(0, 0);
}

std::vector<std::string> TRegisterForm::EntryLines() const { return EntryLinesFromRows(RowsUpTo(LastRow()), false); }

void TRegisterForm::SetFile(RegisteredFileSession& file) { File = &file; }

void TRegisterForm::OkBtnClick()
{
    try {
        if (File && !SaveEntries()) return;
    } catch (const FileError& failure) {
        Dialogs.ShowMessage(this, MessageRequest{QMessageBox::Critical, QCoreApplication::applicationName(),
                                                 QString::fromUtf8(failure.what())});
        return;
    }
    accept();
}

// The grid was read from the file when the dialog opened, so while the file
// is unchanged an OK writes it back sorted, as always. A file written by
// another window or an editor meanwhile is never overwritten unasked: without
// edits here its lines are taken as they are, with edits the user chooses.
bool TRegisterForm::SaveEntries()
{
    const std::vector<std::string> lines = EntryLines();
    if (!File->ChangedOnDisk()) {
        File->Write(lines);
        return true;
    }
    if (lines == LoadedLines) {
        File->Read();
        return true;
    }
    const QMessageBox::StandardButton answer = AskAboutOutsideChange();
    if (answer == QMessageBox::Yes) {
        File->Write(lines);
        return true;
    }
    if (answer == QMessageBox::No) TakeInOutsideChanges(lines);
    return false;
}

// No is the answer that loses nothing, so it is the default.
QMessageBox::StandardButton TRegisterForm::AskAboutOutsideChange()
{
    const QString text =
        QString::fromStdString(File->Path()) +
        QStringLiteral(
            "は、この画面を開いた後に他のプログラムによって変更されています。\n\n"
            "はい：この画面の内容で上書きします（ファイルでの変更は失われます）。\n"
            "いいえ：ファイルでの変更をこの画面に取り込みます。確かめてからもう一度 OK を押してください。\n"
            "キャンセル：保存せずにこの画面に戻ります。");
    return Dialogs.ShowMessage(
        this, MessageRequest{QMessageBox::Warning, QCoreApplication::applicationName(), text,
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No});
}

// The grid gets the other writer's changes on top of the user's; the file
// as now read becomes the state the next OK is measured against.
void TRegisterForm::TakeInOutsideChanges(const std::vector<std::string>& ours)
{
    const std::vector<std::string> base = AsDialogWrites(File->Lines());
    const std::vector<std::string> theirs = AsDialogWrites(File->Read());
    FillGrid(MergeOutsideChanges(base, ours, theirs));
    LoadedLines = theirs;
    ShowCount(RegisteredPrefix, LastRow());
}

std::vector<EntryRow> TRegisterForm::RowsUpTo(int end) const
{
    std::vector<EntryRow> rows;
    for (int row = 0; row < end; ++row) {
        EntryRow& entry = rows.emplace_back();
        for (int column = 0; column < ColumnCount; ++column)
            entry[column] = ToUtf8(CellText(sgRegister, row, column));
    }
    return rows;
}

void TRegisterForm::FillGrid(const std::vector<std::string>& lines)
{
    std::vector<EntryRow> rows = EntryRowsOf(lines);
    rows.emplace_back();
    sgRegister->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row <= LastRow(); ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            SetCellText(sgRegister, row, column, QString::fromStdString(rows[static_cast<std::size_t>(row)][column]));
    }
}

void TRegisterForm::ShowCount(const QString& prefix, int count) { lbNumber->setText(prefix + QString::number(count)); }

int TRegisterForm::LastRow() const { return sgRegister->rowCount() - 1; }

void TRegisterForm::KeepLastRowEmpty(int row, const QString& text)
{
    if (!text.isEmpty() && row == LastRow()) sgRegister->insertRow(row + 1);
}

void TRegisterForm::sgRegisterSetEditText(int row, int column, const QString& text)
{
    // The cell holds what its editor shows at every moment, so OK saves it
    // even while the editor is still open.
    SetCellText(sgRegister, row, column, text);
    ShowCount(EditedPrefix, LastRow());
    KeepLastRowEmpty(row, text);
}

void TRegisterForm::SetCurrentCellText(const QString& text)
{
    const int row = sgRegister->currentRow();
    const int column = sgRegister->currentColumn();
    if (row < 0 || column < 0) return;
    SetCellText(sgRegister, row, column, text);
    KeepLastRowEmpty(row, text);
}

void TRegisterForm::Copy1Click()
{
    QGuiApplication::clipboard()->setText(CellText(sgRegister, sgRegister->currentRow(), sgRegister->currentColumn()));
}

void TRegisterForm::Cut1Click()
{
    Copy1Click();
    SetCurrentCellText(QString());
}

void TRegisterForm::Paste1Click() { SetCurrentCellText(SingleLineCellText(QGuiApplication::clipboard()->text())); }

// The copy goes just above the empty last row.
void TRegisterForm::RowCopyClick()
{
    const int source = sgRegister->currentRow();
    if (source < 0) return;
    sgRegister->insertRow(sgRegister->rowCount());
    for (int column = 0; column < ColumnCount; ++column)
        SetCellText(sgRegister, LastRow() - 1, column, CellText(sgRegister, source, column));
}

// Whatever the answer, the grid is compacted and sorted: rows without a
// name or a value go.
void TRegisterForm::RowDeleteClick()
{
    const int row = sgRegister->currentRow();
    const int column = std::max(sgRegister->currentColumn(), 0);
    const MessageRequest question{QMessageBox::Critical, QCoreApplication::applicationName(),
                                  QStringLiteral("選択行を削除しますか？"), QMessageBox::Yes | QMessageBox::No};
    if (Dialogs.ShowMessage(this, question) == QMessageBox::Yes && row >= 0) {
        for (int cell = 0; cell < ColumnCount; ++cell)
            SetCellText(sgRegister, row, cell, QString());
    }
    const std::vector<std::string> lines = EntryLinesFromRows(RowsUpTo(sgRegister->rowCount()), true);
    FillGrid(lines);
    ShowCount(RegisteredPrefix, static_cast<int>(lines.size()));
    sgRegister->setCurrentCell(std::clamp(row, 0, LastRow()), column);
}

}  // namespace tallyrix
