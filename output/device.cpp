#include "output/device.h"

#include "output/draw_command.h"
#include "output/page.h"
#include "output/publisher.h"

std::unique_ptr<TppDevice> TppDeviceClass::Create() const
{
    return m_factory ? m_factory() : nullptr;
}

const TppDeviceClass &TppDevice::StaticClass()
{
    static const TppDeviceClass deviceClass("TppDevice", "TppDevice", nullptr,
                                            [] { return std::make_unique<TppDevice>(); });
    return deviceClass;
}

TppDevice::TppDevice() = default;

TppDevice::~TppDevice()
{
    // No event here: the subclass part is gone already.
    if (m_publisher)
        m_publisher->RemoveDevice(*this);
}

const char *TppDevice::ClassName() const
{
    return Class().ClassName();
}

void TppDevice::Raise(const Notify &event, TppDevice &sender)
{
    if (event)
        event(sender);
}

void TppDevice::SetEnabled(bool value)
{
    if (!m_jobOpen)
        m_enabled = value;
}

void TppDevice::SetPublisher(TppPublisher *publisher)
{
    if (m_publisher)
        m_publisher->RemoveDevice(*this);
    m_publisher = publisher;
    // A refused connection must not leave a reference the publisher would
    // never clear on its destruction.
    if (m_publisher && !m_publisher->AddDevice(*this))
        m_publisher = nullptr;
    Raise(OnPublisherChanged, *this);
}

void TppDevice::PublisherDestroyed()
{
    m_publisher = nullptr;
    Raise(OnPublisherChanged, *this);
}

void TppDevice::SetExclusiveInGroup(bool value)
{
    if (!m_publisher && !m_jobOpen)
        m_exclusiveInGroup = value;
}

void TppDevice::SetGroupName(const std::string &name)
{
    if (!m_publisher && !m_jobOpen)
        m_groupName = name;
}

void TppDevice::SetStatusText(const std::string &text)
{
    m_statusText = text;
}

void TppDevice::RequestPages()
{
    if (!m_publisher)
        return;
    m_wantsPages = true;
    // Event handlers may disconnect this device (or destroy the publisher)
    // during the job, so every step uses the publisher as it is then.
    try {
        m_publisher->OpenJob();
        if (m_publisher)
            m_publisher->RequestPages();
    } catch (...) {
        if (m_publisher)
            m_publisher->CloseJob();
        throw;
    }
    if (m_publisher)
        m_publisher->CloseJob();
}

void TppDevice::DrawPageCommands(TppPage &page)
{
    const TppPageDef &pageDef = page.PageDef();
    // By index: drawing may process window messages that change the page.
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        TppDrawCommand *command = page.DrawCommands(i);
        if (command && command->Left() <= pageDef.mmWidth && command->Top() <= pageDef.mmHeight)
            command->DrawOnDevice(*this);
    }
}

void TppDevice::AbandonJob()
{
    m_jobOpen = false;
    m_jobAbandoned = true;
    Raise(OnJobAbandoned, *this);
}

bool TppDevice::RenderCommand(TppDrawCommand &)
{
    return false;
}

bool TppDevice::RefreshText(TppDrawCommand &)
{
    return false;
}

void TppDevice::CloseJob()
{
    if (!m_jobOpen)
        return;
    m_jobOpen = false;
    m_wantsPages = true;
    Raise(OnJobClosed, *this);
}

void TppDevice::AcceptPage(TppPage &page)
{
    m_suppressPage = false;
    m_pageWanted = m_pageRequest.Covers(page);
    if (page.Calculation())
        m_suppressPage = true;
    if (!page.Final() && IgnoresNonFinalPages())
        m_suppressPage = true;
    if (OnPageArrived)
        OnPageArrived(*this, page);
    if (m_wantsPages && page.Final() && !page.Calculation())
        m_wantsPages = !m_pageRequest.CompletedBy(page);
}

void TppDevice::ResetDevice()
{
    m_pageRequest.Clear();
    m_jobAbandoned = false;
    m_wantsPages = true;
}

void TppDevice::OpenJob()
{
    if (m_jobOpen)
        return;
    m_jobOpen = true;
    Raise(OnJobOpened, *this);
}
