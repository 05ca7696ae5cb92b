#pragma once

#include "output/component_base.h"
#include "output/page_def.h"
#include "output/printer_setup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TppDrawCommand;
class TppDrawTarget;
class TppCustomReport;

enum TppPassSettingType : std::uint8_t { psOnePass, psTwoPass };

// One generated page: a header (numbers, state flags, a copy of the printer
// setup) and the ordered draw commands, which are also the drawing order.
// The page owns its commands and its printer setup, never its report.
class TppPage : public TppComponentBase {
public:
    TppPage();
    ~TppPage() override;

    const char *ClassName() const override { return "TppPage"; }

    // Deep copy of a page: header fields, report reference, printer setup and
    // new commands of the same classes. Anything but a page is refused with
    // EAssignError.
    void Assign(const TppComponentBase *source);
    void Assign(const TppPage &source) { Assign(static_cast<const TppComponentBase *>(&source)); }

    // Frees every command and empties (keeps) the clickable and page-total lists.
    void ClearDrawCommands();
    // Clears the commands and the header, except FirstPage, PassSetting,
    // PrintDateTime and the printer setup.
    void ResetPage();

    // Attaches a command at the end (the page becomes its owner) and answers it.
    TppDrawCommand *AddDrawCommand(std::unique_ptr<TppDrawCommand> command);
    // Detaches a command of this page and hands it back; null for a command the
    // page does not hold.
    std::unique_ptr<TppDrawCommand> RemoveDrawCommand(TppDrawCommand *command);

    int DrawCommandCount() const { return int(m_commands.size()); }
    TppDrawCommand *DrawCommands(int index) const;

    int ClickableCount() const { return m_clickable ? int(m_clickable->size()) : 0; }
    // Null when there is no clickable list or the index is outside it.
    TppDrawCommand *ClickableCommands(int index) const;
    bool HasClickableList() const { return bool(m_clickable); }
    bool HasPageTotalsCommands() const { return bool(m_pageTotals); }

    // Lets every page-total command update its text; those that changed are
    // redrawn on `device` when one is given.
    void RefreshPageTotals(TppDrawTarget *device);

    // "Page 3 of 5" and "Page 3", from the library texts.
    std::string PageCaption() const;
    std::string PageNoCaption() const;

    std::int32_t AbsolutePageNo() const { return m_absolutePageNo; }
    void SetAbsolutePageNo(std::int32_t value) { m_absolutePageNo = value; }
    std::int32_t AbsolutePageCount() const { return m_absolutePageCount; }
    void SetAbsolutePageCount(std::int32_t value) { m_absolutePageCount = value; }
    bool Calculation() const { return m_calculation; }
    void SetCalculation(bool value) { m_calculation = value; }
    std::int32_t ControlGroupBreakNo() const { return m_controlGroupBreakNo; }
    void SetControlGroupBreakNo(std::int32_t value) { m_controlGroupBreakNo = value; }
    const std::string &DocumentName() const { return m_documentName; }
    void SetDocumentName(std::string value) { m_documentName = std::move(value); }
    bool Final() const { return m_final; }
    void SetFinal(bool value) { m_final = value; }
    bool FirstPage() const { return m_firstPage; }
    void SetFirstPage(bool value) { m_firstPage = value; }
    std::int32_t LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(std::int32_t value) { m_languageIndex = value; }
    bool LastPage() const { return m_lastPage; }
    void SetLastPage(bool value) { m_lastPage = value; }
    std::int32_t PageNo() const { return m_pageNo; }
    void SetPageNo(std::int32_t value) { m_pageNo = value; }
    std::int32_t PageCount() const { return m_pageCount; }
    void SetPageCount(std::int32_t value) { m_pageCount = value; }
    TppPassSettingType PassSetting() const { return m_passSetting; }
    void SetPassSetting(TppPassSettingType value) { m_passSetting = value; }
    // Days since 30 December 1899, fraction for the time of day.
    double PrintDateTime() const { return m_printDateTime; }
    void SetPrintDateTime(double value) { m_printDateTime = value; }

    TppPrinterSetup &PrinterSetup() { return *m_printerSetup; }
    const TppPrinterSetup &PrinterSetup() const { return *m_printerSetup; }
    // Copies the given setup into the page's own; null is ignored.
    void SetPrinterSetup(const TppPrinterSetup *setup);
    const TppPageDef &PageDef() const;

    // The report that produced the page; not owned.
    TppCustomReport *Report() const { return m_report; }
    void SetReport(TppCustomReport *report) { m_report = report; }

private:
    void Attach(TppDrawCommand *command);
    void Detach(TppDrawCommand *command);

    std::int32_t m_absolutePageNo = 0;
    std::int32_t m_absolutePageCount = 0;
    bool m_calculation = false;
    std::unique_ptr<std::vector<TppDrawCommand *>> m_clickable;
    std::int32_t m_controlGroupBreakNo = 0;
    std::string m_documentName;
    std::vector<std::unique_ptr<TppDrawCommand>> m_commands;
    bool m_final = false;
    bool m_firstPage = false;
    std::int32_t m_languageIndex = 0;
    bool m_lastPage = false;
    std::int32_t m_pageNo = 0;
    std::int32_t m_pageCount = 0;
    TppPassSettingType m_passSetting = psOnePass;
    double m_printDateTime = 0;
    std::unique_ptr<TppPrinterSetup> m_printerSetup;
    std::unique_ptr<std::vector<TppDrawCommand *>> m_pageTotals;
    TppCustomReport *m_report = nullptr;
};
