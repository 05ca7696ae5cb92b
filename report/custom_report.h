#pragma once

#include "report/producer.h"
#include "report/units.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TppBand;
class TppComponent;
class TppCustomEngine;

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
// components), the engine that lays them out, and the unit its lengths are
// shown in. Bands and engine are owned; components are owned by their bands.
class TppCustomReport : public TppProducer {
public:
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

    TppCustomEngine &Engine() const { return *m_engine; }
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
    std::vector<std::unique_ptr<TppBand>> m_bands;
    std::unique_ptr<TppCustomEngine> m_engine;
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
