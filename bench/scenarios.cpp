// Scenarios window figures: "Escenarios" on the results screen to the
// window painted with its curve, the first time (the window is made then)
// and again; and the table and the curve made for a calculation alone.

#include "timing.h"
#include "window_exposed.h"

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

// Notes when the curve's view has painted, then closes the window.
class CurvePaintWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || painted)
            return false;
        auto *view = qobject_cast<QChartView *>(watched->parent());
        if (!view || watched != view->viewport())
            return false;
        QTimer::singleShot(0, view, [this] {
            if (!painted) {
                painted = true;
                elapsed = clock.nsecsElapsed() / 1e6;
                if (auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    window->close();
            }
        });
        return false;
    }

    QElapsedTimer clock;
    bool painted = false;
    double elapsed = 0;
};

// One press of "Escenarios" to the curve painted; -1 when it never was.
double OpenOnce(Form3 &form3)
{
    CurvePaintWatch watch;
    qApp->installEventFilter(&watch);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            window->close();
    });
    guard.start(5000);
    watch.clock.start();
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
