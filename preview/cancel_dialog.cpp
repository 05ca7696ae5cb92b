#include "preview/cancel_dialog.h"

#include "assets/library_texts.h"
#include "preview/dialog_guard.h"
#include "ui_cancel_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kCloseDelayMs = 10;
// Without a window manager a window may never be told it became active;
// the job then starts this long after the dialog was shown.
constexpr int kActivationFallbackMs = 250;

} // namespace

TppCancelDialog::TppCancelDialog(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TppCancelDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
    m_ui->memMessage->clear();
    m_closeTimer = new QTimer(this);
    m_closeTimer->setSingleShot(true);
    m_closeTimer->setInterval(kCloseDelayMs);
    connect(m_closeTimer, &QTimer::timeout, this, [this] { done(QDialog::Accepted); });
    connect(m_ui->btnCancel, &QPushButton::clicked, this, [this] { RunDialogHandler([this] { CancelPressed(); }); });
}

TppCancelDialog::~TppCancelDialog()
{
    Destroying();
}

TppModalResult TppCancelDialog::ShowModal()
{
    m_activated = false;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(kActivationFallbackMs, this, [this] {
        if (!m_activated && isVisible())
            ActivatedByWindowSystem();
    });
    const int result = exec();
    return result == QDialog::Accepted ? mrOK : mrCancel;
}

void TppCancelDialog::Show()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void TppCancelDialog::Close()
{
    QDialog::reject();
}

void TppCancelDialog::SetIcon(const TppPicture &icon)
{
    try {
        const TppBitmap bitmap = platform::RenderPicture(icon, icon.Width(), icon.Height());
        const QImage image(reinterpret_cast<const uchar *>(bitmap.Pixels.data()), bitmap.Width, bitmap.Height,
                           QImage::Format_ARGB32);
        setWindowIcon(QPixmap::fromImage(image.copy()));
    } catch (const TppPictureError &) {
    }
}

void TppCancelDialog::LanguageChanged()
{
    setWindowTitle(QString::fromStdString(LibraryText(ltPrinting)));
    QPushButton *button = m_ui->btnCancel;
    button->setText(QString::fromStdString(LibraryText(ltCancel)));
    const int width = QFontMetrics(QApplication::font()).horizontalAdvance(button->text()) + 30;
    button->setGeometry((this->width() - width) / 2, button->y(), width, button->height());
}

void TppCancelDialog::StatusChanged()
{
    m_ui->memMessage->setText(QString::fromStdString(StatusText()));
}

void TppCancelDialog::StartCloseTimer()
{
    m_closeTimer->start();
}

void TppCancelDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated)
        ActivatedByWindowSystem();
}

// The dialog is activated once, as its showing begins: windows closing over
// it later (an error message of the job) do not start anything again.
void TppCancelDialog::ActivatedByWindowSystem()
{
    m_activated = true;
    m_ui->btnCancel->setEnabled(AllowCancel());
    RunDialogHandler([this] { Activated(); });
}

void TppCancelDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!ShownModally())
        m_priorActiveForm = QApplication::activeWindow();
    activateWindow();
}

void TppCancelDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    QWidget *prior = m_priorActiveForm;
    if (ShownModally() || !prior || prior->isEnabled())
        return;
    // A window disabled while the job ran is given back to the user.
    prior->setEnabled(true);
    if (prior->focusPolicy() != Qt::NoFocus && QApplication::activeWindow() == this)
        prior->setFocus();
}

void TppCancelDialog::reject()
{
    // Esc, as the cancel button; nothing while cancelling is not allowed.
    if (!m_ui->btnCancel->isEnabled() && m_activated)
        return;
    RunDialogHandler([this] { CancelPressed(); });
}

void TppCancelDialog::CancelPressed()
{
    DoCancel();
    QDialog::reject();
}
