#pragma once

#include "ui_form1.h"

#include <QWidget>

class Application;

// The main screen: the marks of the elements the calculation takes into
// account, and the way on to the variable-selection and definitions screens.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(Application &application);

    Ui::Form1 ui;

private:
    void applyLook();
    void connectHandlers();

    Application &m_application;
};
