// The font dialog: face, pixel height, style and colour, as the Windows font
// dialog with effects offers them (Qt's own font dialog has no colour).
#pragma once

#include <QDialog>

#include "document/FontChoice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace tallyrix {

class TFontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontChoiceDialog(const FontChoice& current, QWidget* parent = nullptr);
    FontChoice Choice() const;

private:
    void BuildFaceList(const QString& current);
    void BuildColorList(const QColor& current);
    void UpdateSample();

    QComboBox* FaceBox;
    QSpinBox* HeightBox;
    QCheckBox* BoldBox;
    QCheckBox* ItalicBox;
    QCheckBox* UnderlineBox;
    QCheckBox* StrikeOutBox;
    QComboBox* ColorBox;
    QLabel* Sample;
};

}  // namespace tallyrix
