#pragma once

#include "output/component_base.h"

#include <bitset>
#include <string>
#include <vector>

class TppCustomReport;

// Base of every object of a report definition: a user name that is unique
// within its report, two-way notification links and numbered event
// subscriptions. Page generation does not depend on the links; they let
// objects drop references to one another when one of them goes away.
class TppCommunicator : public TppComponentBase {
public:
    TppCommunicator() = default;
    ~TppCommunicator() override;

    // Also lets UserName follow, when it was still derived from the old name
    // and no definition is being read.
    void SetName(const std::string &name) override;

    const std::string &UserName() const { return m_userName; }
    // Ignores a value that is not an identifier. A name taken by another
    // object of the report: one ending in a digit from 1 to 9 is refused (the
    // user name stays), any other gets the first free suffix 1, 2, 3 ...
    virtual void SetUserName(const std::string &name);
    // The user name derived from `name` for this class: "ppLabel1" of class
    // TppLabel gives "Label1"; a name not starting with "pp" stays as it is.
    std::string DerivedUserName(const std::string &name) const;

    // The report this object belongs to, or none.
    virtual TppCustomReport *Report() const { return nullptr; }

    // True while a definition is being read into the object or its report.
    bool IsReading() const;
    void SetReading(bool reading) { m_reading = reading; }

    // Links two objects both ways; either one's destruction tells the other.
    void AddNotify(TppCommunicator *other);
    void RemoveNotify(TppCommunicator *other);
    bool IsLinkedTo(const TppCommunicator *other) const;

    // Numbered events (0 to 255) delivered to subscribers that asked for them.
    void AddEventNotify(TppCommunicator *subscriber, int eventId);
    void RemoveEventNotify(TppCommunicator *subscriber, int eventId);
    void SendEventNotify(int eventId);
    bool HasEventSubscriber(int eventId) const;

    static bool IsValidIdent(const std::string &name);

protected:
    // A linked object is going away: drop every reference to it.
    virtual void Notify(TppCommunicator *removed);
    // A subscribed event arrived from `sender`.
    virtual void EventNotify(TppCommunicator *sender, int eventId);
    // Sets the user name without the uniqueness rule (reports, bands' defaults).
    void StoreUserName(const std::string &name) { m_userName = name; }

private:
    struct Subscription {
        TppCommunicator *subscriber;
        std::bitset<256> events;
    };
    void Forget(TppCommunicator *other);

    std::string m_userName;
    bool m_reading = false;
    std::vector<TppCommunicator *> m_links;
    std::vector<Subscription> m_subscribers;
};
