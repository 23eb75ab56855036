// Lays widgets out in rows: a row ends after a widget marked to break, or
// where the next widget would no longer fit the width.
#pragma once

#include <QLayout>
#include <QList>

namespace tallyrix {

class WrapLayout : public QLayout {
public:
    explicit WrapLayout(QWidget* parent = nullptr);
    ~WrapLayout() override;

    void AddWidget(QWidget* widget, bool breakAfter);

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
    // Places the items in rect (or only measures); returns the height used.
    int Arrange(const QRect& rect, bool apply) const;
    int WidestRow() const;

    QList<Entry> Entries;
};

}  // namespace tallyrix
