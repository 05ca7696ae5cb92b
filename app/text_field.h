#pragma once

#include <QColor>
#include <QLineEdit>

// A single-line field as the screens use it: it reports clicks, limits only
// what the user types (text set from code is kept whole), and takes the
// window colour while enabled and the menu colour while disabled.
// Setting its text from code runs the change handling through textChanged,
// which Qt emits only for a different text and allows to nest.
class TextField : public QLineEdit {
    Q_OBJECT

public:
    explicit TextField(QWidget *parent = nullptr);

    // At most this many characters can be typed or pasted; 0 means no limit.
    void setTypingLimit(int characters);
    int typingLimit() const { return m_typingLimit; }

    // Background while enabled (the system's window colour unless set).
    void setEnabledColor(const QColor &color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyFieldColor();

    int m_typingLimit = 0;
    QColor m_enabledColor;
    bool m_pressed = false;
};
