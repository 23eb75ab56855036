// Lays widgets out in rows: a row ends after a widget marked to break, or
// where the next widget would no longer fit the width. With an overflow
// button, rows below the layout's height are not shown: their items get an
// empty geometry, and the button, at the right end of the last row shown,
// stands for them.
#pragma once

#include <QLayout>
#include <QList>
#include <climits>

namespace tallyrix {

class WrapLayout : public QLayout {
public:
    explicit WrapLayout(QWidget* parent = nullptr);
    ~WrapLayout() override;

    void AddWidget(QWidget* widget, bool breakAfter);
    void SetOverflowButton(QWidget* button);
    // The items in view after the latest placement: all of them, or the
    // first ones up to the first that did not fit.
    int ShownCount() const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry {
        QLayoutItem* item;
        bool breakAfter;
    };
    struct Placement {
        int height = 0;      // used, margins included
        int shown = 0;       // items up to the first one below the limit
        int lastRowTop = 0;  // of the last row shown
    };
    // Places the items in rect (or only measures); an item reaching below
    // bottomLimit, and every item after it, is out of view.
    Placement Arrange(const QRect& rect, bool apply, int bottomLimit = INT_MAX) const;
    void ArrangeWithOverflow(const QRect& rect);
    int WidestRow() const;

    QList<Entry> Entries;
    QWidget* Overflow = nullptr;
    int Shown = 0;
};

}  // namespace tallyrix
