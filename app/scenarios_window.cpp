#include "app/scenarios_window.h"

#include "app/error_reporting.h"
#include "app/logo_icon.h"
#include "app/scenarios_chart.h"
#include "app/scenarios_cost.h"
#include "app/scenarios_model.h"
#include "app/scenarios_sheet.h"
#include "app/scenarios_texts.h"
#include "app/scenarios_user_values.h"
#include "report/report.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QScrollBar>

#include <stdexcept>

ScenariosWindow::ScenariosWindow(QWidget *parent)
    : QDialog(parent)
    , m_model(new ScenarioModel(this))
    , m_chartView(new QChartView)
{
    ui.setupUi(this);
    setWindowIcon(LogoIcon());
    ui.table->setModel(m_model);
    ui.table->verticalHeader()->hide();
    // Rows as tall as their text, so that the whole grid usually shows.
    ui.table->verticalHeader()->setDefaultSectionSize(ui.table->fontMetrics().height() + 6);
    ui.table->horizontalHeader()->setStretchLastSection(false);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setFocusPolicy(Qt::NoFocus);
    m_chartView->setMinimumSize(420, 300);
    ui.chartLayout->addWidget(m_chartView);
    applyTexts();

    connect(ui.costField, &QLineEdit::textChanged, this, Guarded([this] {
        costChanged();
        fitTableWidth();
    }));
    connect(ui.printButton, &QPushButton::clicked, this, Guarded([this] { printSheet(); }));
    connect(ui.closeButton, &QPushButton::clicked, this, Guarded([this] { close(); }));
}

ScenariosWindow::~ScenariosWindow() = default;

void ScenariosWindow::applyTexts()
{
    setWindowTitle(ScenarioString(ScenarioText::WindowTitle));
    ui.table->setAccessibleName(ScenarioString(ScenarioText::TableName));
    ui.table->setAccessibleDescription(ScenarioString(ScenarioText::TableDescription));
    m_chartView->setAccessibleName(ScenarioString(ScenarioText::ChartName));
    ui.costLabel->setText(ScenarioString(ScenarioText::CostField));
    ui.costField->setAccessibleName(QString(ScenarioString(ScenarioText::CostField)).remove(QLatin1Char('&')).chopped(1));
    ui.costField->setAccessibleDescription(ScenarioString(ScenarioText::CostFieldDescription));
    ui.printButton->setText(ScenarioString(ScenarioText::PrintButton));
    ui.printButton->setAccessibleDescription(ScenarioString(ScenarioText::PrintDescription));
    ui.closeButton->setText(ScenarioString(ScenarioText::CloseButton));
}

QChart *ScenariosWindow::chart() const
{
    return m_chartView->chart();
}

void ScenariosWindow::setCalculation(const SampleSizeParams &user)
{
    m_model->setTable(ScenarioTable::For(user));
    ui.summary->setText(UserValuesLine(m_model->table()));
    fitTableWidth();
    showChart();
    // The user's cell is where the keyboard starts.
    ui.table->setCurrentIndex(userCell());
    ui.table->setFocus();
}

QModelIndex ScenariosWindow::userCell() const
{
    return m_model->index(m_model->table().UserRow(), ScenarioModel::viewColumn(m_model->table().UserColumn()));
}

// Every column shows whole, so that only the rows scroll.
void ScenariosWindow::fitTableWidth()
{
    ui.table->resizeColumnsToContents();
    const int columns = ui.table->horizontalHeader()->length();
    const int frame = 2 * ui.table->frameWidth();
    ui.table->setFixedWidth(columns + frame + ui.table->verticalScrollBar()->sizeHint().width());
}

void ScenariosWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    RunGuarded([this] { ui.table->scrollTo(userCell(), QAbstractItemView::PositionAtCenter); });
}

void ScenariosWindow::showChart()
{
    // The view owns the chart it shows but hands the one it had back.
    QChart *previous = m_chartView->chart();
    m_chartView->setChart(CreateScenarioChart(m_model->table()).release());
    delete previous;
}

void ScenariosWindow::costChanged()
{
    // A cost being typed is not an error yet: the reason shows beside the
    // field, and the column waits for a valid cost.
    try {
        m_cost = ReadCostPerInterview(ui.costField->text());
        ui.costMessage->clear();
    } catch (const std::exception &refusal) {
        m_cost.reset();
        ui.costMessage->setText(QString::fromStdString(ErrorMessageText(refusal.what())));
    }
    m_model->setCostPerInterview(m_cost);
}

TppReport &ScenariosWindow::sheet()
{
    if (!m_sheet)
        m_sheet = CreateScenariosSheet();
    return *m_sheet;
}

void ScenariosWindow::printSheet()
{
    TppReport &scenarios = sheet();
    FillScenariosSheet(scenarios, m_model->table(), m_cost);
    scenarios.Print();
}
