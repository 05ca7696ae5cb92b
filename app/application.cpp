#include "app/application.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"

Application::Application()
    : m_form1(std::make_unique<Form1>(*this))
    , m_form2(std::make_unique<Form2>(*this))
    , m_form3(std::make_unique<Form3>())
    , m_form4(std::make_unique<Form4>())
{
    m_form3->setDefinitions(m_form4.get());
}

Application::~Application() = default;

void Application::showMainWindow()
{
    m_form1->show();
}
