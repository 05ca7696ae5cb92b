#pragma once

#include "preview/report_form.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include <memory>

namespace Ui {
class TppCancelDialog;
}
class QTimer;

// The small "Printing" window of a print job: it shows the device's status
// lines and lets the user cancel. It observes the job and runs no loop of
// its own; shown modally, it keeps the user's input to itself while the job
// lets events in.
class TppCancelDialog : public QDialog, public TppCustomCancelDialog
{
    Q_OBJECT

public:
    explicit TppCancelDialog(QWidget *parent = nullptr);
    ~TppCancelDialog() override;

    void Show() override;
    void Close() override;
    void SetIcon(const TppPicture &icon) override;

    // Shows StatusText: the job's first two lines at once, then at most ten
    // times a second, the latest line each time.
    void StatusChanged() override;

protected:
    void LanguageChanged() override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void reject() override;

private:
    void CancelPressed();
    void ShowStatus();

    std::unique_ptr<Ui::TppCancelDialog> m_ui;
    QTimer *m_statusTimer = nullptr;
    QElapsedTimer m_sinceStatusShown;
    int m_linesShown = 0;
    bool m_statusPending = false;
    // The window that was active when the dialog was shown non-modally.
    QPointer<QWidget> m_priorActiveForm;
};
