// The report windows as the print request sees them: the base of every window and the three abstract ones.
#pragma once

#include "output/device_status_window.h"
#include "output/page_request.h"
#include "platform/picture.h"

#include <cstdint>
#include <functional>
#include <string>

class TppCustomReport;
class TppPrinter;

// How a modally shown window was closed.
enum TppModalResult : std::uint8_t { mrNone, mrOK, mrCancel };

// Base of every report window and dialog: what a print request sets on a
// window it creates, and the few window operations it calls. The windows
// themselves are toolkit classes deriving from one of the abstract classes
// below; the print request finds them through the form class registry and never
// names a concrete window.
class TppForm {
public:
    using Hook = std::function<void()>;

    TppForm() = default;
    TppForm(const TppForm &) = delete;
    TppForm &operator=(const TppForm &) = delete;
    // Runs the destroy hooks if the concrete window has not done so.
    virtual ~TppForm();

    // Set by the print request after creating the window; an unset hook is skipped.
    Hook ActivateHook; // after each activation of the window
    Hook CancelHook;   // by DoCancel
    Hook CloseHook;    // when the window is destroyed, first
    Hook DestroyHook;  // when the window is destroyed, second
    // A window shown non-modally that the user closes asks its owner to
    // release it; the owner destroys it once control is back in the event
    // loop, never from inside the window's own handler.
    Hook ReleaseHook;

    TppCustomReport *Report() const { return m_report; }
    void SetReport(TppCustomReport *report);

    std::int32_t LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(std::int32_t index);

    virtual void DoCancel();
    // Runs the close and destroy hooks now, just before the owner destroys
    // the window, so that no handler runs inside its destructor.
    void Retire() { Destroying(); }

    // Window operations, implemented by the toolkit window.
    virtual void Show() = 0;
    virtual void Close() = 0;
    virtual void SetIcon(const TppPicture &icon) = 0;

protected:
    // Sets the captions and texts from the library text table.
    virtual void LanguageChanged() { }
    virtual void ReportAssigned() { }

    // The concrete window calls this from its activation notice.
    void Activated();
    // The concrete window calls this first thing in its destructor, while
    // it is still whole; the hooks run once.
    void Destroying();
    // The concrete window calls this when the user closed it while it was
    // shown non-modally.
    void RequestRelease();

private:
    TppCustomReport *m_report = nullptr;
    std::int32_t m_languageIndex = 0;
    bool m_destroyed = false;
};

// TppCustomPreviewer: the print preview window as the print request sees it;
// TppPrintPreview (preview/) is the window itself.
class TppCustomPreviewer : public TppForm {
public:
    static constexpr const char *AbstractClassName = "TppCustomPreviewer";

    // Called once, after the report has been assigned.
    virtual void Init() { }
    virtual TppModalResult ShowModal() = 0;
};

// The print dialog: the print request fills these fields before showing it and
// reads them back after OK.
class TppCustomPrintDialog : public TppForm {
public:
    static constexpr const char *AbstractClassName = "TppCustomPrintDialog";

    bool AllowPrintToArchive() const { return m_allowPrintToArchive; }
    void SetAllowPrintToArchive(bool value) { m_allowPrintToArchive = value; }
    bool AllowPrintToFile() const { return m_allowPrintToFile; }
    void SetAllowPrintToFile(bool value) { m_allowPrintToFile = value; }
    const std::string &ArchiveFileName() const { return m_archiveFileName; }
    void SetArchiveFileName(const std::string &value) { m_archiveFileName = value; }
    // In: the report's device type; out: that of the chosen file type.
    const std::string &DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string &value) { m_deviceType = value; }
    const std::string &TextFileName() const { return m_textFileName; }
    void SetTextFileName(const std::string &value) { m_textFileName = value; }

    // The pages to print; the dialog's own.
    TppPageRequest &PageRequest() { return m_pageRequest; }
    const TppPageRequest &PageRequest() const { return m_pageRequest; }

    // The printer object of the report's printer device; the dialog changes
    // its setup directly. Not owned.
    TppPrinter *Printer() const { return m_printer; }
    void SetPrinter(TppPrinter *printer) { m_printer = printer; }

    bool PrintToArchive() const { return m_printToArchive; }
    bool PrintToFile() const { return m_printToFile; }

    virtual void Init() = 0;
    virtual TppModalResult ShowModal() = 0;

protected:
    void SetPrintToArchive(bool value) { m_printToArchive = value; }
    void SetPrintToFile(bool value) { m_printToFile = value; }

private:
    bool m_allowPrintToArchive = false;
    bool m_allowPrintToFile = false;
    std::string m_archiveFileName;
    std::string m_deviceType;
    std::string m_textFileName;
    TppPageRequest m_pageRequest;
    TppPrinter *m_printer = nullptr;
    bool m_printToArchive = false;
    bool m_printToFile = false;
};

// The small dialog that shows a print job's progress and can cancel it.
// Devices write their status lines into it. It observes the job and runs no
// loop of its own: shown modally, it only keeps the user's input to itself.
class TppCustomCancelDialog : public TppForm, public TppStatusWindow {
public:
    static constexpr const char *AbstractClassName = "TppCustomCancelDialog";

    bool AllowCancel() const { return m_allowCancel; }
    void SetAllowCancel(bool value) { m_allowCancel = value; }
    bool ShownModally() const { return m_shownModally; }
    void SetShownModally(bool value) { m_shownModally = value; }

    const std::string &StatusText() const override { return m_statusText; }
    void SetStatusText(const std::string &text) override { m_statusText = text; }
    void StatusChanged() override { }

private:
    bool m_allowCancel = false;
    bool m_shownModally = false;
    std::string m_statusText;
};
