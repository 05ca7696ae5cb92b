#include "report/print_flow.h"

namespace {

struct Registered {
    TppPrintFlowFactory factory = nullptr;
    int holders = 0;
};

Registered &Registry()
{
    static Registered registered;
    return registered;
}

} // namespace

TppPrintFlowRegistration::TppPrintFlowRegistration(TppPrintFlowFactory factory)
{
    Registered &registered = Registry();
    registered.factory = factory;
    ++registered.holders;
}

TppPrintFlowRegistration::~TppPrintFlowRegistration()
{
    Registered &registered = Registry();
    if (--registered.holders == 0)
        registered.factory = nullptr;
}

TppPrintFlowFactory FindPrintFlow()
{
    return Registry().factory;
}
