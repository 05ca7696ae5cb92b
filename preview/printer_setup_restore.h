#pragma once

#include "output/printer_setup.h"

class TppCustomReport;

// Keeps a copy of a report's printer setup and, once armed (the job's setup
// has been given to the report), puts the copy back when it goes out of
// scope, on every path out of a job, unless the report keeps the setup
// chosen for the job.
class TppPrinterSetupRestore {
public:
    explicit TppPrinterSetupRestore(TppCustomReport &report);
    ~TppPrinterSetupRestore();
    TppPrinterSetupRestore(const TppPrinterSetupRestore &) = delete;
    TppPrinterSetupRestore &operator=(const TppPrinterSetupRestore &) = delete;

    void Arm() { m_armed = true; }

private:
    TppCustomReport &m_report;
    TppPrinterSetup m_copy;
    bool m_armed = false;
};
