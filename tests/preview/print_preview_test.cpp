// The print preview window on the results sheet and on long reports: its
// tool bar as it opens, zooming, the page and zoom boxes, keys, the events a
// modal preview fires, cancelling a long production and errors while a page
// is generated.

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "preview/preview_registration.h"
#include "preview/print_registration.h"
#include "report/report.h"
#include "tests/report/engine_fixture.h"

#include "../support/kept_settings.h"

#include <QAction>
#include <QFontMetrics>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>

#include <memory>

// The pictures and definitions live in a static library.
static void LoadResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

class PrintPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadResources(); }
    void init();
    void cleanup();

    void windowAsItOpens();
    void zoomBoxTakesPercentages_data();
    void zoomBoxTakesPercentages();
    void zoomButtonsFollowTheZoom();
    void pageBoxRefusesEmptyText();
    void pageBoxGoesToPage();
    void ctrlEndOnOnePageDoesNothing();
    void modalPreviewFiresEachEventOnce();
    void secondPrintWhilePreviewOpenDoesNothing();
    void closeCancelsLongProduction();
    void closingWhileBusyWaitsForTheCancelledJob();
    void navigationOnGeneratedPages();
    void generationErrorKeepsPreviewOpen();
    void firstPageWithoutActivation();
    void escapeClosesFromAnywhere_data();
    void escapeClosesFromAnywhere();
    void escapeCancelsWhileBusy();
    void ctrlPPrintsAsThePrintButton();
    void toolBarByKeyboard();

private:
    std::unique_ptr<TppPreviewRegistration> m_registration;
    std::unique_ptr<TppReport> m_sheet;
};

void PrintPreviewTest::init()
{
    ForgetKeptSettings();
    m_registration = std::make_unique<TppPreviewRegistration>();
    m_sheet = CreateResultsSheet();
}

void PrintPreviewTest::cleanup()
{
    m_sheet.reset();
    m_registration.reset();
}

void PrintPreviewTest::windowAsItOpens()
{
    const PreviewRun run = RunPreview(*m_sheet, [](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Print Preview"));
        QCOMPARE(window.size(), QSize(547, 323));
        const QRect screen = window.screen()->availableGeometry();
        QVERIFY(std::abs(window.frameGeometry().center().x() - screen.center().x()) <= 2);
        QVERIFY(std::abs(window.frameGeometry().center().y() - screen.center().y()) <= 20);

        QVERIFY(preview.WholePageButton()->isChecked());
        QVERIFY(!preview.PageWidthButton()->isChecked());
        QVERIFY(!preview.HundredPercentButton()->isChecked());
        QVERIFY(preview.SearchButton()->isHidden());
        QCOMPARE(preview.OuterToolPanel()->geometry(), QRect(0, 0, 547, 26));
        QCOMPARE(preview.InnerToolPanel()->geometry(), QRect(41, 0, 477, 26));
        const QList<QPair<QWidget *, QRect>> layout{
            {preview.PrintButton(), QRect(2, 2, 23, 22)},
            {preview.WholePageButton(), QRect(0, 2, 23, 22)},
            {preview.PageWidthButton(), QRect(23, 2, 23, 22)},
            {preview.HundredPercentButton(), QRect(46, 2, 23, 22)},
            {preview.ZoomBox(), QRect(92, 2, 37, 22)},
            {preview.FirstButton(), QRect(152, 2, 23, 22)},
            {preview.PriorButton(), QRect(175, 2, 23, 22)},
            {preview.PageBox(), QRect(206, 2, 37, 22)},
            {preview.NextButton(), QRect(251, 2, 23, 22)},
            {preview.LastButton(), QRect(274, 2, 23, 22)},
        };
        for (const auto &[control, rect] : layout)
            QCOMPARE(control->geometry(), rect);
        QToolButton *close = preview.CloseButton();
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QCOMPARE(close->x(), 343);
        QCOMPARE(close->width(), QFontMetrics(window.font()).horizontalAdvance("Close") + 30);
        QVERIFY(close->autoRaise() == false && preview.PrintButton()->autoRaise());
        QCOMPARE(preview.PrintButton()->toolTip(), QStringLiteral("Print"));
        QCOMPARE(preview.HundredPercentButton()->toolTip(), QStringLiteral("100 %"));
        QCOMPARE(close->toolTip(), QStringLiteral("Cancel"));
        // Glyphs on green show the green as transparent.
        const QImage glyph = preview.FirstButton()->icon().pixmap(16, 16).toImage();
        QCOMPARE(qAlpha(glyph.pixel(0, 15)), 0);
        QCOMPARE(glyph.pixel(3, 10), qRgb(0, 0, 0));

        // The viewer between tool bar and status bar.
        TppViewer &viewer = window.Viewer();
        QCOMPARE(viewer.geometry().top(), 26);
        QCOMPARE(viewer.geometry().bottom() + 1, window.StatusBar()->geometry().top());
        QCOMPARE(viewer.width(), 547);
        QCOMPARE(preview.PageBox()->text(), QStringLiteral("1"));
        QCOMPARE(preview.ZoomBox()->text().remove(' ').remove('%').toInt(), viewer.CalculatedZoom());
        QCOMPARE(StatusOf(window), QStringLiteral("Page 1 of 1"));
        QVERIFY(preview.ZoomBox()->isEnabled() && preview.PageBox()->isEnabled());
    });
    QVERIFY(run.opened);
    QVERIFY(run.messages.isEmpty());
    QVERIFY(!m_sheet->PreviewForm());
    QVERIFY(!m_sheet->Producing());
}

void PrintPreviewTest::zoomBoxTakesPercentages_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("zoom");
    QTest::newRow("150") << "150" << 150;
    QTest::newRow("400 is 250") << "400" << 250;
    QTest::newRow("empty is 100") << "" << 100;
    QTest::newRow("25") << "25" << 25;
    // Below a tenth the page would shrink to nothing.
    QTest::newRow("000 is the least") << "000" << 10;
    QTest::newRow("5 is the least") << "5" << 10;
}

void PrintPreviewTest::zoomBoxTakesPercentages()
{
    QFETCH(QString, typed);
    QFETCH(int, zoom);
    const PreviewRun run = RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        TypeAndEnter(preview.ZoomBox(), typed);
        TppViewer &viewer = window.Viewer();
        QCOMPARE(viewer.ZoomSetting(), zsPercentage);
        QCOMPARE(viewer.ZoomPercentage(), zoom);
        QCOMPARE(viewer.CalculatedZoom(), zoom);
        QCOMPARE(preview.ZoomBox()->text().remove(' ').remove('%').toInt(), zoom);
        QVERIFY(!preview.WholePageButton()->isChecked());
        QVERIFY(!preview.PageWidthButton()->isChecked());
        QVERIFY(!preview.HundredPercentButton()->isChecked());
        // The paper is that much larger than at 100 %: 816 pixels wide there.
        QCOMPARE(viewer.ScreenDevice().PageWidthPx(), qRound(816 * zoom / 100.0));
        QCOMPARE(viewer.CurrentPageNo(), 1);
    });
    QVERIFY(run.opened);
    QVERIFY(run.messages.isEmpty());
}

void PrintPreviewTest::zoomButtonsFollowTheZoom()
{
    RunPreview(*m_sheet, [](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        TppViewer &viewer = window.Viewer();
        QTest::mouseClick(preview.HundredPercentButton(), Qt::LeftButton);
        QCOMPARE(viewer.ZoomSetting(), zs100Percent);
        QCOMPARE(viewer.CalculatedZoom(), 100);
        QVERIFY(preview.HundredPercentButton()->isChecked());
        QVERIFY(!preview.WholePageButton()->isChecked());
        // The paper at 100 % does not fit: scroll bars, at the top left.
        QVERIFY(viewer.ScrollArea()->verticalScrollBar()->isVisible());
        QCOMPARE(viewer.ScrollArea()->verticalScrollBar()->value(), 0);
        QTest::keyClick(&window, Qt::Key_PageDown);
        QCOMPARE(viewer.ScrollArea()->verticalScrollBar()->value(), viewer.ScrollArea()->height());

        QTest::mouseClick(preview.PageWidthButton(), Qt::LeftButton);
        QCOMPARE(viewer.ZoomSetting(), zsPageWidth);
        QCOMPARE(viewer.ScrollArea()->verticalScrollBar()->value(), 0);
        QVERIFY(preview.PageWidthButton()->isChecked());
        QVERIFY(!preview.HundredPercentButton()->isChecked());
        // The zoom in force, clicked again: its button rises, the zoom stays.
        const int zoom = viewer.CalculatedZoom();
        QTest::mouseClick(preview.PageWidthButton(), Qt::LeftButton);
        QVERIFY(!preview.PageWidthButton()->isChecked());
        QCOMPARE(viewer.ZoomSetting(), zsPageWidth);
        QCOMPARE(viewer.CalculatedZoom(), zoom);
        QCOMPARE(preview.ZoomBox()->text().remove(' ').remove('%').toInt(), zoom);
    });
}

void PrintPreviewTest::pageBoxRefusesEmptyText()
{
    const PreviewRun run = RunPreview(*m_sheet, [](TppPrintPreview &window) {
        TypeAndEnter(PreviewOf(window).PageBox(), QString());
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QVERIFY(window.isVisible());
    });
    QCOMPARE(run.messages, QStringList{QStringLiteral("'' is not a valid integer value.")});
}

void PrintPreviewTest::pageBoxGoesToPage()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(5);
    const PreviewRun run = RunPreview(*fixture.report, [](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        TypeAndEnter(preview.PageBox(), QStringLiteral("4"));
        QCOMPARE(window.Viewer().CurrentPageNo(), 4);
        QCOMPARE(preview.PageBox()->text(), QStringLiteral("4"));
        // Beyond the end: the last page.
        TypeAndEnter(preview.PageBox(), QStringLiteral("99"));
        QCOMPARE(window.Viewer().CurrentPageNo(), 5);
        QCOMPARE(StatusOf(window), QStringLiteral("Page 5 of 5"));
        QTest::keyClick(&window, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(window.Viewer().CurrentPageNo(), 2);
        QTest::mouseClick(preview.PriorButton(), Qt::LeftButton);
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QTest::mouseClick(preview.PriorButton(), Qt::LeftButton);
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
    });
    QVERIFY(run.messages.isEmpty());
}

void PrintPreviewTest::ctrlEndOnOnePageDoesNothing()
{
    int requests = 0;
    m_sheet->OnPageRequest = [&](TppPublisher &, const TppPageRequest &) { ++requests; };
    RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        QCOMPARE(requests, 1);
        const QImage before = ViewerImage(window);
        QTest::keyClick(&window, Qt::Key_End, Qt::ControlModifier);
        QTest::mouseClick(PreviewOf(window).NextButton(), Qt::LeftButton);
        QTest::mouseClick(PreviewOf(window).LastButton(), Qt::LeftButton);
        QCOMPARE(requests, 1);
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QCOMPARE(ViewerImage(window), before);
    });
}

void PrintPreviewTest::modalPreviewFiresEachEventOnce()
{
    QStringList events;
    auto record = [&](const char *name) {
        return [&events, name](TppCustomReport &) { events << QString::fromLatin1(name); };
    };
    m_sheet->BeforePrint = record("BeforePrint");
    m_sheet->AfterPrint = record("AfterPrint");
    m_sheet->OnPrintingComplete = record("OnPrintingComplete");
    m_sheet->OnPreviewFormCreate = record("OnPreviewFormCreate");
    m_sheet->OnPreviewFormClose = record("OnPreviewFormClose");
    RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        QCOMPARE(events, (QStringList{"OnPreviewFormCreate", "BeforePrint"}));
        // Zooming and navigating fire nothing.
        QTest::mouseClick(PreviewOf(window).HundredPercentButton(), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(events.size(), 2);
    });
    QCOMPARE(events,
             (QStringList{"OnPreviewFormCreate", "BeforePrint", "AfterPrint", "OnPreviewFormClose"}));
}

void PrintPreviewTest::secondPrintWhilePreviewOpenDoesNothing()
{
    int created = 0;
    m_sheet->OnPreviewFormCreate = [&](TppCustomReport &) { ++created; };
    RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        TppCustomPreviewer *open = m_sheet->PreviewForm();
        QVERIFY(open);
        m_sheet->Print();
        QCOMPARE(m_sheet->PreviewForm(), open);
        QCOMPARE(created, 1);
        QVERIFY(window.isVisible());
    });
    QCOMPARE(created, 1);
}

void PrintPreviewTest::closeCancelsLongProduction()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(20000);
    int pages = 0;
    bool sawBusy = false;
    TppPrintPreview *open = nullptr;
    // While the engine produces, it lets the window handle its messages: the
    // user sees the busy state and presses Cancel.
    fixture.report->OnEndPage = [&](TppCustomReport &) {
        if (++pages != 300 || !open)
            return;
        TppPreview &preview = PreviewOf(*open);
        sawBusy = open->Viewer().Busy();
        QCOMPARE(preview.CloseButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(!preview.ZoomBox()->isEnabled());
        QVERIFY(!preview.PageBox()->isEnabled());
        QCOMPARE(open->Viewer().cursor().shape(), Qt::WaitCursor);
        QCOMPARE(preview.CloseButton()->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(StatusOf(*open).startsWith(QStringLiteral("Calculating page ")));
        QTimer::singleShot(0, open, [&] { QTest::mouseClick(preview.CloseButton(), Qt::LeftButton); });
    };
    const PreviewRun run = RunPreview(*fixture.report, [&](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        QCOMPARE(preview.CloseButton()->text(), QStringLiteral("Close"));
        pages = 0;
        open = &window;
        QTest::mouseClick(preview.LastButton(), Qt::LeftButton);
        QVERIFY(!window.Viewer().Busy());
        QVERIFY(pages >= 300 && pages < 20000);
        QVERIFY(window.isVisible());
        QCOMPARE(preview.CloseButton()->text(), QStringLiteral("Close"));
        QVERIFY(preview.ZoomBox()->isEnabled());
        // The page on display stays what the image shows.
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QCOMPARE(StatusOf(window), QStringLiteral("Page 1"));
        const QImage shown = ViewerImage(window);
        QTest::mouseClick(preview.PageWidthButton(), Qt::LeftButton);
        QTest::mouseClick(preview.WholePageButton(), Qt::LeftButton);
        QCOMPARE(ViewerImage(window), shown);
        // Navigation goes on.
        QTest::mouseClick(preview.NextButton(), Qt::LeftButton);
        QCOMPARE(window.Viewer().CurrentPageNo(), 2);
        // Close now closes.
        QTest::mouseClick(preview.CloseButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    });
    QVERIFY(sawBusy);
    QVERIFY(run.messages.isEmpty());
}

// The window manager's close (not the Cancel button) while a long report is
// produced: the window stays until the cancelled job has ended, then closes
// by itself, and the request ends as after any close.
void PrintPreviewTest::closingWhileBusyWaitsForTheCancelledJob()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(20000);
    int pages = 0;
    QStringList events;
    fixture.report->AfterPrint = [&](TppCustomReport &) { events << QStringLiteral("AfterPrint"); };
    fixture.report->OnPreviewFormClose = [&](TppCustomReport &) { events << QStringLiteral("Close"); };
    TppPrintPreview *open = nullptr;
    bool visibleAfterClose = false;
    fixture.report->OnEndPage = [&](TppCustomReport &) {
        if (++pages != 300 || !open)
            return;
        QTimer::singleShot(0, open, [&] {
            open->close();
            visibleAfterClose = open->isVisible();
        });
    };
    const PreviewRun run = RunPreview(*fixture.report, [&](TppPrintPreview &window) {
        pages = 0;
        open = &window;
        QTest::mouseClick(PreviewOf(window).LastButton(), Qt::LeftButton);
        QVERIFY(pages >= 300 && pages < 20000);
        QTRY_VERIFY(!window.isVisible());
    });
    QVERIFY(visibleAfterClose);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(events, (QStringList{"AfterPrint", "Close"}));
    QCOMPARE(fixture.report->PreviewForm(), nullptr);
    QVERIFY(!fixture.report->Producing());
    QVERIFY(!fixture.report->Printing());
    QCOMPARE(fixture.report->RequestPhase(), TppRequestPhase::Idle);
}

void PrintPreviewTest::navigationOnGeneratedPages()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(50);
    fixture.report->SetCachePages(true);
    RunPreview(*fixture.report, [&](TppPrintPreview &window) {
        TppViewer &viewer = window.Viewer();
        viewer.LastPage();
        QCOMPARE(viewer.CurrentPageNo(), 50);
        fixture.generated.clear();
        // Generated pages come back from the publisher's cache.
        viewer.FirstPage();
        for (int page = 2; page <= 10; ++page) {
            QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
            QCOMPARE(viewer.CurrentPageNo(), page);
            QCOMPARE(PreviewOf(window).PageBox()->text(), QString::number(page));
        }
        QVERIFY(fixture.generated.isEmpty());
        QCOMPARE(StatusOf(window), QStringLiteral("Page 10 of 50"));
    });
}

void PrintPreviewTest::generationErrorKeepsPreviewOpen()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(3);
    int failures = 1;
    fixture.report->OnEndPage = [&](TppCustomReport &) {
        if (failures > 0) {
            --failures;
            throw std::runtime_error("Datos no disponibles");
        }
    };
    bool usable = false;
    const PreviewRun run = RunPreview(
        *fixture.report,
        [&](TppPrintPreview &window) {
            QVERIFY(window.isVisible());
            QCOMPARE(window.Viewer().CurrentPageNo(), 0);
            // Still usable: the next request generates the page.
            window.Viewer().ScreenDevice().ResetDevice();
            window.Viewer().GotoPage(2);
            QCOMPARE(window.Viewer().CurrentPageNo(), 2);
            usable = true;
        },
        [](TppPrintPreview &window) { return !window.Viewer().Busy() && window.Viewer().ScreenDevice().JobOpen() == false && window.Viewer().Status() != ""; });
    QCOMPARE(run.messages.size(), 1);
    QVERIFY(run.messages.first().startsWith(QStringLiteral("Cannot generate report.\r\n\r\nDatos no disponibles")));
    QVERIFY(usable);
}

namespace {

// Keeps a window from ever being activated as far as the window can tell,
// as a window manager with focus-stealing prevention would.
class ActivationRefusal : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::ActivationChange && type != QEvent::WindowActivate)
            return false;
        ++refused;
        return true;
    }
    int refused = 0;
};

// The preview window in the modal loop, active or not.
TppPrintPreview *OpenPreview()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = dynamic_cast<TppPrintPreview *>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

void PrintPreviewTest::firstPageWithoutActivation()
{
    ActivationRefusal refusal;
    m_sheet->OnPreviewFormCreate = [&](TppCustomReport &report) {
        auto *window = dynamic_cast<TppPrintPreview *>(report.PreviewForm());
        QVERIFY(window);
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->installEventFilter(&refusal);
    };
    bool pageSeen = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, [&] {
        TppPrintPreview *window = OpenPreview();
        if (!window)
            return;
        pageSeen = window->Viewer().CurrentPageNo() == 1 && !window->Viewer().Busy();
        if (pageSeen || clock.elapsed() > 10000)
            window->close();
    });
    poll.start();
    m_sheet->Print();
    poll.stop();
    QVERIFY(pageSeen);
    QVERIFY(!m_sheet->Producing());
}

void PrintPreviewTest::escapeClosesFromAnywhere_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("nothing focused") << QString();
    QTest::newRow("zoom box") << "ZoomBox";
    QTest::newRow("page box") << "PageBox";
    QTest::newRow("print button") << "PrintButton";
}

void PrintPreviewTest::escapeClosesFromAnywhere()
{
    QFETCH(QString, focus);
    bool closed = false;
    const PreviewRun run = RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        QWidget *target = &window;
        if (!focus.isEmpty()) {
            target = window.findChild<QWidget *>(focus);
            QVERIFY(target);
            target->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), target);
        }
        QTest::keyClick(target, Qt::Key_Escape);
        closed = !window.isVisible();
    });
    QVERIFY(closed);
    QVERIFY(run.messages.isEmpty());
    QVERIFY(!m_sheet->PreviewForm());
}

void PrintPreviewTest::escapeCancelsWhileBusy()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(20000);
    int pages = 0;
    TppPrintPreview *open = nullptr;
    fixture.report->OnEndPage = [&](TppCustomReport &) {
        if (++pages == 300 && open)
            QTimer::singleShot(0, open, [&] { QTest::keyClick(open, Qt::Key_Escape); });
    };
    const PreviewRun run = RunPreview(*fixture.report, [&](TppPrintPreview &window) {
        pages = 0;
        open = &window;
        QTest::keyClick(&window, Qt::Key_End, Qt::ControlModifier);
        // Cancelled, not closed: the window stays with the page it showed.
        QVERIFY(pages >= 300 && pages < 20000);
        QVERIFY(!window.Viewer().Busy());
        QVERIFY(window.isVisible());
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        QCOMPARE(PreviewOf(window).CloseButton()->text(), QStringLiteral("Close"));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    });
    QVERIFY(run.messages.isEmpty());
}

void PrintPreviewTest::ctrlPPrintsAsThePrintButton()
{
    // The print dialog that Ctrl+P opens is cancelled at once.
    const TppPrintRegistration printing;
    int dialogs = 0;
    QTimer dialogWatch;
    dialogWatch.setInterval(5);
    connect(&dialogWatch, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QLatin1String("TppPrintDialog") && modal->isVisible()) {
            ++dialogs;
            QTest::keyClick(modal, Qt::Key_Escape);
            if (modal->isVisible())
                static_cast<QDialog *>(modal)->reject();
        }
    });
    dialogWatch.start();
    const PreviewRun run = RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        QCOMPARE(preview.Action(paPrint)->shortcut(), QKeySequence(QKeySequence::Print));
        QCOMPARE(preview.Action(paCancel)->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(preview.PrintButton()->defaultAction(), preview.Action(paPrint));
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs, 1);
        QVERIFY(window.isVisible());
        QCOMPARE(window.Viewer().CurrentPageNo(), 1);
        // From a box as well, once the window manager has given the
        // activation back from the closed dialog (shortcuts need it).
        QVERIFY(QTest::qWaitForWindowActive(&window));
        preview.PageBox()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preview.PageBox(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs, 2);
    });
    dialogWatch.stop();
    QVERIFY(run.messages.isEmpty());
}

void PrintPreviewTest::toolBarByKeyboard()
{
    const PreviewRun run = RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        // At rest nothing on the tool bar has the focus.
        QVERIFY(!preview.OuterToolPanel()->isAncestorOf(QApplication::focusWidget()));
        // Tab walks the tool bar in its order, the boxes included.
        const QList<QWidget *> order{preview.PrintButton(),     preview.WholePageButton(),
                                     preview.PageWidthButton(), preview.HundredPercentButton(),
                                     preview.ZoomBox(),         preview.FirstButton(),
                                     preview.PriorButton(),     preview.PageBox(),
                                     preview.NextButton(),      preview.LastButton(),
                                     preview.CloseButton()};
        for (QWidget *expected : order) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
        // Space and Enter press the focused button.
        preview.HundredPercentButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preview.HundredPercentButton(), Qt::Key_Space);
        QTRY_COMPARE(window.Viewer().ZoomSetting(), zs100Percent);
        preview.PageWidthButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preview.PageWidthButton(), Qt::Key_Return);
        QTRY_COMPARE(window.Viewer().ZoomSetting(), zsPageWidth);
        preview.CloseButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preview.CloseButton(), Qt::Key_Return);
        QTRY_VERIFY(!window.isVisible());
    });
    QVERIFY(run.messages.isEmpty());
}

QTEST_MAIN(PrintPreviewTest)
#include "print_preview_test.moc"
