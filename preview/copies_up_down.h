#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;

// The small up-down control inside the right end of the print dialog's
// copies box: its upper half and the Up key add one copy, its lower half and
// the Down key take one away, within 1 to 999. The number is read from the
// box as typed.
class TppCopiesUpDown : public QWidget
{
    Q_OBJECT

public:
    // Placed inside `edit`'s right end, on the edit's parent.
    explicit TppCopiesUpDown(QLineEdit *edit);

    void StepUp();
    void StepDown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLineEdit *m_edit;
};

// The copies a box asks for: a whole number from 1 to 999, blanks around it
// allowed; none for anything else ("0", "-1", "1000", "abc").
std::optional<int> CopiesInBox(const QString &text);

// Where the arrows step from: the number in the box brought within 1 to 999,
// 1 when it holds none.
int CopiesToStepFrom(const QString &text);
