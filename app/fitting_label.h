#pragma once

#include <QLabel>

// A one-line value label that keeps its text inside its box, whatever its
// length: a text too wide for the box is drawn in a smaller font, down to a
// floor that stays legible, and below that shortened in the middle, so that
// its first digits and its exponent both show. The text itself stays whole
// (text(), the tooltip); only the drawing adapts.
class FittingLabel : public QLabel {
    Q_OBJECT

public:
    explicit FittingLabel(QWidget *parent = nullptr);

    // The font and text the label draws within its current box.
    QFont drawnFont() const;
    QString drawnText() const;

    static constexpr int kSmallestPixelSize = 8;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    int room() const;
};
