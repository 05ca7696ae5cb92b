// Print preview figures: the results screen's print button to the first page
// painted in the preview, rendering the sheet's page image at three zooms,
// and the next page of a long report whose pages have been generated.

#include "timing.h"
#include "window_watch.h"

#include "app/application.h"
#include "app/form3.h"
#include "output/screen_device.h"
#include "preview/print_preview.h"
#include "preview/viewer.h"
#include "report/report.h"
#include "tests/report/engine_fixture.h"

#include <QApplication>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRuns = 20;

// The preview's page surface painting its first page (while its job is
// still open).
bool FirstPageSurface(QObject *watched)
{
    auto *scrollArea = qobject_cast<TppPageScrollArea *>(watched->parent());
    auto *viewer = scrollArea ? qobject_cast<TppViewer *>(scrollArea->parent()) : nullptr;
    return viewer && viewer->CurrentPageNo() == 1 && watched == viewer->PageSurface();
}

double PrintButtonToFirstPage(Application &app)
{
    Form3 &form3 = app.form3();
    form3.show();
    WaitExposed(form3);
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        FirstPaintWatch watch(FirstPageSurface);
        qApp->installEventFilter(&watch);
        watch.Start();
        form3.ui.BitBtn1->click();
        qApp->removeEventFilter(&watch);
        if (watch.painted)
            samples.push_back(watch.elapsed);
    }
    form3.hide();
    return samples.empty() ? -1 : Median(samples);
}

// A viewer stand-in of a fixed area for rendering alone.
class AreaViewer : public TppScreenViewer {
public:
    TppZoomSettingType ZoomSetting() const override { return zoom; }
    int ZoomPercentage() const override { return percentage; }
    TppColor PageColor() const override { return clWhite; }
    int VisibleWidth() const override { return 545; }
    int VisibleHeight() const override { return 273; }
    double DevicePixelRatio() const override { return ratio; }
    TppDeviceReport *ViewedReport() const override { return nullptr; }
    void PageImageReady() override { }
    void ScreenStatusChanged() override { }
    void RepaintPage() override { }
    void CopyPageImageToScreen(const TppDeviceRect &) override { }
    bool PageSurfaceVisible() const override { return true; }
    void ShowPageSurface() override { }
    void DetachReport() override { }

    TppZoomSettingType zoom = zsWholePage;
    int percentage = 250;
    double ratio = 1.0;
};

void SheetRendering(TppReport &sheet, double ratio)
{
    AreaViewer viewer;
    viewer.ratio = ratio;
    TppScreenDevice device(&viewer);
    device.SetPublisher(&sheet.Publisher());
    device.RequestPages();
    device.SetPublisher(nullptr);
    const struct {
        TppZoomSettingType zoom;
        const char *name;
    } zooms[] = {{zsWholePage, "whole page"}, {zs100Percent, "100 %"}, {zsPercentage, "250 %"}};
    for (const auto &[zoom, name] : zooms) {
        viewer.zoom = zoom;
        std::vector<double> samples;
        for (int run = 0; run < kRuns; ++run)
            samples.push_back(Milliseconds([&] { device.RenderCurrentPage(); }));
        std::printf("sheet page image at %-10s (ratio %.0f): median %.2f ms\n", name, ratio,
                    Median(samples));
    }
}

void NextPageOnLongReport(bool cachePages)
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(2000);
    fixture.report->SetCachePages(cachePages);
    TppViewer viewer;
    viewer.resize(547, 275);
    viewer.show();
    WaitExposed(viewer);
    viewer.SetReport(fixture.report.get());
    viewer.ScreenDevice().RequestPages();
    viewer.LastPage();
    viewer.FirstPage();
    std::vector<double> samples;
    for (int run = 0; run < kRuns * 5; ++run) {
        samples.push_back(Milliseconds([&] {
            viewer.NextPage();
            viewer.PageSurface()->repaint();
        }));
    }
    std::printf("next page on a generated 2000-page report (pages %s): median %.2f ms, "
                "slowest %.2f ms\n",
                cachePages ? "cached" : "from saved state", Median(samples),
                *std::max_element(samples.begin(), samples.end()));
    viewer.SetReport(nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    Application app;
    std::printf("print button to first page painted: median of %d: %.2f ms\n", kRuns,
                PrintButtonToFirstPage(app));
    TppReport &sheet = app.form3().ppReport1();
    SheetRendering(sheet, 1.0);
    SheetRendering(sheet, 2.0);
    NextPageOnLongReport(false);
    NextPageOnLongReport(true);
    return 0;
}
