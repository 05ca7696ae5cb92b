#include "preview/cancel_dialog.h"

#include "assets/library_texts.h"
#include "platform/handler_guard.h"
#include "preview/library_caption.h"
#include "preview/window_icon.h"
#include "ui_cancel_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QTimer>

namespace {

// A job's status line changes with every page; after its first lines it is
// shown at most this often, so that repainting never holds up the pages.
constexpr int kStatusIntervalMs = 100;
constexpr int kLinesShownAtOnce = 2;

} // namespace

TppCancelDialog::TppCancelDialog(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TppCancelDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
    m_ui->memMessage->clear();
    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    connect(m_statusTimer, &QTimer::timeout, this, [this] { ShowStatus(); });
    connect(m_ui->btnCancel, &QPushButton::clicked, this, [this] { platform::RunGuarded([this] { CancelPressed(); }); });
}

TppCancelDialog::~TppCancelDialog()
{
    Destroying();
}

void TppCancelDialog::Show()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowModality(ShownModally() ? Qt::ApplicationModal : Qt::NonModal);
    m_ui->btnCancel->setEnabled(AllowCancel());
    show();
}

void TppCancelDialog::Close()
{
    QDialog::reject();
}

void TppCancelDialog::SetIcon(const TppPicture &icon)
{
    SetWindowIconFromPicture(*this, icon);
}

void TppCancelDialog::LanguageChanged()
{
    setWindowTitle(LibraryCaption(ltPrinting, LanguageIndex()));
    QPushButton *button = m_ui->btnCancel;
    button->setText(LibraryCaption(ltCancel, LanguageIndex()));
    const int width = QFontMetrics(QApplication::font()).horizontalAdvance(button->text()) + 30;
    button->setGeometry((this->width() - width) / 2, button->y(), width, button->height());
}

void TppCancelDialog::StatusChanged()
{
    m_statusPending = true;
    if (m_linesShown < kLinesShownAtOnce || !m_sinceStatusShown.isValid()
        || m_sinceStatusShown.elapsed() >= kStatusIntervalMs)
        ShowStatus();
    else if (!m_statusTimer->isActive())
        m_statusTimer->start(int(kStatusIntervalMs - m_sinceStatusShown.elapsed()));
}

void TppCancelDialog::ShowStatus()
{
    if (!m_statusPending)
        return;
    m_statusPending = false;
    m_statusTimer->stop();
    m_ui->memMessage->setText(QString::fromStdString(StatusText()));
    m_sinceStatusShown.start();
    ++m_linesShown;
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
    if (!m_ui->btnCancel->isEnabled())
        return;
    platform::RunGuarded([this] { CancelPressed(); });
}

void TppCancelDialog::CancelPressed()
{
    DoCancel();
    QDialog::reject();
}
