#include "shell/FontChoiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tallyrix {
namespace {

struct NamedColor {
    const char* name;
    QRgb rgb;
};

// The sixteen colours of the Windows font dialog.
constexpr NamedColor StandardColors[] = {
    {"黒", 0x000000},   {"栗色", 0x800000}, {"緑", 0x008000},   {"オリーブ", 0x808000},
    {"紺", 0x000080},   {"紫", 0x800080},   {"青緑", 0x008080}, {"灰色", 0x808080},
    {"銀色", 0xC0C0C0}, {"赤", 0xFF0000},   {"黄緑", 0x00FF00}, {"黄", 0xFFFF00},
    {"青", 0x0000FF},   {"赤紫", 0xFF00FF}, {"水色", 0x00FFFF}, {"白", 0xFFFFFF},
};

QCheckBox* AddStyleBox(QFormLayout* form, const QString& caption, bool checked)
{
    auto* box = new QCheckBox(caption);
    box->setChecked(checked);
    form->addRow(box);
    return box;
}

}  // namespace

TFontChoiceDialog::TFontChoiceDialog(const FontChoice& current, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("フォント"));
    auto* form = new QFormLayout;
    FaceBox = new QComboBox;
    BuildFaceList(current.name);
    form->addRow(QStringLiteral("フォント名"), FaceBox);
    SizeBox = new QComboBox;
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    BuildSizeList(current.height);
    form->addRow(QStringLiteral("サイズ"), SizeBox);
    BoldBox = AddStyleBox(form, QStringLiteral("太字"), current.bold);
    ItalicBox = AddStyleBox(form, QStringLiteral("斜体"), current.italic);
    UnderlineBox = AddStyleBox(form, QStringLiteral("下線"), current.underline);
    StrikeOutBox = AddStyleBox(form, QStringLiteral("取り消し線"), current.strikeOut);
    ColorBox = new QComboBox;
    BuildColorList(current.color);
    form->addRow(QStringLiteral("色"), ColorBox);
    Sample = new QLabel(QStringLiteral("AaBbYyZz 123 あア亜"));
    Sample->setMinimumHeight(40);
    form->addRow(QStringLiteral("サンプル"), Sample);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(FaceBox, &QComboBox::currentTextChanged, this, &TFontChoiceDialog::UpdateSample);
    connect(SizeBox, &QComboBox::currentTextChanged, this, &TFontChoiceDialog::UpdateSample);
    connect(ColorBox, &QComboBox::currentIndexChanged, this, &TFontChoiceDialog::UpdateSample);
    for (QCheckBox* box : {BoldBox, ItalicBox, UnderlineBox, StrikeOutBox})
        connect(box, &QCheckBox::toggled, this, &TFontChoiceDialog::UpdateSample);
    UpdateSample();
}

// The design faces are listed first although no such font is installed:
// they render through substitutes and keep their names in the files.
void TFontChoiceDialog::BuildFaceList(const QString& current)
{
    FaceBox->setEditable(true);
    FaceBox->addItems({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック")});
    FaceBox->addItems(QFontDatabase::families());
    FaceBox->setCurrentText(current);
}

void TFontChoiceDialog::BuildColorList(const QColor& current)
{
    for (const NamedColor& color : StandardColors)
        ColorBox->addItem(QString::fromUtf8(color.name), QColor(color.rgb));
    int index = ColorBox->findData(current);
    if (index < 0) {
        ColorBox->addItem(QStringLiteral("カスタム"), current);
        index = ColorBox->count() - 1;
    }
    ColorBox->setCurrentIndex(index);
}

// Any size may be typed; the list holds the usual ones.
void TFontChoiceDialog::BuildSizeList(int pixels)
{
    SizeBox->setEditable(true);
    for (const double points : StandardPointSizes())
        SizeBox->addItem(QString::number(points));
    SizeBox->setCurrentText(QString::number(PixelsToPoints(pixels)));
}

// A size that is no number, or out of reason, keeps the nearest sensible one.
int TFontChoiceDialog::ChosenPixels() const
{
    bool ok = false;
    const double points = SizeBox->currentText().trimmed().toDouble(&ok);
    return PointsToPixels(ok ? std::clamp(points, 4.0, 400.0) : 10.0);
}

FontChoice TFontChoiceDialog::Choice() const
{
    return FontChoice{FaceBox->currentText(),   ChosenPixels(),         ColorBox->currentData().value<QColor>(),
                      BoldBox->isChecked(),     ItalicBox->isChecked(), UnderlineBox->isChecked(),
                      StrikeOutBox->isChecked()};
}

void TFontChoiceDialog::UpdateSample()
{
    const FontChoice choice = Choice();
    Sample->setFont(ToQFont(choice));
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::WindowText, choice.color);
    Sample->setPalette(palette);
}

}  // namespace tallyrix
