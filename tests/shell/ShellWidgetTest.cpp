// The window's small widgets and helpers: hints, button rows and drives.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLayout>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include "shell/ButtonBar.h"
#include "shell/DriveList.h"
#include "shell/ElidedLabel.h"
#include "shell/FontChoiceDialog.h"
#include "shell/Hints.h"
#include "shell/RichEdit.h"

namespace tallyrix {
namespace {

TEST(HintTest, ShortPartBeforeTheBarLongPartAfterIt)
{
    struct Case {
        QString hint, shortHint, longHint;
    };
    const Case cases[] = {
        {QStringLiteral("開く|ファイルを開く"), QStringLiteral("開く"), QStringLiteral("ファイルを開く")},
        {QStringLiteral("|変数・途中式の値"), QString(), QStringLiteral("変数・途中式の値")},
        {QStringLiteral("ステップ関数"), QStringLiteral("ステップ関数"), QStringLiteral("ステップ関数")},
        {QStringLiteral("a|b|c"), QStringLiteral("a"), QStringLiteral("b|c")},
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        const HintParts parts = SplitHint(c.hint);
        EXPECT_EQ(parts.shortHint, c.shortHint) << c.hint.toStdString();
        EXPECT_EQ(parts.longHint, c.longHint) << c.hint.toStdString();
    }
}

// Rows end at the marked breaks, and also where the width runs out.
TEST(ButtonBarTest, RowsBreakWhereMarkedAndWhereTheWidthEnds)
{
    TButtonBar bar(QStringLiteral("bar"), QSize(40, 20));
    for (int i = 0; i < 5; ++i)
        bar.AddButton(QString::number(i), QString(), i == 1);
    struct Case {
        int width;
        int rows;
    };
    for (const Case& c : {Case{400, 2}, Case{100, 3}, Case{50, 5}, Case{10, 5}}) {
        EXPECT_EQ(bar.heightForWidth(c.width), c.rows * 20) << c.width;
        bar.layout()->setGeometry(QRect(0, 0, c.width, bar.heightForWidth(c.width)));
        const QList<QToolButton*> buttons = bar.Buttons();
        EXPECT_EQ(buttons[2]->x(), 0) << c.width;
        EXPECT_EQ(buttons[4]->y(), (c.rows - 1) * 20) << c.width;
    }
}

TEST(DriveList, UserVolumes)
{
    struct Case {
        const char* type;
        const char* device;
        const char* root;
        bool counts;
    };
    const Case cases[] = {
        {"ext4", "/dev/sda1", "/", true},
        {"overlay", "overlay", "/", true},
        {"ext4", "/dev/sdb1", "/media/usb", true},
        {"nfs4", "server:/export", "/mnt/share", true},
        {"cifs", "//server/share", "/mnt/win", true},
        {"proc", "proc", "/proc", false},
        {"sysfs", "sysfs", "/sys", false},
        {"tmpfs", "tmpfs", "/run", false},
        {"devpts", "devpts", "/dev/pts", false},
        {"squashfs", "/dev/loop3", "/snap/core/1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUserVolume(c.type, c.device, QString::fromUtf8(c.root)), c.counts) << c.root << " " << c.type;
    EXPECT_EQ(DriveLabel(QStringLiteral("/media/usb"), QStringLiteral("STICK")), QStringLiteral("/media/usb [STICK]"));
    EXPECT_EQ(DriveLabel(QStringLiteral("/"), QString()), QStringLiteral("/"));
}

TEST(DriveList, MountedDrivesHoldTheRootOnceEach)
{
    const QList<DriveEntry> drives = MountedDrives();
    QStringList roots;
    for (const DriveEntry& drive : drives)
        roots.append(drive.root);
    EXPECT_EQ(roots.count(QStringLiteral("/")), 1);
    EXPECT_EQ(roots.removeDuplicates(), 0);
    EXPECT_FALSE(roots.contains(QStringLiteral("/proc")));
}

// A text too wide for the panel is cut at a character with "…", never
// inside a glyph, and the panel keeps the whole text.
TEST(ElidedLabelTest, CutsAtACharacterWithAnEllipsis)
{
    TElidedLabel panel;
    panel.setFixedWidth(120);
    const struct {
        QString text;
        bool cut;
    } cases[] = {
        {QStringLiteral("2行 5桁 計37文字"), false},
        {QStringLiteral("12345行 12345桁 計1234567890文字"), true},
        {QString(), false},
    };
    for (const auto& c : cases) {
        panel.setText(c.text);
        const QString shown = panel.ShownText();
        EXPECT_EQ(panel.text(), c.text);
        EXPECT_EQ(shown != c.text, c.cut) << c.text.toStdString();
        if (!c.cut) continue;
        EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
        EXPECT_TRUE(c.text.startsWith(shown.chopped(1))) << shown.toStdString();
        EXPECT_LE(panel.fontMetrics().horizontalAdvance(shown), panel.contentsRect().width());
    }
}

// Sizes are offered in points and the stored pixel height comes back.
TEST(FontChoiceDialogTest, SizesInPoints)
{
    for (const int pixels : {12, 13, 14, 16, 21}) {
        FontChoice font = DefaultEditorFont();
        font.height = pixels;
        TFontChoiceDialog dialog(font);
        auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("SizeBox"));
        ASSERT_NE(sizes, nullptr);
        EXPECT_EQ(sizes->currentText(), QString::number(PixelsToPoints(pixels)));
        EXPECT_GE(sizes->findText(QStringLiteral("10.5")), 0);
        EXPECT_EQ(dialog.Choice().height, pixels);
        sizes->setCurrentText(QStringLiteral("10.5"));
        EXPECT_EQ(dialog.Choice().height, 14);
    }
}

// Lines are never wrapped: a new width lays no line of a long document out
// again (the plain text edit would, and keep a layout for every line).
TEST(RichEditTest, ANewWidthLaysNoLineOfALongDocumentOutAgain)
{
    TRichEdit editor(QStringLiteral("editor"));
    editor.setPlainText(QStringLiteral("a=1;\n").repeated(5000));
    editor.resize(300, 200);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    // A line far out of view, laid out once.
    const QTextBlock far = editor.document()->findBlockByNumber(4000);
    editor.document()->documentLayout()->blockBoundingRect(far);
    ASSERT_EQ(far.layout()->lineCount(), 1);
    for (const int width : {500, 200}) {
        editor.resize(width, 200);
        QApplication::processEvents();
        EXPECT_EQ(far.layout()->lineCount(), 1) << width;
    }
}

}  // namespace
}  // namespace tallyrix
