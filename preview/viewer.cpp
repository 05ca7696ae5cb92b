#include "preview/viewer.h"

#include "platform/handler_guard.h"
#include "preview/page_surface.h"
#include "platform/qt/canvas_image.h"
#include "platform/qt/qt_color.h"
#include "report/custom_report.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxZoomPercentage = 250;
// Below this a page shrinks to a few pixels, and at 0 to nothing at all.
constexpr int kMinZoomPercentage = 10;

} // namespace

TppPageScrollArea::TppPageScrollArea(TppViewer &viewer)
    : QAbstractScrollArea(&viewer)
    , m_viewer(viewer)
{
    setFrameShape(QFrame::NoFrame);
    setViewport(new TppPageSurface(viewer));
    // The surface takes the focus itself: the area would pass it on to itself.
    viewport()->setFocusProxy(nullptr);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void TppPageScrollArea::paintEvent(QPaintEvent *event)
{
    platform::RunGuarded([&] {
        QPainter painter(viewport());
        m_viewer.PaintPage(painter, event->rect());
    });
}

void TppPageScrollArea::keyPressEvent(QKeyEvent *event)
{
    // The window's tool bar keys move and scroll the page, not the area's own.
    event->ignore();
}

void TppPageScrollArea::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        platform::RunGuarded([&] { m_viewer.ClickAt(event->position().toPoint()); });
}

void TppPageScrollArea::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseMoveEvent(event);
    platform::RunGuarded([&] { m_viewer.PointerAt(event->position().toPoint()); });
}

TppViewer::TppViewer(QWidget *parent)
    : QFrame(parent)
{
    SpeakPageSurfaces();
    resize(320, 120);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, platform::ToQColor(clBtnShadow));
    palette.setColor(QPalette::WindowText, platform::ToQColor(clBtnShadow));
    setPalette(palette);

    m_scrollArea = new TppPageScrollArea(*this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The first rendered page shows it.
    m_scrollArea->viewport()->hide();

    m_device = std::make_unique<TppScreenDevice>(this);
    m_device->OnJobOpened = [this](TppDevice &) {
        m_ready = true;
        Notify(OnPrintStateChange);
    };
    m_device->OnJobClosed = [this](TppDevice &) { Notify(OnPrintStateChange); };
    m_device->OnJobAbandoned = [this](TppDevice &) { Notify(OnPrintStateChange); };
}

TppViewer::~TppViewer()
{
    // The device leaves its publisher while the viewer is still whole.
    m_device.reset();
}

void TppViewer::Notify(const std::function<void()> &event)
{
    if (event)
        event();
}

void TppViewer::SetReport(TppCustomReport *report)
{
    m_report = report;
    m_device->SetPublisher(report ? &report->Publisher() : nullptr);
    // An empty page of the right proportions can be shown before any arrives.
    if (report)
        m_device->CurrentPage().SetPrinterSetup(&report->PrinterSetup());
}

void TppViewer::DetachReport()
{
    m_report = nullptr;
    m_device->ResetDevice();
}

void TppViewer::SetZoomSetting(TppZoomSettingType zoom)
{
    m_zoomSetting = zoom;
    if (!m_ready)
        return;
    if (!isVisible()) {
        update();
        return;
    }
    PageSurface()->hide();
    m_device->RenderCurrentPage();
    m_scrollReset = true;
    UpdateScrollBars();
    PageSurface()->show();
    PageSurface()->update();
}

void TppViewer::SetZoomPercentage(int percentage)
{
    m_zoomPercentage = std::clamp(percentage, kMinZoomPercentage, kMaxZoomPercentage);
    SetZoomSetting(zsPercentage);
}

void TppViewer::SetPageColor(TppColor color)
{
    m_pageColor = color;
    update();
}

void TppViewer::FirstPage()
{
    m_device->FirstPage();
}

void TppViewer::LastPage()
{
    m_device->LastPage();
}

void TppViewer::GotoPage(std::int32_t pageNo)
{
    m_device->GotoPage(pageNo);
}

void TppViewer::NextPage()
{
    if (!m_device->CurrentPage().LastPage())
        GotoPage(CurrentPageNo() + 1);
}

void TppViewer::PriorPage()
{
    if (CurrentPageNo() > 1)
        GotoPage(CurrentPageNo() - 1);
}

void TppViewer::ScrollByPage(TppScrollDirection direction)
{
    QScrollBar *vertical = m_scrollArea->verticalScrollBar();
    QScrollBar *horizontal = m_scrollArea->horizontalScrollBar();
    switch (direction) {
    case sdUp:
        vertical->setValue(vertical->value() - m_scrollArea->height());
        break;
    case sdDown:
        vertical->setValue(vertical->value() + m_scrollArea->height());
        break;
    case sdLeft:
        horizontal->setValue(horizontal->value() - m_scrollArea->width());
        break;
    case sdRight:
        horizontal->setValue(horizontal->value() + m_scrollArea->width());
        break;
    }
}

void TppViewer::Print()
{
    if (Busy() || !m_report)
        return;
    TppCustomReport &report = *m_report;
    TppPublisher *publisher = m_device->Publisher();
    // The print job must not reach the page on display.
    m_device->SetPublisher(nullptr);
    report.SetCurrentPage(CurrentPageNo() > 0 ? CurrentPageNo() : 1);

    const std::string deviceType = report.DeviceType();
    const bool showAutoSearchDialog = report.ShowAutoSearchDialog();
    TppPrinterSetup before;
    before.Assign(report.PrinterSetup());
    report.SetShowAutoSearchDialog(false);
    report.SetDeviceType("Printer");
    const auto restore = [&] {
        report.SetDeviceType(deviceType);
        report.SetShowAutoSearchDialog(showAutoSearchDialog);
        // The report may have been disconnected meanwhile.
        if (m_report == &report)
            m_device->SetPublisher(publisher);
    };
    try {
        report.Print();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (m_report != &report || report.PrinterSetup().SameAs(before))
        return;
    // A setup kept from the print dialog changes the layout: start again.
    m_device->ResetDevice();
    m_device->RequestPages();
}

void TppViewer::Cancel()
{
    m_device->CancelReport();
}

int TppViewer::VisibleWidth() const
{
    return m_scrollArea->width();
}

int TppViewer::VisibleHeight() const
{
    return m_scrollArea->height();
}

double TppViewer::DevicePixelRatio() const
{
    return devicePixelRatioF();
}

TppDeviceReport *TppViewer::ViewedReport() const
{
    return m_report;
}

void TppViewer::PageImageReady()
{
    UpdateScrollBars();
    PageSurface()->update();
    static_cast<TppPageSurface *>(PageSurface())->PageChanged();
    Notify(OnPageChange);
}

void TppViewer::ScreenStatusChanged()
{
    Notify(OnStatusChange);
}

void TppViewer::RepaintPage()
{
    PageSurface()->update();
}

void TppViewer::CopyPageImageToScreen(const TppDeviceRect &rect)
{
    const QPoint scroll(m_scrollArea->horizontalScrollBar()->value(),
                        m_scrollArea->verticalScrollBar()->value());
    const QRect area = QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom))
                           .translated(-scroll);
    // Painted at once, that part alone.
    PageSurface()->repaint(area);
}

bool TppViewer::PageSurfaceVisible() const
{
    return !PageSurface()->isHidden();
}

void TppViewer::ShowPageSurface()
{
    PageSurface()->show();
}

void TppViewer::UpdateScrollBars()
{
    if (!m_ready)
        return;
    const int imageWidth = m_device->PageImageWidth();
    const int imageHeight = m_device->PageImageHeight();
    const bool horizontal = m_scrollArea->width() < imageWidth;
    const bool vertical = m_scrollArea->height() < imageHeight;
    m_scrollArea->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
    const QSize view = PageSurface()->size();
    QScrollBar *h = m_scrollArea->horizontalScrollBar();
    QScrollBar *v = m_scrollArea->verticalScrollBar();
    h->setRange(0, horizontal ? std::max(0, imageWidth - view.width()) : 0);
    h->setPageStep(view.width());
    h->setSingleStep(std::max(1, view.width() / 20));
    v->setRange(0, vertical ? std::max(0, imageHeight - view.height()) : 0);
    v->setPageStep(view.height());
    v->setSingleStep(std::max(1, view.height() / 20));
    if (m_scrollReset) {
        h->setValue(0);
        v->setValue(0);
        m_scrollReset = false;
    }
}

void TppViewer::PaintPage(QPainter &painter, const QRect &area)
{
    painter.fillRect(area, platform::ToQColor(clBtnShadow));
    const QImage *pageImage = platform::CanvasImage(m_device->PageCanvas());
    if (!m_ready || !pageImage)
        return;
    const QImage &image = *pageImage;
    const QPoint scroll(m_scrollArea->horizontalScrollBar()->value(),
                        m_scrollArea->verticalScrollBar()->value());
    // The part of the image under the area, in logical and in image pixels.
    const QRect logical
        = QRect(0, 0, m_device->PageImageWidth(), m_device->PageImageHeight()) & area.translated(scroll);
    if (logical.isEmpty())
        return;
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio,
                        logical.height() * ratio);
    painter.drawImage(QRectF(logical.translated(-scroll)), image, source);
}

void TppViewer::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (!m_ready)
        return;
    // Rendering may fail (a page image too large to allocate): the window
    // stays, the user is told.
    platform::RunGuarded([this] {
        m_device->RenderCurrentPage();
        UpdateScrollBars();
        Notify(OnPageChange);
        PageSurface()->update();
    });
}

void TppViewer::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::CursorChange)
        PageSurface()->setCursor(cursor());
}

void TppViewer::ClickAt(QPoint surfacePoint)
{
    const QPoint scroll(m_scrollArea->horizontalScrollBar()->value(),
                        m_scrollArea->verticalScrollBar()->value());
    const QPoint point = surfacePoint + scroll;
    if (TppDrawCommand *command = m_device->FindClickableAt(point.x(), point.y())) {
        command->Click();
        if (command->RedrawPage()) {
            command->SetRedrawPage(false);
            m_device->PageRequest().SetPageSetting(psSinglePage);
            m_device->PageRequest().SetPageRequested(CurrentPageNo());
            m_device->RequestPages();
            // Nudging the pointer makes its shape follow the new page.
            // The move back comes from the loop, after the first is handled.
            const QPoint at = QCursor::pos();
            QCursor::setPos(at - QPoint(1, 1));
            QTimer::singleShot(0, this, [at] { QCursor::setPos(at); });
        }
    }
    Notify(OnClick);
}

void TppViewer::PointerAt(QPoint surfacePoint)
{
    const QPoint scroll(m_scrollArea->horizontalScrollBar()->value(),
                        m_scrollArea->verticalScrollBar()->value());
    const QPoint point = surfacePoint + scroll;
    if (m_device->FindClickableAt(point.x(), point.y()))
        PageSurface()->setCursor(Qt::PointingHandCursor);
    else
        PageSurface()->setCursor(cursor());
}
