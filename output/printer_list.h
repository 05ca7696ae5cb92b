#pragma once

#include "output/printer_info.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TppPrinter;

// The printers of the machine: "Default" first, "Screen" second, then every
// spooler queue. One list exists per process, built on first use.
class TppPrinterList
{
public:
    static TppPrinterList &Instance();

    TppPrinterList(const TppPrinterList &) = delete;
    TppPrinterList &operator=(const TppPrinterList &) = delete;
    ~TppPrinterList();

    // Reads the queues again; frees the shared measuring printer. Entries
    // already handed out stay valid for their holders.
    void Refresh();

    int Count() const;
    std::vector<std::string> Names() const;

    // The entry of a name; "Default" is the default printer, a printer
    // described as "<device> on <port>" is found too, and any other unknown
    // name gives the default printer's entry.
    std::shared_ptr<const TppPrinterInfo> Find(const std::string &name) const;

    // The spooler's default queue, or "Screen" when there is none.
    const std::string &DefaultPrinterName() const { return m_defaultPrinterName; }
    void RefreshDefaultPrinterName();

    // One printer per process for measuring text when no report printer is
    // at hand; created on first request, and only when a real printer exists.
    TppPrinter *SharedMeasuringPrinter();

private:
    TppPrinterList();
    std::shared_ptr<const TppPrinterInfo> FindExact(const std::string &name) const;

    std::vector<std::shared_ptr<const TppPrinterInfo>> m_entries;
    std::string m_defaultPrinterName = "Screen";
    std::mutex m_measuringPrinterLock;
    std::unique_ptr<TppPrinter> m_measuringPrinter;
};
