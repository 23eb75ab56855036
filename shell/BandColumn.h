// The bands of the right panel (result field and toolbars), one below the
// other, each as tall as its rows need at the width it has. A band that
// yields (the registered entries, which may be many) takes what the others
// leave, down to its own minimum, so that it never squeezes a fixed band.
#pragma once

#include <QLayout>
#include <QList>

namespace tallyrix {

class TBandColumn : public QLayout {
public:
    explicit TBandColumn(QWidget* parent = nullptr);
    ~TBandColumn() override;

    void AddBand(QWidget* band, int minimumHeight, bool yields);
    // The least height, margins included, that shows every fixed band whole
    // at this width, the yielding ones at their minimum.
    int MinimumHeightForWidth(int width) const;

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
    struct Band {
        QLayoutItem* item;
        bool yields;
    };
    // The shown bands' heights at this inner width: every one whole, or the
    // yielding ones at their minimum.
    QList<int> Heights(int width, bool yieldingWhole) const;
    int Stacked(const QList<int>& heights) const;  // with the spacing between them
    int WithMargins(int height) const;
    int InnerWidth(int width) const;

    QList<Band> Bands;
};

}  // namespace tallyrix
