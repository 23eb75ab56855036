// A toolbar of captioned buttons in rows that wrap, standing in for a
// toolbar in a band container.
#pragma once

#include <QList>
#include <QSize>
#include <QWidget>
#include <functional>
#include <vector>

class QMenu;
class QToolButton;

namespace tallyrix {

class EntryMenu;
class MeasuringButton;
class WrapLayout;

struct BarEntry {
    QString caption;
    QString hint;  // "short|long", as for AddButton
};

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
    // The buttons made so far, in the order of their entries.
    QList<QToolButton*> Buttons() const;
    void SetFlat(bool flat);
    bool Flat() const;
    // A caption wider than pixels is cut with "…" and shown whole in the
    // button's tooltip, so one long caption cannot widen the window; 0 (the
    // start) sets no limit. Applies to the buttons made afterwards.
    void SetCaptionWidthLimit(int pixels);

    // Replaces every button with one per entry, made when it is needed:
    // the first ones at once, the others when their row comes into view or
    // when they are picked from the overflow button's menu, which offers
    // every entry below the rows shown. makeButton wires a new button.
    using ButtonMaker = std::function<void(QToolButton* button, int index)>;
    void SetEntries(QList<BarEntry> entries, ButtonMaker makeButton);
    int EntryCount() const;
    // The entry's button, made now if need be (it stays hidden while its
    // row is out of view).
    QToolButton* EntryButton(int index);
    // The entries not in view: from the first one below the rows shown.
    int FirstHiddenEntry() const;
    QToolButton* OverflowButton() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    friend class EntryItem;
    QToolButton* NewButton(const QString& caption, const QString& hint);
    void Label(QToolButton* button, const QString& caption, const QString& hint) const;
    QString ShownCaption(const QString& caption) const;
    QSize EntrySize(int index) const;
    void PlaceEntry(int index, const QRect& place);
    void MeasureEntries();
    void CreateOverflowButton();

    WrapLayout* Rows;
    QSize ButtonSize;
    bool FlatButtons = true;
    int CaptionWidthLimit = 0;
    // Made buttons by entry (null while not made); AddButton's in order.
    QList<QToolButton*> Made;
    QList<BarEntry> Entries;
    std::vector<QSize> Sizes;
    ButtonMaker MakeButton;
    MeasuringButton* Measure = nullptr;
    QToolButton* Overflow = nullptr;
    EntryMenu* OverflowMenu = nullptr;
};

}  // namespace tallyrix
