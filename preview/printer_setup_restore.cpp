#include "preview/printer_setup_restore.h"

#include "report/custom_report.h"

TppPrinterSetupRestore::TppPrinterSetupRestore(TppCustomReport &report)
    : m_report(report)
{
    m_copy.Assign(report.PrinterSetup());
}

TppPrinterSetupRestore::~TppPrinterSetupRestore()
{
    if (!m_armed || m_report.SavePrinterSetup())
        return;
    // Assigning a setup the report had a moment ago cannot meet anything
    // new; should it fail all the same, the error that ends the job is the
    // one the user needs to hear.
    try {
        m_report.SetPrinterSetup(m_copy);
    } catch (...) {
    }
}
