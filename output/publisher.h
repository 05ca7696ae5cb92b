#pragma once

#include "output/component_base.h"
#include "output/page_request.h"
#include "output/publisher_page_cache.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TppDevice;
class TppPage;

// Carries pages from their producer (a report's engine) to the connected
// devices. A job opens on every device, the devices' page requests are merged
// into one, the publisher serves what it can from its page cache and asks its
// owner for the rest through OnPagesNeeded; each page produced comes back
// through PublishPage and is offered to every device that still wants pages.
// The publisher never owns its devices: it forgets a device that is destroyed
// and tells its devices when it is destroyed itself.
class TppPublisher : public TppComponentBase {
public:
    using PagesNeeded = std::function<void(TppPublisher &sender, const TppPageRequest &request)>;

    TppPublisher();
    ~TppPublisher() override;

    const char *ClassName() const override { return "TppPublisher"; }

    // Asks the owner to produce the pages of Request, each handed back through
    // PublishPage; an unassigned event is skipped.
    PagesNeeded OnPagesNeeded;
    // Lets the owner's loop in between pieces of a device's work that take
    // long (a copy of a page); unassigned, nothing is let in.
    std::function<void()> OnYield;
    void Yield() const
    {
        if (OnYield)
            OnYield();
    }

    std::int32_t LastPageNo() const { return m_lastPageNo; }
    bool CachePages() const { return m_cachePages; }
    void SetCachePages(bool value) { m_cachePages = value; }

    // The connected devices that are served, in connection order.
    const std::vector<TppDevice *> &Devices() const { return m_devices; }
    // The members of an exclusive group, latest first; empty for an unknown
    // group.
    std::vector<TppDevice *> DeviceGroup(const std::string &groupName) const;

    const TppPageRequest &Request() const { return m_request; }
    bool RequestResetPending() const { return m_requestResetPending; }
    bool RequestSatisfied() const { return m_requestSatisfied; }
    bool ServingFromCache() const { return m_servingFromCache; }
    bool LastPageKnown() const { return m_lastPageKnown; }
    bool CollectingRequests() const { return m_collectingRequests; }
    bool RequestOpen() const { return m_requestOpen; }

    void OpenJob();
    // Merges the requests of the devices that still want pages, then serves
    // them from the cache or through OnPagesNeeded.
    void RequestPages();
    // Caches a final page (when caching), offers it to the devices and notes
    // whether the request is complete and which page is the last.
    void PublishPage(TppPage &page);
    // The job's end: its devices finish (CloseJob) or abandon (AbandonJob)
    // their jobs; either way the request is over.
    void CloseJob();
    void AbandonJob();
    void ResetDevices();
    // Forgets every cached page and what is known of the last page.
    void ResetCache();
    // ResetCache, and the next merged request starts afresh.
    void ResetAll();

    // The first non-empty status line of the devices; empty when none.
    std::string StatusText() const;
    // Sets the line on every connected device.
    void SetStatusText(const std::string &text);

    // The cached copy of a page, or null.
    TppPage *CachedPage(std::int32_t absolutePageNo) const;
    int CachedPageCount() const { return m_pageCache.Count(); }
    // The cache key of a page: its number right-aligned in eight characters,
    // so that the keys sort as the numbers do.
    static std::string PageCacheKey(std::int32_t absolutePageNo);

    // True when every served device is exactly a screen device (also when
    // there are none).
    bool HasOnlyScreenDevices() const;

private:
    friend class TppDevice;

    // Used by TppDevice::SetPublisher and the device's destructor.
    bool AddDevice(TppDevice &device);
    void RemoveDevice(TppDevice &device);

    bool IsServed(const TppDevice *device) const;
    template <typename Step> void ForEachEnabledDevice(bool onlyWanting, Step step);
    void MergeDeviceRequest(const TppDevice &device);
    void DeliverPage(TppPage &page);
    bool ServeFromCache();
    bool ServeSettingFromCache();
    bool ServeAllFromCache();
    bool ServePageListFromCache();
    bool ServeCachedPage(std::int32_t absolutePageNo);
    std::shared_ptr<TppPage> CachedCopy(std::int32_t absolutePageNo) const;

    std::int32_t m_lastPageNo = 0;
    bool m_cachePages = false;
    std::vector<TppDevice *> m_devices;
    bool m_requestResetPending = false;
    std::map<std::string, std::vector<TppDevice *>> m_deviceGroups;
    // Reading a copy applies its pending count raises, which changes nothing
    // a reader could tell from raising every copy when a page is stored.
    mutable TppPublisherPageCache m_pageCache;
    TppPageRequest m_request;
    bool m_requestSatisfied = false;
    bool m_servingFromCache = false;
    bool m_lastPageKnown = false;
    bool m_collectingRequests = false;
    bool m_requestOpen = false;
    // Every connected device, served or waiting in a group: the ones to tell
    // when the publisher is destroyed.
    std::vector<TppDevice *> m_linked;
};
