#include "app/application.h"

#include "app/accessible_panes.h"
#include "app/after_first_paint.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/screen_font.h"

#include <QCoreApplication>

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

void Application::createOtherWindows()
{
    if (m_form2)
        return;
    m_form2 = std::make_unique<Form2>(*this);
    m_form3 = std::make_unique<Form3>();
    m_form4 = std::make_unique<Form4>();
    m_form3->setDefinitions(m_form4.get());
}

void Application::showMainWindow()
{
    m_form1->show();
    RunAfterFirstPaint(*m_form1, [this] { createOtherWindows(); });
}
