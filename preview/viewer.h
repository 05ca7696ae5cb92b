#pragma once

#include "output/screen_device.h"
#include "output/screen_viewer.h"

#include <QAbstractScrollArea>
#include <QFrame>

#include <functional>
#include <memory>
#include <string>

class TppCustomReport;
class TppViewer;

enum TppScrollDirection { sdUp, sdDown, sdLeft, sdRight };

// The scrolling area of a viewer; its viewport is the page surface, which
// shows the part of the page image under it.
class TppPageScrollArea : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TppPageScrollArea(TppViewer &viewer);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TppViewer &m_viewer;
};

// Shows one generated page of a report at a chosen zoom inside a scrolling
// area, moves between pages and prints the report. Every page it shows
// arrives through its own screen device, connected to the report's
// publisher, which renders it at the viewer's zoom.
class TppViewer : public QFrame, public TppScreenViewer {
    Q_OBJECT

public:
    explicit TppViewer(QWidget *parent = nullptr);
    ~TppViewer() override;

    // The report shown; none disconnects the screen device.
    TppCustomReport *Report() const { return m_report; }
    void SetReport(TppCustomReport *report);

    TppZoomSettingType ZoomSetting() const override { return m_zoomSetting; }
    // Renders the page again at the new zoom and scrolls to the top left.
    void SetZoomSetting(TppZoomSettingType zoom);
    int ZoomPercentage() const override { return m_zoomPercentage; }
    // Within 10 to 250; switches to zsPercentage.
    void SetZoomPercentage(int percentage);
    TppColor PageColor() const override { return m_pageColor; }
    // Takes effect at the next rendering.
    void SetPageColor(TppColor color);

    // A new page image is on show, or the viewer was resized.
    std::function<void()> OnPageChange;
    // The screen device opened, closed or abandoned a job.
    std::function<void()> OnPrintStateChange;
    // The screen device's status line changed.
    std::function<void()> OnStatusChange;
    // A click on the page surface, after any clickable command has run.
    std::function<void()> OnClick;

    std::int32_t CurrentPageNo() const { return m_device->CurrentPageNo(); }
    std::int32_t CalculatedZoom() const { return m_device->CalculatedZoom(); }
    const std::string &Status() const { return m_device->StatusText(); }
    bool Busy() const { return m_device->JobOpen(); }

    TppScreenDevice &ScreenDevice() const { return *m_device; }
    TppPageScrollArea *ScrollArea() const { return m_scrollArea; }
    QWidget *PageSurface() const { return m_scrollArea->viewport(); }

    // Navigation; ignored while busy and after an abandoned job.
    void FirstPage();
    void LastPage();
    void GotoPage(std::int32_t pageNo);
    void NextPage();
    void PriorPage();
    void ScrollByPage(TppScrollDirection direction);
    // Prints the report on paper through its print request, with the
    // screen device kept out of that job.
    void Print();
    // Stops the report's page generation.
    void Cancel();

    // TppScreenViewer
    int VisibleWidth() const override;
    int VisibleHeight() const override;
    double DevicePixelRatio() const override;
    TppDeviceReport *ViewedReport() const override;
    void PageImageReady() override;
    void ScreenStatusChanged() override;
    void RepaintPage() override;
    void CopyPageImageToScreen(const TppDeviceRect &rect) override;
    bool PageSurfaceVisible() const override;
    void ShowPageSurface() override;
    void DetachReport() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TppPageScrollArea;

    void UpdateScrollBars();
    void PaintPage(QPainter &painter, const QRect &area);
    void ClickAt(QPoint surfacePoint);
    void PointerAt(QPoint surfacePoint);
    static void Notify(const std::function<void()> &event);

    TppCustomReport *m_report = nullptr;
    TppZoomSettingType m_zoomSetting = zsWholePage;
    int m_zoomPercentage = 100;
    TppColor m_pageColor = clWindow;
    bool m_ready = false;
    bool m_scrollReset = false;
    TppPageScrollArea *m_scrollArea = nullptr;
    std::unique_ptr<TppScreenDevice> m_device;
};
