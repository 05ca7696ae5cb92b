#pragma once

#include "output/component_base.h"
#include "output/device_class.h"
#include "output/draw_target.h"
#include "output/page_request.h"

#include <cstdint>
#include <functional>
#include <string>

class TppPage;
class TppPublisher;
class TppStatusWindow;

// What discarding a job left of it at the print server.
enum class TppDiscardOutcome {
    NothingDelivered, // nothing of the job had reached the server
    Withdrawn,        // the server still held it and withdrew it
    AlreadyPrinted,   // too late: the server had passed it on to the printer
};

// Base of every output device. A device connects to a report's publisher,
// says through its page request which pages it wants, and is offered every
// page the publisher publishes while a job is open; subclasses draw the
// pages they accept. The device and its publisher refer to each other without
// owning; whichever is destroyed first tells the other.
class TppDevice : public TppComponentBase, public TppDrawTarget {
public:
    using Notify = std::function<void(TppDevice &sender)>;
    using PageNotify = std::function<void(TppDevice &sender, TppPage &page)>;

    TppDevice();
    ~TppDevice() override;

    // Every device class has its own descriptor: a subclass declares its
    // StaticClass() (a function-local static TppDeviceClass naming its base's)
    // and answers it from Class().
    static const TppDeviceClass &StaticClass();
    virtual const TppDeviceClass &Class() const { return StaticClass(); }
    const char *ClassName() const override;
    const char *DeviceTypeName() const { return Class().DeviceTypeName(); }

    // Events; an unassigned one is skipped.
    Notify OnJobAbandoned;
    Notify OnPageRequestDue; // just before the request is merged into the publisher's
    PageNotify OnPageArrived; // every page offered to the device
    Notify OnJobOpened;
    Notify OnJobClosed;
    Notify OnPublisherChanged; // on every Publisher change, and when the publisher dies

    bool Enabled() const { return m_enabled; }
    // Ignored while a job is open.
    void SetEnabled(bool value);

    bool JobOpen() const { return m_jobOpen; }
    bool JobAbandoned() const { return m_jobAbandoned; }
    bool SuppressPage() const { return m_suppressPage; }
    bool PageWanted() const { return m_pageWanted; }
    bool WantsPages() const { return m_wantsPages; }

    TppStatusWindow *StatusWindow() const { return m_statusWindow; }
    void SetStatusWindow(TppStatusWindow *window) { m_statusWindow = window; }

    std::int32_t LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(std::int32_t value) { m_languageIndex = value; }

    TppPageRequest &PageRequest() { return m_pageRequest; }
    const TppPageRequest &PageRequest() const { return m_pageRequest; }
    void SetPageRequest(const TppPageRequest &request) { m_pageRequest.Assign(request); }

    TppPublisher *Publisher() const { return m_publisher; }
    // Disconnects from the current publisher, connects to the new one (none
    // for null) and raises OnPublisherChanged.
    void SetPublisher(TppPublisher *publisher);

    bool ExclusiveInGroup() const { return m_exclusiveInGroup; }
    // Both take effect only while the device has no publisher and no open job.
    virtual void SetExclusiveInGroup(bool value);
    const std::string &GroupName() const { return m_groupName; }
    virtual void SetGroupName(const std::string &name);

    const std::string &StatusText() const { return m_statusText; }
    virtual void SetStatusText(const std::string &text);

    // Runs a whole job for this device's request on its publisher (all enabled
    // devices take part): open, request, and close even when an error escapes.
    void RequestPages();

    // Draws the commands of the page in order, skipping those that start
    // beyond the paper's right or bottom edge.
    void DrawPageCommands(TppPage &page);

    // Ending a job: three words, one meaning each.
    // - Finish (CloseJob): everything the job made is delivered.
    // - Abandon (AbandonJob): the job stops where it is and delivers nothing
    //   more; only what had already reached the print server stays there.
    // - Discard (DiscardJob): nothing of the job is kept: it is abandoned, and
    //   what had reached the print server is withdrawn while the server still
    //   holds it. This is what the user's Cancel asks for.
    // A job ends once: after any of them the others do nothing until the next
    // OpenJob.
    virtual void CloseJob();
    virtual void AbandonJob();
    // Says what became of what had reached the print server; a withdrawal
    // the server refused is a printer error.
    virtual TppDiscardOutcome DiscardJob()
    {
        AbandonJob();
        return TppDiscardOutcome::NothingDelivered;
    }
    bool RenderCommand(TppDrawCommand &command) override;
    bool RefreshText(TppDrawCommand &command) override;
    // Whether pages that are not final are left undrawn.
    virtual bool IgnoresNonFinalPages() const { return true; }
    // Decides whether the page is wanted and may be drawn (PageWanted,
    // SuppressPage) and whether the request is now complete. Subclasses call
    // this first and draw when JobOpen && PageWanted && !SuppressPage.
    virtual void AcceptPage(TppPage &page);
    virtual void ResetDevice();
    virtual void OpenJob();

protected:
    void SetSuppressPage(bool value) { m_suppressPage = value; }
    void SetPageWanted(bool value) { m_pageWanted = value; }
    void SetWantsPages(bool value) { m_wantsPages = value; }

    // The publisher is being destroyed: forget it and raise
    // OnPublisherChanged. Subclasses that hold on to the publisher's report
    // let go of it first.
    virtual void PublisherDestroyed();

private:
    friend class TppPublisher;

    static void Raise(const Notify &event, TppDevice &sender);

    bool m_enabled = true;
    bool m_jobOpen = false;
    bool m_jobAbandoned = false;
    TppStatusWindow *m_statusWindow = nullptr;
    bool m_suppressPage = false;
    bool m_pageWanted = false;
    std::int32_t m_languageIndex = 0;
    TppPageRequest m_pageRequest;
    TppPublisher *m_publisher = nullptr;
    bool m_exclusiveInGroup = false;
    std::string m_groupName;
    std::string m_statusText;
    bool m_wantsPages = true;
};
