// The style records of EditorStyle.dat as the window holds them: the two
// fonts as FontChoice, the colour dialog's colour and custom colours as
// QColor, and colour values (0x00BBGGRR, or a system colour code with the
// top bit set) as the colours they stand for.
#pragma once

#include <QColor>
#include <QPalette>
#include <array>

#include "document/FontChoice.h"
#include "files/EditorStyleFile.h"

namespace tallyrix {

struct StyleChoices {
    FontChoice editorFont;
    FontChoice commentFont;
    QColor dialogColor;  // invalid until the user has chosen one (stored as black)
    std::array<QColor, CustomColorCount> customColors;

    friend bool operator==(const StyleChoices&, const StyleChoices&) = default;
};

// A system colour code takes the colour of its role in system: the window
// colour is Base, the window-text colour Text, any other the Window role.
QColor ColorFromValue(ColorValue value, const QPalette& system);
// The value of color; usual when it looks the same as usual, so a colour
// left at a system colour stays that system colour.
ColorValue ValueFromColor(const QColor& color, ColorValue usual, const QPalette& system);

StyleChoices ChoicesFromStyle(const EditorStyle& style, const QPalette& system);
// The records of base (the file as read) carrying the choices; a colour
// that looks as base's keeps base's value, a system colour code included.
EditorStyle StyleFromChoices(const StyleChoices& choices, const QPalette& system,
                             EditorStyle base = DesignEditorStyle());

}  // namespace tallyrix
