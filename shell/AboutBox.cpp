#include "shell/AboutBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "shell/ProgramIcon.h"

namespace tallyrix {

// Laid out at the positions of the window design; the dialog opens in the
// middle of the screen, not over its owner.
TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Tallyrixについて"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(254, 104);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 20, 32, 32);
    ProgramIcon->setPixmap(tallyrix::ProgramIcon().pixmap(32, 32));

    Version = new QLabel(QStringLiteral("Tallyrix Version " TALLYRIX_VERSION), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->move(64, 16);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(142, 66, 65, 21);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    OKButton->setFocus();

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
}

}  // namespace tallyrix
