// TppPrintPreview: the print preview window itself, holding the contents the preview plug-in builds.
#include "preview/print_preview.h"

#include "assets/library_texts.h"
#include "preview/custom_preview.h"
#include "preview/library_caption.h"
#include "platform/handler_guard.h"
#include "preview/preview_glyphs.h"
#include "preview/preview_plugin.h"
#include "preview/viewer.h"
#include "preview/window_icon.h"
#include "report/custom_report.h"
#include "ui_print_preview.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace {

// How long a shown window waits for its activation before it starts its
// production regardless.
constexpr int kActivationWaitMs = 150;

// The window's own icon: the tool bar's printer, twice the size.
QIcon PreviewIcon()
{
    return QIcon(PreviewGlyph(TppPreviewGlyph::Print).scaled(32, 32));
}

} // namespace

TppPrintPreview::TppPrintPreview(TppCustomReport *)
    : m_ui(std::make_unique<Ui::TppPrintPreview>())
{
    m_ui->setupUi(this);
    SetShowHint(false);
    setWindowIcon(PreviewIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setAutoFillBackground(true);
    // Centred on the screen, as the window is stored.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_ui->ClientLayout->addWidget(m_statusBar);

    m_preview = TppPreviewPlugIn::CreatePreview(*this);
    m_preview->SetStatusBar(m_statusBar);
    m_preview->CloseHandler = [this] { close(); };
}

TppPrintPreview::~TppPrintPreview()
{
    // The report hears of the closing first, while the window is whole.
    Destroying();
    m_preview.reset();
}

TppViewer &TppPrintPreview::Viewer() const
{
    return m_preview->Viewer();
}

void TppPrintPreview::Init()
{
    if (Report())
        Viewer().SetReport(Report());
    m_preview->Init();
}

void TppPrintPreview::LanguageChanged()
{
    setWindowTitle(LibraryCaption(ltPrintPreview, LanguageIndex()));
    m_preview->SetLanguageIndex(LanguageIndex());
}

TppModalResult TppPrintPreview::ShowModal()
{
    m_modal = true;
    m_productionStarted = false;
    const int result = exec();
    m_modal = false;
    return result == QDialog::Accepted ? mrOK : mrCancel;
}

void TppPrintPreview::Show()
{
    m_modal = false;
    show();
}

void TppPrintPreview::Close()
{
    close();
}

void TppPrintPreview::SetIcon(const TppPicture &icon)
{
    SetWindowIconFromPicture(*this, icon);
}

void TppPrintPreview::keyPressEvent(QKeyEvent *event)
{
    // Escape and Ctrl+P are the tool bar's shortcuts. Shortcuts are not
    // matched while one is still being handled (printing from Ctrl+P):
    // Escape still closes then. Enter presses the tool bar button that has
    // the focus, as Space does; every key goes to the preview.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto *button = qobject_cast<QAbstractButton *>(focusWidget()); enter && button) {
        button->animateClick();
    } else if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        platform::RunGuarded([&] { m_preview->PerformAction(Viewer().Busy() ? paCancel : paClose); });
    } else {
        platform::RunGuarded([&] { m_preview->KeyDown(event->key(), event->modifiers()); });
    }
    event->accept();
}

void TppPrintPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The page takes the focus as it first shows (a screen reader reads the
    // sheet); the tool bar shows no focus until the user moves it there.
    // The first page is made once the window is shown, whether the window
    // manager activates it or not (focus-stealing prevention may not). The
    // activation, when it comes, comes first, so that a message of the
    // production opens over an active window and gives the focus back to it.
    if (m_modal && !m_productionStarted)
        QTimer::singleShot(kActivationWaitMs, this, [this] { StartProduction(); });
}

void TppPrintPreview::closeEvent(QCloseEvent *event)
{
    // Closing while a page is produced would pull the viewer from under the
    // running job: the job is cancelled first and the window closes after.
    if (Viewer().Busy()) {
        event->ignore();
        m_closePending = true;
        platform::RunGuarded([&] { Viewer().Cancel(); });
        QTimer::singleShot(0, this, [this] { CloseWhenIdle(); });
        return;
    }
    m_closePending = false;
    QDialog::closeEvent(event);
    if (event->isAccepted() && !m_modal)
        platform::RunGuarded([this] { RequestRelease(); });
}

void TppPrintPreview::CloseWhenIdle()
{
    if (!m_closePending)
        return;
    if (Viewer().Busy()) {
        QTimer::singleShot(10, this, [this] { CloseWhenIdle(); });
        return;
    }
    close();
}

void TppPrintPreview::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    if (m_modal)
        StartProduction();
    else
        platform::RunGuarded([this] { Activated(); });
}

void TppPrintPreview::StartProduction()
{
    // A modal window starts its production once, when shown or activated,
    // whichever comes first; a nested dialog closing over it does not start
    // it again.
    if (!m_modal || m_productionStarted || !isVisible())
        return;
    m_productionStarted = true;
    platform::RunGuarded([this] { Activated(); });
}
