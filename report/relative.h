#pragma once

#include "report/communicator.h"

#include <vector>

// An object with a parent in the definition tree and children it enumerates
// (for reading and writing definitions). The owning holders keep the
// children alive; this only describes the tree.
class TppRelative : public TppCommunicator {
public:
    TppRelative *Parent() const { return m_parent; }

    // The children in stream order.
    virtual std::vector<TppRelative *> Children() const { return {}; }

protected:
    void SetParentLink(TppRelative *parent) { m_parent = parent; }

private:
    TppRelative *m_parent = nullptr;
};
