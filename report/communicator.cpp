#include "report/communicator.h"

#include "report/custom_report.h"

#include <algorithm>
#include <cctype>

TppCommunicator::~TppCommunicator()
{
    // Subscribers are linked too, so this reaches every one of them.
    const auto links = m_links;
    for (TppCommunicator *other : links) {
        other->Forget(this);
        other->Notify(this);
    }
}

void TppCommunicator::SetName(const std::string &name)
{
    const bool follows = !IsReading() && m_userName == DerivedUserName(Name());
    TppComponentBase::SetName(name);
    if (follows)
        SetUserName(DerivedUserName(name));
}

std::string TppCommunicator::DerivedUserName(const std::string &name) const
{
    const std::string cls = ClassName();
    if (name.size() >= 2 && cls.size() >= 3 && name.compare(0, 2, cls, 1, 2) == 0)
        return name.substr(2);
    return name;
}

bool TppCommunicator::IsValidIdent(const std::string &name)
{
    if (name.empty())
        return false;
    const auto first = static_cast<unsigned char>(name[0]);
    if (!(std::isalpha(first) || first == '_'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x80 && (std::isalnum(u) || u == '_');
    });
}

void TppCommunicator::SetUserName(const std::string &name)
{
    if (name == m_userName || !IsValidIdent(name))
        return;
    TppCustomReport *report = Report();
    if (!report || !report->UserNameTaken(name, this)) {
        m_userName = name;
        return;
    }
    const char last = name.back();
    if (last >= '1' && last <= '9')
        return;
    for (int n = 1;; ++n) {
        const std::string candidate = name + std::to_string(n);
        if (!report->UserNameTaken(candidate, this)) {
            m_userName = candidate;
            return;
        }
    }
}

bool TppCommunicator::IsReading() const
{
    if (m_reading)
        return true;
    const TppCustomReport *report = Report();
    return report && report != this && report->IsReading();
}

void TppCommunicator::AddNotify(TppCommunicator *other)
{
    if (!other || other == this || IsLinkedTo(other))
        return;
    m_links.push_back(other);
    other->m_links.push_back(this);
}

void TppCommunicator::RemoveNotify(TppCommunicator *other)
{
    if (!other)
        return;
    std::erase(m_links, other);
    std::erase(other->m_links, this);
}

bool TppCommunicator::IsLinkedTo(const TppCommunicator *other) const
{
    return std::find(m_links.begin(), m_links.end(), other) != m_links.end();
}

void TppCommunicator::AddEventNotify(TppCommunicator *subscriber, int eventId)
{
    if (!subscriber || eventId < 0 || eventId > 255)
        return;
    for (Subscription &s : m_subscribers) {
        if (s.subscriber == subscriber) {
            s.events.set(std::size_t(eventId));
            return;
        }
    }
    Subscription s{subscriber, {}};
    s.events.set(std::size_t(eventId));
    m_subscribers.push_back(s);
    // The subscriber must hear of our destruction, and we of its.
    AddNotify(subscriber);
}

void TppCommunicator::RemoveEventNotify(TppCommunicator *subscriber, int eventId)
{
    if (eventId < 0 || eventId > 255)
        return;
    for (auto it = m_subscribers.begin(); it != m_subscribers.end(); ++it) {
        if (it->subscriber == subscriber) {
            it->events.reset(std::size_t(eventId));
            if (it->events.none())
                m_subscribers.erase(it);
            return;
        }
    }
}

void TppCommunicator::SendEventNotify(int eventId)
{
    if (eventId < 0 || eventId > 255)
        return;
    const auto subscribers = m_subscribers;
    for (const Subscription &s : subscribers) {
        if (s.events.test(std::size_t(eventId)))
            s.subscriber->EventNotify(this, eventId);
    }
}

bool TppCommunicator::HasEventSubscriber(int eventId) const
{
    if (eventId < 0 || eventId > 255)
        return false;
    return std::any_of(m_subscribers.begin(), m_subscribers.end(),
                       [eventId](const Subscription &s) { return s.events.test(std::size_t(eventId)); });
}

void TppCommunicator::Notify(TppCommunicator *) { }

void TppCommunicator::EventNotify(TppCommunicator *, int) { }

void TppCommunicator::Forget(TppCommunicator *other)
{
    std::erase(m_links, other);
    std::erase_if(m_subscribers, [other](const Subscription &s) { return s.subscriber == other; });
}
