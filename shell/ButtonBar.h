// A toolbar of captioned buttons in rows that wrap, standing in for a
// toolbar in a band container.
#pragma once

#include <QList>
#include <QSize>
#include <QWidget>

class QToolButton;

namespace tallyrix {

class WrapLayout;

class TButtonBar : public QWidget {
    Q_OBJECT
public:
    // An invalid buttonSize lets each button take the size its caption needs.
    TButtonBar(const QString& name, QSize buttonSize, QWidget* parent = nullptr);

    // breakAfter ends the row after this button.
    QToolButton* AddButton(const QString& caption, const QString& hint, bool breakAfter = false);
    // Destroys every button.
    void RemoveButtons();
    // Between these two, buttons come and go without the rows being worked
    // out again for each one: 65,000 buttons take a moment, not minutes.
    void BeginUpdate();
    void EndUpdate();
    QList<QToolButton*> Buttons() const;
    void SetFlat(bool flat);
    bool Flat() const;

private:
    WrapLayout* Rows;
    QSize ButtonSize;
    bool FlatButtons = true;
};

}  // namespace tallyrix
