#include "app/application.h"

#include "app/accessible_panes.h"
#include "app/after_first_paint.h"
#include "app/error_reporting.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/screen_font.h"

#include <QCoreApplication>
#include <QTimer>

// The pictures and the stored report definitions are compiled into a static
// library; naming their initialisers keeps the linker from dropping them. The macro must not be in a namespace.
static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

static bool PrepareResources()
{
    // Every message box of the program carries this title.
    QCoreApplication::setApplicationName(QStringLiteral("VALDORA"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VALDORA_VERSION));
    LoadPictures();
    UseScreenFontSubstitutes();
    PresentPanelsAsPanes();
    return true;
}

Application::Application()
    : m_resourcesReady(PrepareResources())
    , m_form1(std::make_unique<Form1>(*this))
{
}

Application::~Application() = default;

bool Application::createNextWindow()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(*this);
    } else if (!m_form3) {
        m_form3 = std::make_unique<Form3>();
    } else if (!m_form4) {
        m_form4 = std::make_unique<Form4>();
        m_form3->setDefinitions(m_form4.get());
    }
    return !m_form4;
}

void Application::createOtherWindows()
{
    while (createNextWindow()) {
    }
}

void Application::createOtherWindowsInTurns()
{
    // One window an event loop turn: a click or a close that comes while
    // they are made waits for one window, not for all three.
    if (createNextWindow())
        QTimer::singleShot(0, m_form1.get(), Guarded([this] { createOtherWindowsInTurns(); }));
}

void Application::showMainWindow()
{
    m_form1->show();
    RunAfterFirstPaint(*m_form1, [this] { createOtherWindowsInTurns(); });
}
