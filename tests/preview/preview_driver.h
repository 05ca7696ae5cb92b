#pragma once

// Drives a modal print preview in tests: prints a report (which opens the
// preview and runs its modal loop), acts on the open window once its first
// page is on show, and closes it. Message boxes that open meanwhile are read
// and accepted.

#include "output/screen_device.h"
#include "platform/qt/image_canvas.h"
#include "preview/custom_preview.h"
#include "preview/preview.h"
#include "preview/print_preview.h"
#include "preview/viewer.h"
#include "report/custom_report.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

inline TppPreview &PreviewOf(TppPrintPreview &window)
{
    return static_cast<TppPreview &>(window.Preview());
}

inline QString StatusOf(TppPrintPreview &window)
{
    return window.Preview().StatusText();
}

// The page image of the window's viewer, in device pixels.
inline QImage ViewerImage(TppPrintPreview &window)
{
    const auto *canvas = dynamic_cast<const platform::ImageCanvas *>(
        window.Viewer().ScreenDevice().PageCanvas());
    return canvas ? canvas->Image().copy() : QImage();
}

struct PreviewRun {
    QStringList messages; // texts of the message boxes that opened
    bool opened = false;
};

// Prints `report`; once the preview shows its first page (or `ready` says
// so), runs `whileOpen` on it from the event loop, then closes the window
// unless `whileOpen` did. Gives up after `timeoutMs`.
inline PreviewRun RunPreview(TppCustomReport &report,
                             const std::function<void(TppPrintPreview &)> &whileOpen,
                             const std::function<bool(TppPrintPreview &)> &ready = {},
                             int timeoutMs = 20000)
{
    PreviewRun run;
    bool acted = false;
    bool acting = false;
    // Message boxes get a timer of their own: a timer does not fire again
    // while its own handler runs, and the boxes open inside that handler.
    QTimer boxes;
    boxes.setInterval(5);
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && box->isVisible()) {
            run.messages << box->text();
            box->accept();
        }
    });
    boxes.start();
    QTimer poll;
    poll.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *window = dynamic_cast<TppPrintPreview *>(QApplication::activeModalWidget());
        if (!window)
            return;
        run.opened = true;
        if (clock.elapsed() > timeoutMs) {
            window->Viewer().Cancel();
            window->close();
            return;
        }
        if (acting || acted || !window->isActiveWindow())
            return;
        const bool isReady = ready ? ready(*window)
                                   : (!window->Viewer().Busy() && window->Viewer().CurrentPageNo() >= 1);
        if (!isReady)
            return;
        acting = true;
        whileOpen(*window);
        acting = false;
        acted = true;
        if (window->isVisible())
            window->close();
    });
    poll.start();
    report.Print();
    poll.stop();
    boxes.stop();
    return run;
}

// Presses Enter in a box after typing `text` into it.
inline void TypeAndEnter(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    box->setCursorPosition(0);
    if (!text.isEmpty())
        QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}
