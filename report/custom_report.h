#pragma once

#include "output/device_report.h"
#include "output/page.h"
#include "output/page_request.h"
#include "platform/units.h"
#include "report/print_flow.h"
#include "report/producer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TppBand;
class TppComponent;
class TppEngine;
class TppCustomCancelDialog;
class TppCustomPreviewer;
class TppCustomPrintDialog;
class TppPrinter;
class TppPrinterDevice;
class TppPublisher;
class TppStateCache;

namespace platform {
class Canvas;
}

// Band-type codes, as stored with each component and asked of GetBand.
enum TppBandTypeCode : int {
    btHeader = 0,
    btTitle = 1,
    btColumnHeader = 2,
    btGroupHeader = 3,
    btDetail = 4,
    btGroupFooter = 5,
    btColumnFooter = 6,
    btSummary = 7,
    btFooter = 8,
    btPageStyle = 9,
};

// A report: its printer setup, its bands in rank order (each holding its
// components), the engine that lays them out, the publisher that carries the
// pages to the devices, and the unit its lengths are shown in. Bands, engine,
// publisher and the engine's state cache are owned; components are owned by
// their bands.
class TppCustomReport : public TppProducer, public TppDeviceReport {
public:
    using Event = std::function<void(TppCustomReport &sender)>;
    using PageRequestEvent = std::function<void(TppPublisher &sender, const TppPageRequest &request)>;

    TppCustomReport();
    ~TppCustomReport() override;

    TppCustomReport *Report() const override { return const_cast<TppCustomReport *>(this); }
    std::vector<TppRelative *> Children() const override;

    // Attaches a band (the report becomes its owner) and answers it.
    TppBand *AddBand(std::unique_ptr<TppBand> band);
    // Detaches a band of this report and hands it back; null when not ours.
    std::unique_ptr<TppBand> RemoveBand(TppBand *band);
    int BandCount() const { return int(m_bands.size()); }
    // By index from 0; null outside the list.
    TppBand *Bands(int index) const;
    int GroupCount() const { return 0; }
    // The first band of the kind of a band-type code; for group codes (3, 5)
    // the band of group `groupIndex`. None when absent.
    TppBand *GetBand(int bandType, int groupIndex = 0) const;
    // Before printing: a report without bands gets a header, a detail and a
    // footer (and column bands with two or more columns); one without a detail
    // band gets one.
    void CreateDefaultBands();

    TppUnitType Units() const { return m_units; }
    void SetUnits(TppUnitType units);

    // Copies the setup in; a change of paper, margins or orientation re-fits
    // parent-sized components and announces a change.
    void SetPrinterSetup(const TppPrinterSetup &setup) override;

    // A change that can alter the layout: pages handed out are no longer
    // current, and, unless a definition is being read or a print request is
    // under way, the engine starts again from the first page.
    void Changed();

    // True when another object of this report has the user name.
    bool UserNameTaken(const std::string &name, const TppCommunicator *except) const;
    // The first free user name made of `base` and a number from 1.
    std::string FreeUserName(const std::string &base) const;

    TppEngine &Engine() const { return *m_engine; }
    TppPublisher &Publisher() const { return *m_publisher; }
    // The generation states saved at the end of each page.
    TppStateCache &StateCache() const { return *m_stateCache; }

    // Serves a page request of the publisher (its OnPagesNeeded): the engine
    // generates the pages, each handed to PublishPage. Any error other than
    // EPrintError comes out as one ("Cannot generate report.", CR LF CR LF,
    // its message); either way the engine is reset.
    void PagesNeeded(TppPublisher &publisher, const TppPageRequest &request);
    // Hands a page the engine has filled to the publisher.
    void PublishPage(TppPage &page);
    // Stops the running generation at the engine's next check.
    void Cancel() override;
    const TppPrinterSetup &ReportPrinterSetup() const override { return PrinterSetup(); }

    // Prints the report: with DeviceType "Screen" the print preview opens,
    // otherwise the print dialog asks for printer and pages and the pages go
    // to a printer device while the cancel dialog shows progress. Does
    // nothing while no print flow is registered.
    void Print();
    // One job cycle for the devices connected to the publisher.
    void SendPagesToDevices();
    // The windows and the device of the request under way, or null.
    TppCustomPreviewer *PreviewForm() const;
    TppCustomPrintDialog *PrintDialog() const;
    TppCustomCancelDialog *CancelDialog() const;
    TppPrinterDevice *PrinterDevice() const;
    // Where the request under way stands.
    TppRequestPhase RequestPhase() const;

    // The page the print dialog offers as its current page; the viewer sets
    // it before it prints.
    std::int32_t CurrentPage() const { return m_currentPage; }
    void SetCurrentPage(std::int32_t value) { m_currentPage = value; }
    // Handed to every window of its print requests.
    std::int32_t LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(std::int32_t value) { m_languageIndex = value; }

    // Print request events, each with the report as sender.
    Event BeforePrint;
    Event AfterPrint;
    Event OnCancel;
    Event OnCancelDialogCreate;
    Event OnCancelDialogClose;
    Event OnPreviewFormCreate;
    Event OnPreviewFormClose;
    Event OnPrintDialogCreate;
    Event OnPrintDialogClose;
    Event OnPrintingComplete;
    // Cancel was called since the last job start or change.
    bool CancelRequested() const { return m_cancelRequested; }
    void SetCancelRequested(bool value) { m_cancelRequested = value; }
    // Pending window messages are handled after each band the engine prints.
    bool EnableProcessMessages() const { return m_enableProcessMessages; }
    void SetEnableProcessMessages(bool value) { m_enableProcessMessages = value; }

    // Without a data source: end the report once the detail band has printed.
    bool AutoStop() const { return m_autoStop; }
    void SetAutoStop(bool value) { m_autoStop = value; }
    // psTwoPass generates every page once before the requested ones, so that
    // the page count is known.
    TppPassSettingType PassSetting() const { return m_passSetting; }
    void SetPassSetting(TppPassSettingType value) { m_passSetting = value; }
    // Most pages to generate; 0 for no limit.
    std::int32_t PageLimit() const { return m_pageLimit; }
    void SetPageLimit(std::int32_t value) { m_pageLimit = value; }

    // The surface text is measured on: the canvas of a printer kept for the
    // report's printer setup; none (a screen bitmap) when it has no context.
    platform::Canvas *MeasuringCanvas();

    // Generation events, in the order of a page: a pass starts, the page
    // starts, the bands print, the page ends, a pass ends.
    Event OnStartFirstPass;
    Event OnStartSecondPass;
    Event OnStartPage;
    Event OnEndPage;
    Event OnEndFirstPass;
    Event OnEndSecondPass;
    // A page request reached the report, before generation.
    PageRequestEvent OnPageRequest;
    std::int32_t PageNo() const;
    std::int32_t Page() const { return PageNo(); }
    std::int32_t PageCount() const;
    std::int32_t AbsolutePageNo() const;
    std::int32_t AbsolutePage() const { return AbsolutePageNo(); }
    std::int32_t AbsolutePageCount() const;
    bool FirstPass() const;
    bool SecondPass() const;
    bool DonePrinting() const;
    double PrintDateTime() const;

    bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }
    // Pages have been handed to the publisher since the last change.
    bool JobStarted() const { return m_jobStarted; }
    void SetJobStarted(bool value) { m_jobStarted = value; }

    std::int32_t Columns() const { return m_columns; }
    void SetColumns(std::int32_t value);
    std::int32_t mmColumnWidth() const { return m_mmColumnWidth; }
    void SetmmColumnWidth(std::int32_t value);
    float ColumnWidth() const;
    void SetColumnWidth(float value);

    // The format version of the stored definition ("1.0" for a new report).
    const std::string &Version() const { return m_version; }
    void SetVersion(const std::string &value) { m_version = value; }
    const std::string &DataPipelineName() const { return m_dataPipelineName; }
    void SetDataPipelineName(const std::string &value) { m_dataPipelineName = value; }

    // Reading a stored definition: while it runs, setters store what they
    // are given and announce nothing; Loaded finishes the printer setup and
    // converts an older definition.
    void BeginReading();
    void EndReading();
    virtual void Loaded();

    // Re-sorts the band list; the page style leads while a page is generated.
    void SortBands();

protected:
    // Brings a definition of an older format version up to date.
    virtual void ConvertVersion(int versionNumber);

private:
    // The request's flow, made at the first call; null when none is registered.
    TppPrintFlow *Flow();
    // A failed request: the engine starts afresh next time.
    void AbandonGeneration();

    std::vector<std::unique_ptr<TppBand>> m_bands;
    std::unique_ptr<TppStateCache> m_stateCache;
    std::unique_ptr<TppEngine> m_engine;
    std::unique_ptr<TppPublisher> m_publisher;
    // Made by the registered flow at the first request. Declared after the
    // publisher: its windows and devices leave first.
    std::unique_ptr<TppPrintFlow> m_printFlow;
    std::unique_ptr<TppPrinter> m_printer;
    // The setup the measuring printer was made for.
    std::unique_ptr<TppPrinterSetup> m_measuredSetup;
    bool m_cancelRequested = false;
    std::int32_t m_currentPage = 1;
    std::int32_t m_languageIndex = 0;
    bool m_enableProcessMessages = true;
    bool m_autoStop = true;
    TppPassSettingType m_passSetting = psOnePass;
    std::int32_t m_pageLimit = 0;
    TppUnitType m_units = utInches;
    bool m_modified = false;
    bool m_jobStarted = false;
    std::int32_t m_columns = 1;
    std::int32_t m_mmColumnWidth = 0;
    std::string m_version = "1.0";
    std::string m_dataPipelineName;
};

// A report whose layout is made of bands.
class TppBandedReport : public TppCustomReport {
public:
    const char *ClassName() const override { return "TppBandedReport"; }
};
