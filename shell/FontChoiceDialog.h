// The font dialog: face, size in points, style and colour, as the Windows
// font dialog with effects offers them (Qt's own font dialog has no colour).
#pragma once

#include <QDialog>

#include "document/FontChoice.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tallyrix {

class TFontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontChoiceDialog(const FontChoice& current, QWidget* parent = nullptr);
    FontChoice Choice() const;

private:
    void BuildFaceList(const QString& current);
    void BuildColorList(const QColor& current);
    void BuildSizeList(int pixels);
    int ChosenPixels() const;
    void UpdateSample();

    QComboBox* FaceBox;
    QComboBox* SizeBox;  // points
    QCheckBox* BoldBox;
    QCheckBox* ItalicBox;
    QCheckBox* UnderlineBox;
    QCheckBox* StrikeOutBox;
    QComboBox* ColorBox;
    QLabel* Sample;
};

}  // namespace tallyrix
