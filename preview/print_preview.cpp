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

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace {

// The window's own icon: the tool bar's printer, twice the size.
QIcon PreviewIcon()
{
    return QIcon(PreviewGlyph(TppPreviewGlyph::Print).scaled(32, 32));
}

} // namespace

TppPrintPreview::TppPrintPreview(TppCustomReport *)
{
    ui.setupUi(this);
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
    ui.ClientLayout->addWidget(m_statusBar);

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
    m_activatedModally = false;
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
    // Escape does not close this window; every key goes to the preview.
    platform::RunGuarded([&] { m_preview->KeyDown(event->key(), event->modifiers()); });
    event->accept();
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
        RequestRelease();
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
    // A modal window is activated once, as its modal loop starts; a nested
    // dialog closing over it does not start the production again.
    if (m_modal) {
        if (m_activatedModally)
            return;
        m_activatedModally = true;
    }
    platform::RunGuarded([this] { Activated(); });
}
