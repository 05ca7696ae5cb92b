#include "app/form4.h"

#include "app/definition_texts.h"
#include "app/error_reporting.h"
#include "app/logo_icon.h"
#include "app/screen_font.h"
#include "app/system_colors.h"
#include "app/transparent_picture.h"
#include "app/window_frame.h"

#include <QFontMetrics>

namespace {

const QColor kHeadingColor(255, 255, 128);

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

    ui.BitBtn1->setIcon(TransparentPicture(QStringLiteral(":/assets/door.jpg")));
}

void Form4::fillTexts()
{
    const std::pair<QPlainTextEdit *, QStringList> texts[] = {
        {ui.Memo1, DefinitionTexts::Error()},        {ui.Memo2, DefinitionTexts::Confidence()},
        {ui.Memo3, DefinitionTexts::Proportion()},   {ui.Memo5, DefinitionTexts::DesignEffect()},
        {ui.Memo6, DefinitionTexts::ResponseRate()}, {ui.Memo7, DefinitionTexts::Population()},
    };
    for (const auto &[memo, lines] : texts)
        memo->setPlainText(lines.join(QLatin1Char('\n')));
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
