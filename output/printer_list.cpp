#include "output/printer_list.h"

#include "output/printer.h"
#include "platform/print_spooler.h"

#include <sstream>

namespace {

constexpr const char *kDefaultName = "Default";
constexpr const char *kScreenName = "Screen";

std::vector<std::string> SplitPorts(const std::string &ports)
{
    std::vector<std::string> result;
    std::string item;
    for (const char c : ports) {
        if (c == ',' || c == ' ') {
            if (!item.empty())
                result.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty())
        result.push_back(item);
    return result;
}

} // namespace

TppPrinterList &TppPrinterList::Instance()
{
    static TppPrinterList list;
    return list;
}

TppPrinterList::TppPrinterList()
{
    Refresh();
}

TppPrinterList::~TppPrinterList() = default;

void TppPrinterList::Refresh()
{
    {
        std::lock_guard lock(m_measuringPrinterLock);
        m_measuringPrinter.reset();
    }
    m_entries.clear();
    m_entries.push_back(std::make_shared<TppPrinterInfo>(kDefaultName, std::string(), std::string(), std::string(), true));
    m_entries.push_back(std::make_shared<TppScreenPrinterInfo>());
    for (const platform::SpoolerQueue &queue : platform::EnumerateQueues()) {
        std::vector<std::string> ports = SplitPorts(queue.port);
        if (ports.empty())
            ports.emplace_back();
        for (const std::string &port : ports)
            m_entries.push_back(std::make_shared<TppPrinterInfo>(queue.name, queue.name, queue.driver, port, !queue.remote));
    }
    RefreshDefaultPrinterName();
}

int TppPrinterList::Count() const
{
    return static_cast<int>(m_entries.size());
}

std::vector<std::string> TppPrinterList::Names() const
{
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const auto &entry : m_entries)
        names.push_back(entry->Name());
    return names;
}

void TppPrinterList::RefreshDefaultPrinterName()
{
    std::string device = platform::DefaultQueueName();
    if (device.empty())
        device = kScreenName;
    m_defaultPrinterName = kScreenName;
    for (const auto &entry : m_entries) {
        if (entry->Device() == device) {
            m_defaultPrinterName = entry->Name();
            break;
        }
    }
}

std::shared_ptr<const TppPrinterInfo> TppPrinterList::FindExact(const std::string &name) const
{
    for (const auto &entry : m_entries) {
        if (entry->Name() == name)
            return entry;
    }
    return nullptr;
}

std::shared_ptr<const TppPrinterInfo> TppPrinterList::Find(const std::string &name) const
{
    if (auto entry = FindExact(name == kDefaultName ? m_defaultPrinterName : name))
        return entry;

    const std::size_t on = name.find(" on ");
    if (on != std::string::npos) {
        const std::string device = name.substr(0, on);
        for (const auto &entry : m_entries) {
            if (!entry->Device().empty() && entry->Device() == device)
                return entry;
        }
        for (std::size_t i = 1; i < m_entries.size(); ++i) {
            if (m_entries[i]->Device() + " on " + m_entries[i]->Port() == name)
                return m_entries[i];
        }
    }

    if (auto entry = FindExact(m_defaultPrinterName))
        return entry;
    return FindExact(kScreenName);
}

TppPrinter *TppPrinterList::SharedMeasuringPrinter()
{
    std::lock_guard lock(m_measuringPrinterLock);
    if (!m_measuringPrinter && Count() >= 3)
        m_measuringPrinter = std::make_unique<TppPrinter>();
    return m_measuringPrinter.get();
}
