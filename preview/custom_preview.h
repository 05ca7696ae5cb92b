// TppCustomPreview: the contents of a print preview window (viewer and status bar) without its tool bar.
#pragma once

#include "output/screen_viewer.h"

#include <QObject>

#include <cstdint>
#include <functional>

class QStatusBar;
class QLabel;
class QWidget;
class TppCustomReport;
class TppViewer;

// The actions of a preview's tool bar, by the number each button carries.
enum TppPreviewAction : int {
    paPrint = 0,
    paSearch = 1,
    paWholePage = 2,
    paPageWidth = 3,
    paHundredPercent = 4,
    paFirstPage = 5,
    paPriorPage = 6,
    paNextPage = 7,
    paLastPage = 8,
    paCancel = 9,
    paClose = 10,
};

// What a preview window is built from at run time: a viewer filling the
// window, and whatever a subclass adds around it (TppPreview: the tool bar).
// The window owns it (not as a Qt child); the viewer belongs to the window
// as a child widget.
class TppCustomPreview : public QObject {
    Q_OBJECT

public:
    // Creates the viewer in the window; subclasses then build their controls.
    explicit TppCustomPreview(QWidget &form);
    ~TppCustomPreview() override;

    QWidget &Form() const { return m_form; }
    TppViewer &Viewer() const { return *m_viewer; }
    TppCustomReport *Report() const { return m_report; }

    // The window's status bar (not owned); its one panel shows the viewer's
    // status while the viewer is busy.
    QStatusBar *StatusBar() const { return m_statusBar; }
    void SetStatusBar(QStatusBar *statusBar);
    QString StatusText() const;

    // Closes the window.
    std::function<void()> CloseHandler;
    // Called around printing; none in this program.
    std::function<void()> BeforePrintHook;
    std::function<void()> AfterPrintHook;

    virtual void PageChanged() { }
    virtual void PrintStateChanged() { }
    virtual void StatusChanged();
    // Forgets the report and keeps the screen device out of jobs.
    virtual void Deactivate();
    // Takes the viewer's report and lets its screen device take part in jobs.
    virtual void Init();
    virtual void CancelPrinting();
    // The library texts' language, which the window hands on; the screen
    // device's status lines follow it too.
    std::int32_t LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(std::int32_t index);
    virtual void LanguageChanged() { }
    virtual void PerformAction(int action);
    virtual void Print();
    virtual void ZoomTo(TppZoomSettingType zoom);
    // The window's keys: page moves with Ctrl, scrolling without.
    virtual void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void SetStatusText(const QString &text);

private:
    QWidget &m_form;
    TppViewer *m_viewer;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanel = nullptr;
    TppCustomReport *m_report = nullptr;
    std::int32_t m_languageIndex = 0;
};
