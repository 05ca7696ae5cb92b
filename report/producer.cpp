#include "report/producer.h"

TppProducer::TppProducer() : m_printerSetup(std::make_unique<TppPrinterSetup>(&m_setupOwner)) { }

TppProducer::~TppProducer() = default;

void TppProducer::SetPrinterSetup(const TppPrinterSetup &setup)
{
    if (&setup != m_printerSetup.get())
        m_printerSetup->Assign(setup);
}
