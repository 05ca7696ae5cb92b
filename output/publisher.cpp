#include "output/publisher.h"

#include "output/device.h"
#include "output/integer_text.h"
#include "output/page.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace {

void Erase(std::vector<TppDevice *> &list, const TppDevice *device)
{
    const auto it = std::find(list.begin(), list.end(), device);
    if (it != list.end())
        list.erase(it);
}

bool Holds(const std::vector<TppDevice *> &list, const TppDevice *device)
{
    return std::find(list.begin(), list.end(), device) != list.end();
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

TppPublisher::TppPublisher() = default;

TppPublisher::~TppPublisher()
{
    // One at a time from the live list: a device told here may destroy or
    // disconnect others from its event handler.
    while (!m_linked.empty()) {
        TppDevice *device = m_linked.back();
        RemoveDevice(*device);
        device->PublisherDestroyed();
    }
}

bool TppPublisher::AddDevice(TppDevice &device)
{
    if (Holds(m_linked, &device))
        return false;
    if (device.ExclusiveInGroup()) {
        std::vector<TppDevice *> &group = m_deviceGroups[device.GroupName()];
        if (!group.empty())
            Erase(m_devices, group.front());
        group.insert(group.begin(), &device);
    }
    m_devices.push_back(&device);
    m_linked.push_back(&device);
    return true;
}

void TppPublisher::RemoveDevice(TppDevice &device)
{
    Erase(m_devices, &device);
    if (device.ExclusiveInGroup()) {
        const auto groupIt = m_deviceGroups.find(device.GroupName());
        if (groupIt != m_deviceGroups.end()) {
            std::vector<TppDevice *> &group = groupIt->second;
            const auto member = std::find(group.begin(), group.end(), &device);
            if (member != group.end()) {
                const bool wasServed = member == group.begin();
                group.erase(member);
                if (wasServed && !group.empty())
                    m_devices.push_back(group.front());
            }
        }
    }
    Erase(m_linked, &device);
}

std::vector<TppDevice *> TppPublisher::DeviceGroup(const std::string &groupName) const
{
    const auto it = m_deviceGroups.find(groupName);
    return it == m_deviceGroups.end() ? std::vector<TppDevice *>() : it->second;
}

bool TppPublisher::IsServed(const TppDevice *device) const
{
    return Holds(m_devices, device);
}

// Runs `step` on the enabled devices, in Devices order. The list is copied
// first and a device that has left it meanwhile is skipped, since a step may
// connect, disconnect or destroy devices.
template <typename Step> void TppPublisher::ForEachEnabledDevice(bool onlyWanting, Step step)
{
    const std::vector<TppDevice *> devices = m_devices;
    for (TppDevice *device : devices) {
        if (!IsServed(device) || !device->Enabled())
            continue;
        if (onlyWanting && !device->WantsPages())
            continue;
        step(*device);
    }
}

void TppPublisher::OpenJob()
{
    ForEachEnabledDevice(false, [](TppDevice &device) { device.OpenJob(); });
}

void TppPublisher::MergeDeviceRequest(const TppDevice &device)
{
    m_requestSatisfied = false;
    if (m_requestResetPending) {
        m_requestResetPending = false;
        m_request.Assign(device.PageRequest());
    } else if (m_request.PageSetting() != psAll) {
        m_request.MergeWith(device.PageRequest());
    }
}

void TppPublisher::RequestPages()
{
    // A request made from OnPageRequestDue, while the requests are being
    // collected, leaves the production to the request that is collecting.
    const bool nested = m_collectingRequests;
    m_collectingRequests = true;
    m_requestResetPending = true;
    try {
        ForEachEnabledDevice(true, [this](TppDevice &device) {
            if (device.OnPageRequestDue)
                device.OnPageRequestDue(device);
            MergeDeviceRequest(device);
        });
    } catch (...) {
        m_collectingRequests = nested;
        throw;
    }
    m_collectingRequests = nested;
    m_requestOpen = true;
    if (m_collectingRequests || m_requestSatisfied)
        return;
    m_requestSatisfied = ServeFromCache();
    if (!m_requestSatisfied && OnPagesNeeded)
        OnPagesNeeded(*this, m_request);
}

void TppPublisher::PublishPage(TppPage &page)
{
    if (m_cachePages && !m_servingFromCache && page.Final() && !page.Calculation())
        m_pageCache.Store(page);
    DeliverPage(page);
    m_requestSatisfied = m_request.CompletedBy(page);
    if (!m_lastPageKnown && page.LastPage()) {
        m_lastPageKnown = true;
        m_lastPageNo = page.AbsolutePageNo();
    }
}

void TppPublisher::DeliverPage(TppPage &page)
{
    ForEachEnabledDevice(true, [&page](TppDevice &device) { device.AcceptPage(page); });
}

void TppPublisher::CloseJob()
{
    m_requestOpen = false;
    ForEachEnabledDevice(false, [](TppDevice &device) { device.CloseJob(); });
    m_requestResetPending = true;
    m_request.Clear();
}

void TppPublisher::AbandonJob()
{
    // Every open job, also of a device that had all its pages: a device
    // that had them may still owe copies, or a document not yet delivered.
    m_requestOpen = false;
    ForEachEnabledDevice(false, [](TppDevice &device) {
        if (device.JobOpen())
            device.AbandonJob();
    });
    m_requestResetPending = true;
    m_request.Clear();
}

void TppPublisher::ResetDevices()
{
    ForEachEnabledDevice(false, [](TppDevice &device) { device.ResetDevice(); });
}

void TppPublisher::ResetCache()
{
    m_lastPageKnown = false;
    m_lastPageNo = 0;
    m_requestSatisfied = false;
    m_pageCache.Clear();
}

void TppPublisher::ResetAll()
{
    ResetCache();
    m_requestResetPending = true;
    m_request.Clear();
}

std::string TppPublisher::StatusText() const
{
    for (const TppDevice *device : m_devices) {
        if (!device->StatusText().empty())
            return device->StatusText();
    }
    return {};
}

void TppPublisher::SetStatusText(const std::string &text)
{
    const std::vector<TppDevice *> devices = m_devices;
    for (TppDevice *device : devices) {
        if (IsServed(device))
            device->SetStatusText(text);
    }
}

std::string TppPublisher::PageCacheKey(std::int32_t absolutePageNo)
{
    return TppPublisherPageCache::Key(absolutePageNo);
}

// Shared, so that a page being served outlives a cache reset made by a device
// while the page is delivered.
std::shared_ptr<TppPage> TppPublisher::CachedCopy(std::int32_t absolutePageNo) const
{
    return m_pageCache.Find(absolutePageNo);
}

TppPage *TppPublisher::CachedPage(std::int32_t absolutePageNo) const
{
    return CachedCopy(absolutePageNo).get();
}

bool TppPublisher::ServeFromCache()
{
    if (!m_cachePages)
        return false;
    m_servingFromCache = true;
    bool satisfied = false;
    try {
        satisfied = ServeSettingFromCache();
    } catch (...) {
        m_servingFromCache = false;
        throw;
    }
    m_servingFromCache = false;
    return satisfied;
}

bool TppPublisher::ServeSettingFromCache()
{
    switch (m_request.PageSetting()) {
    case psAll:
        return ServeAllFromCache();
    case psPageList:
        return ServePageListFromCache();
    case psSinglePage:
        return ServeCachedPage(m_request.PageRequested());
    case psFirstPage:
        return ServeCachedPage(1);
    case psLastPage:
        return m_lastPageKnown && ServeCachedPage(m_lastPageNo);
    case psPageRange:
        break;
    }
    return false;
}

bool TppPublisher::ServeCachedPage(std::int32_t absolutePageNo)
{
    const std::shared_ptr<TppPage> page = CachedCopy(absolutePageNo);
    if (!page)
        return false;
    PublishPage(*page);
    return true;
}

bool TppPublisher::ServeAllFromCache()
{
    if (!m_lastPageKnown || m_pageCache.Empty())
        return false;
    const std::shared_ptr<TppPage> first = CachedCopy(1);
    if (!first)
        return false;
    const std::int32_t pageCount = first->AbsolutePageCount();
    if (CachedPageCount() != pageCount)
        return false;
    // Looked up one by one: a device may reset the cache while a page is
    // delivered, and then the rest must be produced afresh.
    for (std::int32_t pageNo = 1; pageNo <= pageCount; ++pageNo) {
        if (!ServeCachedPage(pageNo))
            return false;
    }
    return true;
}

bool TppPublisher::ServePageListFromCache()
{
    bool satisfied = true;
    std::size_t index = 0;
    // Publishing also takes the page's line off the request's list, so the
    // list is read afresh on every step.
    while (index < m_request.PageList().size()) {
        const std::optional<std::int32_t> pageNo = ReadInteger(m_request.PageList()[index]);
        const std::shared_ptr<TppPage> page = pageNo ? CachedCopy(*pageNo) : nullptr;
        if (!page) {
            satisfied = false;
            ++index;
            continue;
        }
        m_request.DeletePageListLine(index);
        PublishPage(*page);
    }
    return satisfied;
}

bool TppPublisher::HasOnlyScreenDevices() const
{
    return std::all_of(m_devices.begin(), m_devices.end(), [](const TppDevice *device) {
        return SameTextIgnoringCase(device->ClassName(), "TppScreenDevice");
    });
}
