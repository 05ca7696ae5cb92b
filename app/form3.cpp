#include "app/form3.h"

#include "app/enter_presses_button.h"
#include "app/error_reporting.h"
#include "app/form4.h"
#include "app/logo_icon.h"
#include "app/modal.h"
#include "app/results_sheet.h"
#include "app/scenarios_window.h"
#include "app/screen_font.h"
#include "app/system_colors.h"
#include "app/transparent_picture.h"
#include "app/window_background.h"
#include "app/window_frame.h"
#include "report/custom_memo.h"
#include "report/report.h"

#include <stdexcept>
#include <utility>

Form3::Form3(QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);
    PlaceWindow(*this, QRect(43, 28, 727, 518));
    applyLook();
    connectHandlers();
    PressFocusedButtonOnEnter(*this);
}

Form3::~Form3() = default;

TppReport &Form3::ppReport1()
{
    if (!m_sheet)
        m_sheet = CreateResultsSheet();
    return *m_sheet;
}

void Form3::setDefinitions(Form4 *form4)
{
    m_definitions = form4;
}

void Form3::applyLook()
{
    setWindowIcon(LogoIcon());
    setFont(ScreenFont(kSansSerif, 11));
    SetBackground(this, ToColor(SystemColor::ButtonFace));
    PaintBackgroundEdgeToEdge(*this, *ui.Image1, QStringLiteral(":/assets/background.jpg"));

    const QPixmap check = TransparentPicture(QStringLiteral(":/assets/check.jpg"));
    // A mark says what it marks; a row without one says it was assumed
    // (its value's description).
    for (QLabel *mark : {ui.Image8, ui.Image2, ui.Image3, ui.Image4, ui.Image5, ui.Image6, ui.Image7}) {
        mark->setPixmap(check);
        mark->setAccessibleName(QStringLiteral("Dato proporcionado por el usuario"));
    }

    ui.Label20->setFont(ScreenFont(kSansSerif, 13, true));
    ui.Label21->setFont(ScreenFont(kSansSerif, 13, true));
    ui.Label22->setFont(ScreenFont(kSansSerif, 11, true));

    ui.GroupBox6->setFont(ScreenFont(kSansSerif, 11, true));
    SetBackground(ui.GroupBox6, ToColor(SystemColor::ActiveBorder));
    // The value labels keep long values inside their boxes themselves.
    for (QLabel *value : {ui.Label2, ui.Label3, ui.Label4, ui.Label5, ui.Label16, ui.Label17, ui.Label18})
        value->setFont(ScreenFont(kSansSerif, 13));
    for (QLabel *percent : {ui.Label12, ui.Label13, ui.Label14, ui.Label15})
        percent->setFont(ScreenFont(kSansSerif, 13, true));
    // Captions without a size of their own take the size of their text.
    for (QLabel *caption : {ui.Label7, ui.Label8, ui.Label12, ui.Label13, ui.Label14, ui.Label15})
        caption->adjustSize();
    for (QFrame *bar : {ui.Panel1, ui.Panel2, ui.Panel3, ui.Panel4, ui.Panel5, ui.Panel6, ui.Panel7})
        SetBackground(bar, kTeal);

    ui.BitBtn1->setIcon(TransparentPicture(QStringLiteral(":/assets/printer.jpg")));
    ui.BitBtn2->setIcon(TransparentPicture(QStringLiteral(":/assets/door.jpg")));
    ui.BitBtn3->setIcon(TransparentPicture(QStringLiteral(":/assets/book.jpg")));
    ui.BitBtn3->setFont(ScreenFont(kSansSerif, 11, true));
    ui.ScenariosButton->setFont(ScreenFont(kSansSerif, 11, true));
}

void Form3::connectHandlers()
{
    connect(ui.BitBtn1, &QToolButton::clicked, this, Guarded([this] { printSheet(); }));
    connect(ui.BitBtn2, &QToolButton::clicked, this, Guarded([this] { close(); }));
    connect(ui.BitBtn3, &QToolButton::clicked, this, Guarded([this] { showDefinitions(); }));
    connect(ui.ScenariosButton, &QToolButton::clicked, this, Guarded([this] { showScenarios(); }));
}

// The sheet carries what the screen shows: each value as its caption, and the
// note as one entry, so that printing again never repeats it. With the screen
// as the sheet's device, printing opens the preview.
void Form3::printSheet()
{
    TppReport &sheet = ppReport1();
    const std::pair<const char *, const QLabel *> values[] = {
        {"ppLabel1", ui.Label2}, {"ppLabel2", ui.Label3},  {"ppLabel3", ui.Label4},
        {"ppLabel4", ui.Label5}, {"ppLabel5", ui.Label16}, {"ppLabel6", ui.Label17},
        {"ppLabel7", ui.Label18},
    };
    for (const auto &[name, label] : values)
        SheetComponent(sheet, name).SetCaption(label->text().toStdString());

    QString note = ui.Memo1->toPlainText();
    note.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    auto *memo = dynamic_cast<TppCustomMemo *>(&SheetComponent(sheet, "ppMemo1"));
    if (!memo)
        throw std::runtime_error("The results sheet has no note.");
    memo->SetLines({note.toStdString()});
    FitSheetValueLabels(sheet);

    sheet.Print();
}

void Form3::showDefinitions()
{
    if (m_definitions)
        ShowModal(*m_definitions, *this);
}

ScenariosWindow &Form3::scenarios()
{
    if (!m_scenarios)
        m_scenarios = std::make_unique<ScenariosWindow>(this);
    return *m_scenarios;
}

void Form3::showScenarios()
{
    ScenariosWindow &window = scenarios();
    window.setCalculation(m_calculation);
    ShowModal(window, *this);
}
