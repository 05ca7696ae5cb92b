// TppPreview: the standard preview contents, TppCustomPreview with its tool bar, zoom box and keys.
#include "preview/preview.h"

#include "output/integer_text.h"
#include "assets/library_texts.h"
#include "platform/message_box.h"
#include "platform/handler_guard.h"
#include "preview/library_caption.h"
#include "preview/preview_glyphs.h"
#include "preview/tool_bar_panel.h"
#include "preview/viewer.h"
#include "report/custom_report.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <optional>
#include <utility>


namespace {

constexpr int kToolBarHeight = 26;
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kButtonTop = 2;
constexpr int kBoxWidth = 37;
constexpr int kInnerPanelWidth = 477;
constexpr int kInnerPanelLeft = 80;
constexpr int kDefaultZoomPercentage = 100;

// The digits of a box's text (the zoom box shows a fixed per-cent sign).
QString DigitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits;
}

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TppPreview::TppPreview(QWidget &form)
    : TppCustomPreview(form)
{
    auto *layout = qobject_cast<QBoxLayout *>(form.layout());
    if (layout)
        layout->insertWidget(0, &Viewer(), 1);
    CreateToolBar();
    if (layout)
        layout->insertWidget(0, m_outerPanel);
    Viewer().setFocusPolicy(Qt::NoFocus);
    Viewer().ScrollArea()->setFocusPolicy(Qt::NoFocus);
    // Takes part in no job before Init.
    Viewer().ScreenDevice().SetEnabled(false);
}

TppPreview::~TppPreview() = default;

void TppPreview::CreateToolBar()
{
    m_outerPanel = new TppToolBarPanel(&Form());
    m_outerPanel->setObjectName(QStringLiteral("OuterToolPanel"));
    m_outerPanel->setFixedHeight(kToolBarHeight);
    m_innerPanel = new QWidget(m_outerPanel);
    m_innerPanel->setObjectName(QStringLiteral("InnerToolPanel"));
    m_innerPanel->setGeometry(kInnerPanelLeft, 0, kInnerPanelWidth, kToolBarHeight);
    CreateToolBarControls();
}

QAction *TppPreview::ToolAction(int action, const QPixmap &glyph)
{
    auto *command = new QAction(&Form());
    command->setData(action);
    if (!glyph.isNull())
        command->setIcon(glyph);
    connect(command, &QAction::triggered, this,
            [this, action] { platform::RunGuarded([&] { ActionTriggered(action); }); });
    m_actions[action] = command;
    return command;
}

QToolButton *TppPreview::SpeedButton(QWidget *panel, int left, int action, const QPixmap &glyph,
                                     const char *name)
{
    auto *button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setDefaultAction(ToolAction(action, glyph));
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    button->setAutoRaise(true);
    // Reached with Tab, pressed with Space or Enter; a click leaves the
    // focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    if (!glyph.isNull())
        button->setIconSize(glyph.deviceIndependentSize().toSize());
    button->installEventFilter(this);
    return button;
}

QLineEdit *TppPreview::Box(int left, const QString &mask, const char *name)
{
    auto *box = new QLineEdit(m_innerPanel);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(left, kButtonTop, kBoxWidth, kButtonHeight);
    box->setInputMask(mask);
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(this);
    return box;
}

void TppPreview::CreateToolBarControls()
{
    m_printButton = SpeedButton(m_outerPanel, 2, paPrint, PreviewGlyph(TppPreviewGlyph::Print),
                                "PrintButton");
    m_searchButton = SpeedButton(m_outerPanel, 41, paSearch,
                                 PreviewGlyph(TppPreviewGlyph::Search), "SearchButton");
    m_searchButton->hide();

    m_wholePageButton = SpeedButton(m_innerPanel, 0, paWholePage,
                                    PreviewGlyph(TppPreviewGlyph::WholePage), "WholePageButton");
    m_pageWidthButton = SpeedButton(m_innerPanel, kButtonWidth, paPageWidth,
                                    PreviewGlyph(TppPreviewGlyph::PageWidth), "PageWidthButton");
    m_hundredPercentButton
        = SpeedButton(m_innerPanel, 2 * kButtonWidth, paHundredPercent,
                      PreviewGlyph(TppPreviewGlyph::HundredPercent), "HundredPercentButton");
    // One zoom button down at a time, or none.
    auto *zooms = new QActionGroup(this);
    zooms->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const int zoom : {paWholePage, paPageWidth, paHundredPercent}) {
        m_actions[zoom]->setCheckable(true);
        zooms->addAction(m_actions[zoom]);
    }
    m_actions[paWholePage]->setChecked(true);

    const int zoomBoxLeft = m_hundredPercentButton->x() + 2 * kButtonWidth;
    // Up to three digits, then a fixed " %" that is not part of the number.
    m_zoomBox = Box(zoomBoxLeft, QStringLiteral("000 %; "), "ZoomBox");

    const int firstLeft = zoomBoxLeft + kBoxWidth + kButtonWidth;
    m_firstButton = SpeedButton(m_innerPanel, firstLeft, paFirstPage,
                                PreviewGlyph(TppPreviewGlyph::FirstPage), "FirstButton");
    m_priorButton = SpeedButton(m_innerPanel, firstLeft + kButtonWidth, paPriorPage,
                                PreviewGlyph(TppPreviewGlyph::PriorPage), "PriorButton");
    const int pageBoxLeft = m_priorButton->x() + kButtonWidth + 8;
    m_pageBox = Box(pageBoxLeft, QStringLiteral("00000; "), "PageBox");
    const int nextLeft = pageBoxLeft + kBoxWidth + 8;
    m_nextButton = SpeedButton(m_innerPanel, nextLeft, paNextPage,
                               PreviewGlyph(TppPreviewGlyph::NextPage), "NextButton");
    m_lastButton = SpeedButton(m_innerPanel, nextLeft + kButtonWidth, paLastPage,
                               PreviewGlyph(TppPreviewGlyph::LastPage), "LastButton");

    m_closeButton = SpeedButton(m_innerPanel, 398, paCancel, QPixmap(), "CloseButton");
    m_closeButton->setAutoRaise(false);
    m_actions[paCancel]->setText(QStringLiteral("Cancel"));
    m_closeButton->resize(54, kButtonHeight);
    m_closeButton->move(m_lastButton->x() + 3 * kButtonWidth, kButtonTop);

    // The keys a desktop user expects of a window that prints: they do what
    // the print and close buttons do.
    m_actions[paPrint]->setShortcut(QKeySequence::Print);
    m_actions[paCancel]->setShortcut(Qt::Key_Escape);
}

void TppPreview::Init()
{
    TppCustomPreview::Init();
    const bool search = Report() && Report()->ShowAutoSearchDialog();
    m_searchButton->setVisible(search);
    m_innerPanel->move(search ? kInnerPanelLeft : m_searchButton->x(), 0);
    SetZoomButtons();
    StatusChanged();
}

void TppPreview::LanguageChanged()
{
    const std::int32_t language = LanguageIndex();
    const struct {
        int action;
        QToolButton *button;
        int hint;
        int description;
    } buttons[] = {
        {paPrint, m_printButton, ltPrint, ltPrintDescription},
        {paSearch, m_searchButton, ltSearchData, ltSearchDataDescription},
        {paWholePage, m_wholePageButton, ltWholePage, ltWholePageDescription},
        {paPageWidth, m_pageWidthButton, ltPageWidth, ltPageWidthDescription},
        {paHundredPercent, m_hundredPercentButton, ltHundredPercent, ltHundredPercentDescription},
        {paFirstPage, m_firstButton, ltFirstPage, ltFirstPageDescription},
        {paPriorPage, m_priorButton, ltPriorPage, ltPriorPageDescription},
        {paNextPage, m_nextButton, ltNextPage, ltNextPageDescription},
        {paLastPage, m_lastButton, ltLastPage, ltLastPageDescription},
    };
    for (const auto &[action, button, hint, description] : buttons) {
        // An icon button's text is what assistive tools read; it shows nowhere.
        m_actions[action]->setText(LibraryCaption(hint, language));
        m_actions[action]->setToolTip(LibraryCaption(hint, language));
        button->setAccessibleName(LibraryCaption(hint, language));
        button->setAccessibleDescription(LibraryCaption(description, language));
    }
    m_outerPanel->setAccessibleName(LibraryCaption(ltToolBar, language));
    m_zoomBox->setAccessibleName(LibraryCaption(ltZoom, language));
    m_zoomBox->setAccessibleDescription(LibraryCaption(ltZoomDescription, language));
    m_pageBox->setAccessibleName(LibraryCaption(ltPageNumber, language));
    m_pageBox->setAccessibleDescription(LibraryCaption(ltPageNumberDescription, language));

    m_actions[paCancel]->setToolTip(LibraryCaption(ltCancel, language));
    m_actions[paCancel]->setText(LibraryCaption(ltClose, language));
    m_closeButton->setAccessibleDescription(LibraryCaption(ltCloseDescription, language));
    m_closeButton->resize(QFontMetrics(Form().font()).horizontalAdvance(m_closeButton->text()) + 30,
                          kButtonHeight);
}

void TppPreview::SetZoomButtons()
{
    const TppZoomSettingType zoom = Viewer().ZoomSetting();
    m_actions[paWholePage]->setChecked(zoom == zsWholePage);
    m_actions[paPageWidth]->setChecked(zoom == zsPageWidth);
    m_actions[paHundredPercent]->setChecked(zoom == zs100Percent);
}

void TppPreview::PageChanged()
{
    m_pageBox->setText(QString::number(Viewer().CurrentPageNo()));
    m_zoomBox->setText(QString::number(Viewer().CalculatedZoom()));
    SetZoomButtons();
}

void TppPreview::PrintStateChanged()
{
    const bool busy = Viewer().Busy();
    QWidget *waiting[] = {&Viewer(), m_outerPanel, StatusBar()};
    for (QWidget *widget : waiting) {
        if (!widget)
            continue;
        if (busy)
            widget->setCursor(Qt::WaitCursor);
        else
            widget->unsetCursor();
    }
    m_zoomBox->setEnabled(!busy);
    m_pageBox->setEnabled(!busy);
    if (busy) {
        m_closeButton->setCursor(Qt::ArrowCursor);
        m_actions[paCancel]->setText(LibraryCaption(ltCancel, LanguageIndex()));
    } else {
        m_closeButton->unsetCursor();
        m_actions[paCancel]->setText(LibraryCaption(ltClose, LanguageIndex()));
    }
    // The pointer takes its new shape at once.
    QCursor::setPos(QCursor::pos());
}

void TppPreview::ZoomTo(TppZoomSettingType zoom)
{
    TppCustomPreview::ZoomTo(zoom);
    m_zoomBox->setText(QString::number(Viewer().CalculatedZoom()));
    // Off the zoom box, onto the page it zoomed.
    Viewer().PageSurface()->setFocus();
}

void TppPreview::ToolButtonClick(QToolButton *button)
{
    if (QAction *command = button->defaultAction())
        command->trigger();
}

void TppPreview::ActionTriggered(int action)
{
    if (action == paCancel && !Viewer().Busy())
        action = paClose;
    PerformAction(action);
}

void TppPreview::BoxKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    KeyDown(key, modifiers);
}

void TppPreview::PageBoxKeyPress(int key)
{
    if (!IsEnter(key))
        return;
    Viewer().GotoPage(StrToInt(m_pageBox->text().toStdString()));
}

void TppPreview::ZoomBoxKeyPress(int key)
{
    if (!IsEnter(key))
        return;
    const std::optional<std::int32_t> percentage
        = ReadInteger(DigitsOf(m_zoomBox->text()).toStdString());
    Viewer().SetZoomPercentage(percentage.value_or(kDefaultZoomPercentage));
    PageChanged();
}

bool TppPreview::eventFilter(QObject *watched, QEvent *event)
{
    // Hints show only where hint display is on, and this window leaves it off.
    if (event->type() == QEvent::ToolTip && !Form().property("showHint").toBool())
        return true;
    if (event->type() != QEvent::KeyPress || (watched != m_zoomBox && watched != m_pageBox))
        return TppCustomPreview::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    platform::RunGuarded([&] {
        BoxKeyDown(key->key(), key->modifiers());
        if (watched == m_zoomBox)
            ZoomBoxKeyPress(key->key());
        else
            PageBoxKeyPress(key->key());
    });
    // Enter is the boxes' own; every other key still edits the box.
    return IsEnter(key->key());
}
