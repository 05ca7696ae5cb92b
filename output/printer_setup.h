#pragma once

#include "output/duplex_type.h"
#include "output/page_def.h"
#include "output/printer_orientation.h"
#include "platform/units.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TppPrinterInfo;
class TppPrinterSetup;

// What a setup needs to know of the component that owns it (a report): while
// the owner's definition is being loaded or read, setters store what they are
// given without side effects (no paper look-up, no notifications).
class TppPrinterSetupOwner
{
public:
    virtual ~TppPrinterSetupOwner() = default;

    virtual bool IsLoading() const = 0;
    virtual bool IsReading() const = 0;
};

using TppPrinterSetupEvent = std::function<void(TppPrinterSetup &sender)>;
// Lets the owner refuse a change of paper size, margins or orientation.
using TppGeometryCheck = std::function<void(TppPrinterSetup &sender, const TppPageDef &proposed, bool &accept)>;
// The printer whose resolution `utPrinterPixels` uses.
using TppPrinterProvider = std::function<const TppResolutionSource *()>;

// Where and how a report prints: printer, paper, margins, orientation, bin,
// copies, collation, duplex and document name. Every report owns one, every
// page carries a copy, every printer object owns one.
class TppPrinterSetup
{
public:
    explicit TppPrinterSetup(const TppPrinterSetupOwner *owner = nullptr);
    TppPrinterSetup(const TppPrinterSetup &) = delete;
    TppPrinterSetup &operator=(const TppPrinterSetup &) = delete;
    ~TppPrinterSetup();

    // Copies every setting (not the owner, the callbacks or the pending
    // stream values) and sends no notification.
    void Assign(const TppPrinterSetup &source);
    // Every setting equal: resolved printer, bin, collation, copies, document
    // name, duplex, orientation and page definition.
    bool SameAs(const TppPrinterSetup &other) const;
    bool SamePrinterAndOrientation(const TppPrinterSetup &other) const;

    // The notification switch; a printer object turns it off while it copies
    // values in. `Active` also requires the owner not to be loading or reading.
    bool Notify() const { return m_notify; }
    void SetNotify(bool notify) { m_notify = notify; }
    bool Active() const;

    const std::string &BinName() const { return m_binName; }
    void SetBinName(const std::string &name);
    bool Collation() const { return m_collation; }
    void SetCollation(bool collation);
    std::int32_t Copies() const { return m_copies; }
    void SetCopies(std::int32_t copies);
    const std::string &DocumentName() const { return m_documentName; }
    void SetDocumentName(const std::string &name);
    TppDuplexType Duplex() const { return m_duplex; }
    void SetDuplex(TppDuplexType duplex);
    TPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation);
    TppUnitType Units() const { return m_units; }
    void SetUnits(TppUnitType units);

    // "Default" is the machine's default printer; "Current" means the same.
    const std::string &PrinterName() const { return m_printerName; }
    void SetPrinterName(const std::string &name);
    // The resolved printer name: `PrinterName`, or the default printer's name.
    std::string PrinterDescription() const;
    // The printer list's entry of `PrinterName`; never null once constructed.
    const TppPrinterInfo *PrinterInfo() const { return m_printerInfo.get(); }

    // Resolves a paper number read from a stream, and "Custom" by size.
    std::string PaperName();
    void SetPaperName(const std::string &name);
    // The Windows paper number of the paper (256 for a custom size).
    std::int16_t PaperNumber();
    // Streamed as `PaperSize`: the number kept until the paper name is asked.
    std::int16_t PaperSize() { return PaperNumber(); }
    void SetPaperSize(std::int16_t number);

    const TppPageDef &PageDef() const { return m_pageDef; }

    // The page definition's integers, streamed under these names.
    std::int32_t mmMarginBottom() const { return m_pageDef.mmMarginBottom; }
    std::int32_t mmMarginLeft() const { return m_pageDef.mmMarginLeft; }
    std::int32_t mmMarginRight() const { return m_pageDef.mmMarginRight; }
    std::int32_t mmMarginTop() const { return m_pageDef.mmMarginTop; }
    std::int32_t mmPaperHeight() const { return m_pageDef.mmHeight; }
    std::int32_t mmPaperWidth() const { return m_pageDef.mmWidth; }
    void SetmmMarginBottom(std::int32_t value);
    void SetmmMarginLeft(std::int32_t value);
    void SetmmMarginRight(std::int32_t value);
    void SetmmMarginTop(std::int32_t value);
    void SetmmPaperHeight(std::int32_t value);
    void SetmmPaperWidth(std::int32_t value);

    // The same lengths in `Units`; negative values are ignored.
    float MarginBottom() const;
    float MarginLeft() const;
    float MarginRight() const;
    float MarginTop() const;
    float PaperHeight() const;
    float PaperWidth() const;
    void SetMarginBottom(float value);
    void SetMarginLeft(float value);
    void SetMarginRight(float value);
    void SetMarginTop(float value);
    void SetPaperHeight(float value);
    void SetPaperWidth(float value);

    // Lists of the current printer, and the names of the printer list.
    std::vector<std::string> BinNames() const;
    std::vector<std::string> PaperNames() const;
    static std::vector<std::string> PrinterNames();

    // Called by the owner once its definition is loaded: paper sizes read
    // before `Units` was known are converted now.
    void Loaded();

    void SetOnGeometryChange(TppPrinterSetupEvent handler) { m_onGeometryChange = std::move(handler); }
    void SetOnSettingsChange(TppPrinterSetupEvent handler) { m_onSettingsChange = std::move(handler); }
    void SetGeometryCheck(TppGeometryCheck check) { m_geometryCheck = std::move(check); }
    void SetPrinterProvider(TppPrinterProvider provider) { m_printerProvider = std::move(provider); }

private:
    const TppResolutionSource *ResolutionPrinter() const;
    float ToUnits(std::int32_t thousandths, TppResolutionAxis axis) const;
    std::int32_t ToThousandths(float value, TppResolutionAxis axis) const;
    bool OwnerReading() const;
    bool OwnerLoading() const;

    bool ProposeGeometry(const TppPageDef &proposed);
    void ChangeGeometry(const TppPageDef &proposed);
    void SettingsChanged();
    void GeometryChanged();

    std::string PaperNameBySize() const;
    int PaperIndex(const std::string &name) const;
    void ResolvePendingPaperNumber();
    void SetPageLength(std::int32_t TppPageDef::*field, std::int32_t value);

    const TppPrinterSetupOwner *m_owner = nullptr;
    bool m_notify = true;
    std::string m_binName = "Default";
    bool m_collation = true;
    std::int32_t m_copies = 1;
    std::string m_documentName;
    TppDuplexType m_duplex = dpNone;
    TPrinterOrientation m_orientation = poPortrait;
    TppPageDef m_pageDef;
    std::string m_paperName = "Custom";
    std::string m_printerName = "Default";
    // Shared with the printer list, so that a refreshed list leaves it valid.
    std::shared_ptr<const TppPrinterInfo> m_printerInfo;
    TppUnitType m_units = utInches;
    std::int16_t m_pendingPaperNumber = 0;
    float m_pendingPaperHeight = 0;
    float m_pendingPaperWidth = 0;

    TppGeometryCheck m_geometryCheck;
    TppPrinterProvider m_printerProvider;
    TppPrinterSetupEvent m_onGeometryChange;
    TppPrinterSetupEvent m_onSettingsChange;
};
