#include "preview/report_form.h"

TppForm::~TppForm()
{
    Destroying();
}

void TppForm::SetReport(TppCustomReport *report)
{
    m_report = report;
    ReportAssigned();
}

void TppForm::SetLanguageIndex(std::int32_t index)
{
    m_languageIndex = index;
    LanguageChanged();
}

void TppForm::DoCancel()
{
    if (CancelHook)
        CancelHook();
}

void TppForm::Activated()
{
    if (ActivateHook)
        ActivateHook();
}

void TppForm::Destroying()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (CloseHook)
        CloseHook();
    if (DestroyHook)
        DestroyHook();
}

void TppForm::RequestRelease()
{
    if (ReleaseHook)
        ReleaseHook();
}
