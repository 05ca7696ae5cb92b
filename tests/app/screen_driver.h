#pragma once

// Drives the program's real windows in tests: shows the variable-selection
// screen, clicks buttons that open modal windows, and records what those
// windows showed before closing them.

#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"
#include "preview/print_preview.h"
#include "preview/viewer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

// What the results screen showed.
struct ResultsSnapshot {
    QString SampleSize, Error, Confidence, Proportion, DesignEffect, ResponseRate, Population;
    bool ProportionMark = false, DesignEffectMark = false, ResponseRateMark = false;
    bool PopulationCaption = false, PopulationMark = false;
    bool ErrorMark = false, ConfidenceMark = false;
};

inline ResultsSnapshot TakeSnapshot(Form3 &form3)
{
    const Ui::Form3 &ui = form3.ui;
    ResultsSnapshot s;
    s.SampleSize = ui.Label2->text();
    s.Error = ui.Label3->text();
    s.Confidence = ui.Label4->text();
    s.Proportion = ui.Label5->text();
    s.DesignEffect = ui.Label16->text();
    s.ResponseRate = ui.Label17->text();
    s.Population = ui.Label18->text();
    s.ErrorMark = !ui.Image2->isHidden();
    s.ConfidenceMark = !ui.Image3->isHidden();
    s.ProportionMark = !ui.Image4->isHidden();
    s.DesignEffectMark = !ui.Image5->isHidden();
    s.ResponseRateMark = !ui.Image6->isHidden();
    s.PopulationCaption = !ui.Label1->isHidden();
    s.PopulationMark = !ui.Image7->isHidden();
    return s;
}

// One modal window that opened while a button was handled.
struct ModalSeen {
    enum Kind { Message, Results, Definitions, Other } kind = Other;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ResultsSnapshot results;
};

// Runs the action and handles every modal window that opens meanwhile:
// message boxes are read and accepted, the results screen is read (and
// `onResults` may act on it) and closed, the definitions screen is closed.
inline std::vector<ModalSeen> HandleModals(Application &app, const std::function<void()> &action,
                                           std::function<void(Form3 &)> onResults = {})
{
    std::vector<ModalSeen> seen;
    QPointer<QWidget> handled;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == handled || !modal->isVisible())
            return;
        // Act only once the window is the active one, as a user would.
        if (QApplication::activeWindow() != modal)
            return;
        handled = modal;
        ModalSeen entry;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            entry.kind = ModalSeen::Message;
            entry.text = box->text();
            entry.title = box->windowTitle();
            entry.icon = box->icon();
            seen.push_back(entry);
            box->accept();
        } else if (modal == &app.form3()) {
            entry.kind = ModalSeen::Results;
            entry.results = TakeSnapshot(app.form3());
            seen.push_back(entry);
            if (onResults)
                onResults(app.form3());
            if (app.form3().isVisible())
                app.form3().close();
        } else if (modal == &app.form4()) {
            entry.kind = ModalSeen::Definitions;
            seen.push_back(entry);
            app.form4().close();
        } else {
            seen.push_back(entry);
            modal->close();
        }
        handled = nullptr;
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

inline std::vector<ModalSeen> ClickThroughModals(Application &app, QAbstractButton *button,
                                                 std::function<void(Form3 &)> onResults = {})
{
    return HandleModals(app, [button] { QTest::mouseClick(button, Qt::LeftButton); }, std::move(onResults));
}

// The variable-selection screen shown and active, as "CONTINUAR" leaves it,
// but without the nested event loop, so that a test can go on step by step.
inline bool ShowSelectionScreen(Application &app)
{
    Form2 &form2 = app.form2();
    form2.show();
    form2.activateWindow();
    return QTest::qWaitForWindowActive(&form2);
}

// Types into a field as a user does: focus, select all, type.
inline void TypeInto(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

inline int CountMessages(const std::vector<ModalSeen> &seen)
{
    int count = 0;
    for (const ModalSeen &entry : seen)
        count += entry.kind == ModalSeen::Message ? 1 : 0;
    return count;
}

inline bool ResultsOpened(const std::vector<ModalSeen> &seen)
{
    for (const ModalSeen &entry : seen) {
        if (entry.kind == ModalSeen::Results)
            return true;
    }
    return false;
}

// Sends a key from the event loop: the key may open a window with its own
// modal loop, which must not block the driver. `pending` counts the keys
// whose handling has not ended.
inline void PressLater(QWidget *target, Qt::Key key, int &pending, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    ++pending;
    QTimer::singleShot(0, target, [target, key, modifiers, &pending] {
        QTest::keyClick(target, key, modifiers);
        --pending;
    });
}

// One step of the print road from an open preview, by keyboard: Ctrl+P once
// the first page shows after `opened` is on the road, Enter in the print
// dialog, Escape once printing has done all it does. False when `active` is
// neither the preview nor the print dialog at its step.
inline bool StepThroughPreviewPrint(QWidget *active, const QString &opened, QStringList &road, int &pending,
                                    int &pendingBeforePrinting)
{
    const QString last = road.isEmpty() ? QString() : road.last();
    if (auto *preview = dynamic_cast<TppPrintPreview *>(active)) {
        const bool idle = !preview->Viewer().Busy() && preview->Viewer().CurrentPageNo() == 1;
        if (idle && last == opened) {
            road << "Ctrl+P";
            pendingBeforePrinting = pending;
            PressLater(preview, Qt::Key_P, pending, Qt::ControlModifier);
        } else if (idle && last == "OK" && pending == pendingBeforePrinting) {
            // Ctrl+P has done all it does: the sheet is on its way.
            road << "Escape";
            PressLater(preview, Qt::Key_Escape, pending);
        }
        return true;
    }
    if (active->objectName() == QLatin1String("TppPrintDialog") && last == "Ctrl+P") {
        road << "OK";
        PressLater(QApplication::focusWidget() ? QApplication::focusWidget() : active, Qt::Key_Return, pending);
        return true;
    }
    return false;
}
