// TppPrintPreview: the print preview window itself, holding the contents the preview plug-in builds.
#pragma once

#include "preview/user_settings.h"
#include "preview/report_form.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TppPrintPreview;
}
class QStatusBar;
class TppCustomPreview;
class TppViewer;

// The print preview window a report opens when it prints to the screen: the
// report's pages in a viewer, below a tool bar, above a status bar. Its
// contents are built at run time by the preview class registered in
// TppPreviewPlugIn. The report owns the window for its print request.
class TppPrintPreview : public QDialog, public TppCustomPreviewer {
    Q_OBJECT

public:
    explicit TppPrintPreview(TppCustomReport *owner = nullptr);
    ~TppPrintPreview() override;

    TppViewer &Viewer() const;
    TppCustomPreview &Preview() const { return *m_preview; }
    QStatusBar *StatusBar() const { return m_statusBar; }

    // Connects the viewer to the report, then lets the preview set the tool
    // bar's state.
    void Init() override;

    TppModalResult ShowModal() override;
    void Show() override;
    void Close() override;
    void SetIcon(const TppPicture &icon) override;

    // Hints show only while this is on; the window starts with it off.
    bool ShowHint() const { return property("showHint").toBool(); }
    void SetShowHint(bool value) { setProperty("showHint", value); }

protected:
    void LanguageChanged() override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void PlaceWindow();
    void StorePlace() const;
    void CloseWhenIdle();
    void StartProduction();

    std::unique_ptr<Ui::TppPrintPreview> m_ui;
    QStatusBar *m_statusBar = nullptr;
    std::unique_ptr<TppCustomPreview> m_preview;
    bool m_modal = false;
    bool m_productionStarted = false;
    bool m_closePending = false;
    // Where and at what zoom the last preview was left; none the first time.
    std::optional<user_settings::PreviewPlace> m_storedPlace;
};
