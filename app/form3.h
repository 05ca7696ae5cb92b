#pragma once

#include "calc/sample_size.h"
#include "ui_form3.h"

#include <QDialog>

#include <memory>

class Form4;
class ScenariosWindow;
class TppReport;

// The results screen: the sample size and the data it came from, row by row,
// each with a check mark when the user gave the value; beside them a free
// note for the printed sheet. The calculation run fills it and shows it
// modally; closing it only hides it, so the note stays for the next time.
class Form3 : public QDialog {
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);
    ~Form3() override;

    // The definitions screen that "Definiciones" opens; the application
    // creates both windows and owns them.
    void setDefinitions(Form4 *form4);

    // The printable results sheet; its rows follow the screen's at every
    // calculation. Read from its definition on first use, which asks the
    // spooler for its printers: that stays off the program's start-up.
    TppReport &ppReport1();

    // The calculation the screen shows, for the scenarios window that
    // "Escenarios" opens; made on first use.
    void setCalculation(const SampleSizeParams &record) { m_calculation = record; }
    ScenariosWindow &scenarios();

    Ui::Form3 ui;

private:
    void applyLook();
    void connectHandlers();
    void showDefinitions();
    void printSheet();
    void showScenarios();

    Form4 *m_definitions = nullptr;
    std::unique_ptr<TppReport> m_sheet;
    SampleSizeParams m_calculation;
    std::unique_ptr<ScenariosWindow> m_scenarios;
};
