// Scenarios window figures: "Escenarios" on the results screen to the
// window painted with its curve, the first time (the window is made then)
// and again; and the table and the curve made for a calculation alone.

#include "timing.h"
#include "window_watch.h"

#include "app/application.h"
#include "app/form3.h"
#include "app/scenarios_chart.h"
#include "app/scenarios_table.h"
#include "app/scenarios_window.h"
#include "calc/sample_size.h"
#include "tests/app/scenario_calculation.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRuns = 20;

bool CurveView(QObject *watched)
{
    auto *view = qobject_cast<QChartView *>(watched->parent());
    return view && watched == view->viewport();
}

// One press of "Escenarios" to the curve painted; -1 when it never was.
double OpenOnce(Form3 &form3)
{
    FirstPaintWatch watch(CurveView);
    qApp->installEventFilter(&watch);
    watch.Start();
    form3.ui.ScenariosButton->click();
    qApp->removeEventFilter(&watch);
    return watch.painted ? watch.elapsed : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    Application app;
    Form3 &form3 = app.form3();
    SampleSizeParams calculation = ScenarioInputs();
    ComputeSampleSize(calculation);
    form3.setCalculation(calculation);
    form3.show();
    WaitExposed(form3);

    std::printf("Escenarios to the curve painted, first time (window made): %.2f ms\n", OpenOnce(form3));
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run)
        samples.push_back(OpenOnce(form3));
    std::printf("Escenarios to the curve painted, again: median of %d: %.2f ms, slowest %.2f ms\n", kRuns,
                Median(samples), *std::max_element(samples.begin(), samples.end()));

    std::vector<double> table;
    std::vector<double> chart;
    for (int run = 0; run < kRuns; ++run) {
        table.push_back(Milliseconds([&] { ScenarioTable::For(calculation); }));
        const ScenarioTable scenarios = ScenarioTable::For(calculation);
        chart.push_back(Milliseconds([&] { CreateScenarioChart(scenarios); }));
    }
    std::printf("table of a calculation: median %.3f ms; curve built: median %.2f ms\n", Median(table), Median(chart));

    const ScenarioTable scenarios = ScenarioTable::For(calculation);
    const double sheetCurve = Milliseconds([&] { RenderScenarioChart(scenarios, QSize(743, 340), 576); });
    std::printf("curve drawn for paper at 576 dpi: %.0f ms\n", sheetCurve);
    form3.hide();
    return 0;
}
