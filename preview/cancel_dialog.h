#pragma once

#include "report/report_form.h"

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class TppCancelDialog;
}
class QTimer;

// The small "Printing" window of a print job: it shows the device's status
// lines and lets the user cancel. Shown modally, the job runs from its
// activation, and the window closes itself 10 ms after the job.
class TppCancelDialog : public QDialog, public TppCustomCancelDialog
{
    Q_OBJECT

public:
    explicit TppCancelDialog(QWidget *parent = nullptr);
    ~TppCancelDialog() override;

    TppModalResult ShowModal() override;
    void Show() override;
    void Close() override;
    void SetIcon(const TppPicture &icon) override;

    void StatusChanged() override;
    void StartCloseTimer() override;

protected:
    void LanguageChanged() override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void reject() override;

private:
    void ActivatedByWindowSystem();
    void CancelPressed();

    std::unique_ptr<Ui::TppCancelDialog> m_ui;
    QTimer *m_closeTimer = nullptr;
    // The window that was active when the dialog was shown non-modally.
    QPointer<QWidget> m_priorActiveForm;
    bool m_activated = false;
};
