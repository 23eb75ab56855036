// The version dialog: the program's icon, its name and version, and OK.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tallyrix {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

private:
    QLabel* ProgramIcon;
    QLabel* Version;
    QPushButton* OKButton;
};

}  // namespace tallyrix
