#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;

// The small up-down control inside the right end of the print dialog's
// copies box: its upper half adds one copy, its lower half takes one away,
// within 1 to 999. The number is read from the box as typed.
class TppCopiesUpDown : public QWidget
{
    Q_OBJECT

public:
    // Placed inside `edit`'s right end, on the edit's parent.
    explicit TppCopiesUpDown(QLineEdit *edit);

    void StepUp();
    void StepDown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLineEdit *m_edit;
};

// How the arrows, the leaving of the box and OK all read a copies box: a
// whole number, at least one; none when the text holds no number.
std::optional<int> CopiesInBox(const QString &text);

// The number in a copies box, 1 when it holds none.
int CopiesInText(const QString &text);

// The copies OK takes from the box; a text without a number is refused with
// the standard conversion message.
int ReadCopies(const QString &text);
