#pragma once

#include "output/printer_setup.h"
#include "platform/picture.h"
#include "report/cacheable.h"

#include <memory>
#include <string>

enum TppFileType : std::uint8_t { ftComma, ftTab, ftFixedLength, ftCustom };
enum TppLanguageType : std::uint8_t { lgDefault, lgCustom };

// Something that produces pages: it owns the printer setup and chooses the
// device that receives the pages. How printing uses these settings belongs
// to the print request; here they are held with their defaults.
class TppProducer : public TppRelative {
public:
    TppProducer();
    ~TppProducer() override;

    TppPrinterSetup &PrinterSetup() { return *m_printerSetup; }
    const TppPrinterSetup &PrinterSetup() const { return *m_printerSetup; }
    // Copies the given setup into the producer's own.
    virtual void SetPrinterSetup(const TppPrinterSetup &setup);

    const std::string &DeviceType() const { return m_deviceType; }
    // Only the name of a registered device kind is taken (any name while a
    // stored definition is read); ignored while a page is generated, as are
    // the other print settings below.
    void SetDeviceType(const std::string &value);
    bool ShowPrintDialog() const { return m_showPrintDialog; }
    void SetShowPrintDialog(bool value)
    {
        if (!m_printing)
            m_showPrintDialog = value;
    }
    bool ShowCancelDialog() const { return m_showCancelDialog; }
    void SetShowCancelDialog(bool value)
    {
        if (!m_printing)
            m_showCancelDialog = value;
    }
    bool ModalPreview() const { return m_modalPreview; }
    void SetModalPreview(bool value)
    {
        if (!m_printing)
            m_modalPreview = value;
    }
    bool ModalCancelDialog() const { return m_modalCancelDialog; }
    void SetModalCancelDialog(bool value)
    {
        if (!m_printing)
            m_modalCancelDialog = value;
    }
    bool AllowPrintToFile() const { return m_allowPrintToFile; }
    void SetAllowPrintToFile(bool value)
    {
        if (!m_printing)
            m_allowPrintToFile = value;
    }
    bool AllowPrintToArchive() const { return m_allowPrintToArchive; }
    void SetAllowPrintToArchive(bool value)
    {
        if (!m_printing)
            m_allowPrintToArchive = value;
    }
    const std::string &ArchiveFileName() const { return m_archiveFileName; }
    void SetArchiveFileName(const std::string &value)
    {
        if (!m_printing)
            m_archiveFileName = value;
    }
    const std::string &TextFileName() const { return m_textFileName; }
    void SetTextFileName(const std::string &value)
    {
        if (!m_printing)
            m_textFileName = value;
    }
    TppFileType TextFileType() const { return m_textFileType; }
    void SetTextFileType(TppFileType value)
    {
        if (!m_printing)
            m_textFileType = value;
    }
    bool SavePrinterSetup() const { return m_savePrinterSetup; }
    void SetSavePrinterSetup(bool value) { m_savePrinterSetup = value; }
    bool ShowAutoSearchDialog() const { return m_showAutoSearchDialog; }
    void SetShowAutoSearchDialog(bool value) { m_showAutoSearchDialog = value; }
    TppLanguageType Language() const { return m_language; }
    void SetLanguage(TppLanguageType value)
    {
        if (!m_printing)
            m_language = value;
    }
    const TppPicture &Icon() const { return m_icon; }
    void SetIcon(const TppPicture &value)
    {
        if (!m_printing)
            m_icon = value;
    }
    bool CachePages() const { return m_cachePages; }
    void SetCachePages(bool value) { m_cachePages = value; }

    // Run-time flags: a print request is under way (from its start to its end),
    // and a page is being generated.
    bool Producing() const { return m_producing; }
    void SetProducing(bool value) { m_producing = value; }
    bool Printing() const { return m_printing; }
    virtual void SetPrinting(bool value) { m_printing = value; }

private:
    // Lets the setup see our reading state without a second base.
    class SetupOwner : public TppPrinterSetupOwner {
    public:
        explicit SetupOwner(const TppProducer &producer) : m_producer(producer) { }
        bool IsLoading() const override { return m_producer.IsReading(); }
        bool IsReading() const override { return m_producer.IsReading(); }

    private:
        const TppProducer &m_producer;
    };

    SetupOwner m_setupOwner{*this};
    std::unique_ptr<TppPrinterSetup> m_printerSetup;
    std::string m_deviceType = "Screen";
    bool m_showPrintDialog = true;
    bool m_showCancelDialog = true;
    bool m_modalPreview = true;
    bool m_modalCancelDialog = true;
    bool m_allowPrintToFile = false;
    bool m_allowPrintToArchive = false;
    std::string m_archiveFileName;
    std::string m_textFileName;
    TppFileType m_textFileType = ftComma;
    bool m_savePrinterSetup = false;
    bool m_showAutoSearchDialog = false;
    TppLanguageType m_language = lgDefault;
    TppPicture m_icon;
    bool m_cachePages = false;
    bool m_producing = false;
    bool m_printing = false;
};
