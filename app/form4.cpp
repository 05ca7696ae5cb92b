#include "app/form4.h"

#include "app/definition_texts.h"
#include "app/enter_presses_button.h"
#include "app/error_reporting.h"
#include "app/logo_icon.h"
#include "app/screen_font.h"
#include "app/system_colors.h"
#include "app/transparent_picture.h"
#include "app/window_frame.h"

#include <QFontMetrics>
#include <QPalette>
#include <QTextDocument>

#include <algorithm>

namespace {

const QColor kHeadingColor(255, 255, 128);

// A small inner margin, as plain text boxes have, leaves the lines their room.
constexpr int kTextMargin = 2;

// Disabled boxes still have to be read: grey text on the field colour.
void UseReadableDisabledColours(QPlainTextEdit *memo)
{
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, ToColor(SystemColor::Window));
    palette.setColor(QPalette::Disabled, QPalette::Text, kGrey);
    memo->setPalette(palette);
}

// The lines are laid out for a narrower font than the desktop may give; a box
// whose longest line would be cut condenses its font just enough to show it.
void FitLines(QPlainTextEdit *memo, const QStringList &lines)
{
    QFont font = memo->font();
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
    const int room = memo->contentsRect().width() - 2 * kTextMargin - 1;
    if (widest <= room)
        return;
    font.setStretch(std::max(80, room * 100 / widest));
    memo->setFont(font);
}

} // namespace

Form4::Form4(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
    PlaceWindow(*this, QRect(82, 44, 635, 536));
    applyLook();
    fillTexts();
    placeAlpha();
    connect(ui.BitBtn1, &QToolButton::clicked, this, Guarded([this] { close(); }));
    PressFocusedButtonOnEnter(*this);
}

void Form4::applyLook()
{
    setWindowIcon(LogoIcon());
    setFont(ScreenFont(kSansSerif, 11));
    SetBackground(this, kTeal);

    for (QLabel *heading : {ui.Label1, ui.Label2, ui.Label3, ui.Label5, ui.Label6, ui.Label7}) {
        SetTextColor(heading, kHeadingColor);
        heading->adjustSize();
    }
    ui.Label8->setFont(ScreenFont("Symbol", 16));
    SetTextColor(ui.Label8, kHeadingColor);
    SetBackground(ui.Label8, kTeal);

    // Panels are opaque: they lie over the text boxes.
    for (QFrame *panel : {ui.Panel1, ui.Panel2, ui.Panel3})
        SetBackground(panel, ToColor(SystemColor::ButtonFace));

    ui.BitBtn1->setIcon(TransparentPicture(QStringLiteral(":/assets/door.jpg")));
}

void Form4::fillTexts()
{
    const std::pair<QPlainTextEdit *, QStringList> texts[] = {
        {ui.Memo1, DefinitionTexts::Error()},        {ui.Memo2, DefinitionTexts::Confidence()},
        {ui.Memo3, DefinitionTexts::Proportion()},   {ui.Memo5, DefinitionTexts::DesignEffect()},
        {ui.Memo6, DefinitionTexts::ResponseRate()}, {ui.Memo7, DefinitionTexts::Population()},
    };
    for (const auto &[memo, lines] : texts) {
        memo->document()->setDocumentMargin(kTextMargin);
        UseReadableDisabledColours(memo);
        FitLines(memo, lines);
        memo->setPlainText(lines.join(QLatin1Char('\n')));
    }
}

// The alpha is laid over the plain "a" of the confidence heading, wherever
// the heading's font puts it.
void Form4::placeAlpha()
{
    const QString heading = ui.Label2->text();
    const int a = heading.indexOf(QLatin1String("- a")) + 2;
    const QFontMetrics metrics(ui.Label2->font());
    const int left = ui.Label2->x() + ui.Label2->contentsRect().left()
        + metrics.horizontalAdvance(heading.left(a));
    ui.Label8->move(left - 1, ui.Label8->y());
}
