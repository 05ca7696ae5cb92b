#pragma once

#include "ui_form4.h"

#include <QDialog>

// The definitions screen: fixed explanations of the terms of the calculation
// with three formula pictures. It is opened modally from the other screens
// and changes nothing; "Salir" closes it.
class Form4 : public QDialog {
    Q_OBJECT

public:
    explicit Form4(QWidget *parent = nullptr);

    Ui::Form4 ui;

private:
    void applyLook();
    void fillTexts();
    void placeAlpha();
};
