// A status panel of fixed width: a text wider than the panel is cut at a
// character boundary with "…", and the whole text shows as its tooltip.
#pragma once

#include <QLabel>

namespace tallyrix {

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget* parent = nullptr);
    // What the panel shows of text() at its present width.
    QString ShownText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tallyrix
