// TppCustomPreview: the contents of a print preview window (viewer and status bar) without its tool bar.
#include "preview/custom_preview.h"

#include "preview/viewer.h"
#include "report/custom_report.h"

#include <QLabel>
#include <QStatusBar>

TppCustomPreview::TppCustomPreview(QWidget &form)
    : m_form(form)
    , m_viewer(new TppViewer(&form))
{
    m_viewer->setObjectName(QStringLiteral("Viewer"));
    m_viewer->OnPageChange = [this] { PageChanged(); };
    m_viewer->OnPrintStateChange = [this] { PrintStateChanged(); };
    m_viewer->OnStatusChange = [this] { StatusChanged(); };
}

TppCustomPreview::~TppCustomPreview()
{
    // The viewer's events must not reach a preview that is going.
    m_viewer->OnPageChange = nullptr;
    m_viewer->OnPrintStateChange = nullptr;
    m_viewer->OnStatusChange = nullptr;
}

void TppCustomPreview::SetStatusBar(QStatusBar *statusBar)
{
    m_statusBar = statusBar;
    m_statusPanel = nullptr;
    if (!statusBar)
        return;
    // One simple panel over the whole bar.
    m_statusPanel = new QLabel(statusBar);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel"));
    m_statusPanel->setTextFormat(Qt::PlainText);
    statusBar->addWidget(m_statusPanel, 1);
}

QString TppCustomPreview::StatusText() const
{
    return m_statusPanel ? m_statusPanel->text() : QString();
}

void TppCustomPreview::SetStatusText(const QString &text)
{
    if (m_statusPanel)
        m_statusPanel->setText(text);
}

void TppCustomPreview::StatusChanged()
{
    // The last status of a job is set while the job is still open, so it
    // stays on show afterwards.
    if (m_viewer->Busy())
        SetStatusText(QString::fromStdString(m_viewer->Status()));
}

void TppCustomPreview::Deactivate()
{
    m_report = nullptr;
    m_viewer->ScreenDevice().SetEnabled(false);
}

void TppCustomPreview::SetLanguageIndex(std::int32_t index)
{
    m_languageIndex = index;
    Viewer().ScreenDevice().SetLanguageIndex(index);
    LanguageChanged();
}

void TppCustomPreview::Init()
{
    m_report = m_viewer->Report();
    m_viewer->ScreenDevice().SetEnabled(true);
}

void TppCustomPreview::CancelPrinting()
{
    if (m_report && m_report->Printing())
        m_viewer->Cancel();
}

void TppCustomPreview::PerformAction(int action)
{
    switch (action) {
    case paPrint:
        Print();
        break;
    case paSearch:
        // Reports of this program never ask for search data.
        break;
    case paWholePage:
        ZoomTo(zsWholePage);
        break;
    case paPageWidth:
        ZoomTo(zsPageWidth);
        break;
    case paHundredPercent:
        ZoomTo(zs100Percent);
        break;
    case paFirstPage:
        m_viewer->FirstPage();
        break;
    case paPriorPage:
        m_viewer->PriorPage();
        break;
    case paNextPage:
        m_viewer->NextPage();
        break;
    case paLastPage:
        m_viewer->LastPage();
        break;
    case paCancel:
        CancelPrinting();
        break;
    case paClose:
        if (CloseHandler)
            CloseHandler();
        break;
    default:
        break;
    }
}

void TppCustomPreview::Print()
{
    if (!m_report)
        return;
    if (BeforePrintHook)
        BeforePrintHook();
    try {
        m_viewer->Print();
    } catch (...) {
        if (AfterPrintHook)
            AfterPrintHook();
        throw;
    }
    if (AfterPrintHook)
        AfterPrintHook();
}

void TppCustomPreview::ZoomTo(TppZoomSettingType zoom)
{
    m_viewer->SetZoomSetting(zoom);
}

void TppCustomPreview::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    if (control) {
        switch (key) {
        case Qt::Key_PageUp:
            m_viewer->PriorPage();
            break;
        case Qt::Key_PageDown:
            m_viewer->NextPage();
            break;
        case Qt::Key_End:
            m_viewer->LastPage();
            break;
        case Qt::Key_Home:
            m_viewer->FirstPage();
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        m_viewer->ScrollByPage(sdUp);
        break;
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        m_viewer->ScrollByPage(sdDown);
        break;
    case Qt::Key_Left:
        m_viewer->ScrollByPage(sdLeft);
        break;
    case Qt::Key_Right:
        m_viewer->ScrollByPage(sdRight);
        break;
    default:
        break;
    }
}
