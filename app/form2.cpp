#include "app/form2.h"

#include "app/application.h"
#include "app/enter_presses_button.h"
#include "app/error_reporting.h"
#include "app/form1.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/locale_number.h"
#include "app/modal.h"
#include "app/picture_on_first_paint.h"
#include "app/present_result.h"
#include "app/screen_font.h"
#include "app/system_colors.h"
#include "app/transparent_picture.h"
#include "app/window_background.h"
#include "app/window_frame.h"
#include "calc/calculation_entries.h"
#include "calc/sample_size.h"

#include <QKeyEvent>

namespace {

// "-", nothing or only blanks: an entry the fields replace by their default.
bool IsEmptyEntry(const QString &text)
{
    if (text == QLatin1String("-"))
        return true;
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

double Fraction(long double percent)
{
    return static_cast<double>(percent / 100);
}

constexpr long double kErrorStep = 0.1L;

// An element's group font is black while it is considered, grey while not;
// a control of a considered element that is disabled draws grey as well.
void SetGroupFontColor(QWidget *group, bool considered)
{
    if (considered)
        SetEnabledTextColor(group, Qt::black);
    else
        SetTextColor(group, kGrey);
}

} // namespace

Form2::Form2(Application &application)
    : m_application(application)
{
    ui.setupUi(this);
    PlaceWindow(*this, QRect(29, 21, 751, 543));
    ui.Edit3->setTypingLimit(6);
    ui.Edit2->setTypingLimit(6);
    ui.Label3->hide();
    applyLook();
    connectHandlers();
    PressFocusedButtonOnEnter(*this);
}

SampleSizeParams &Form2::params()
{
    return m_application.params();
}

void Form2::applyLook()
{
    const QColor menu = ToColor(SystemColor::Menu);
    const QColor buttonFace = ToColor(SystemColor::ButtonFace);
    const QColor desktop = ToColor(SystemColor::Desktop);
    const QColor activeBorder = ToColor(SystemColor::ActiveBorder);

    setFont(ScreenFont(kSansSerif, 11));
    SetBackground(this, buttonFace);
    PaintBackgroundEdgeToEdge(*this, *ui.Image1, QStringLiteral(":/assets/background.jpg"));

    for (QGroupBox *group : {ui.GroupBox1, ui.GroupBox2, ui.GroupBox7, ui.GroupBox5, ui.GroupBox4, ui.GroupBox3})
        SetBackground(group, menu);
    for (QLabel *title : {ui.Label6, ui.Label7, ui.Label8, ui.Label9}) {
        title->setFont(ScreenFont(kLucida, 13, true));
        SetEnabledTextColor(title, desktop);
    }
    // The captioned groups show their title in the group font.
    ui.GroupBox5->setFont(ScreenFont(kLucida, 13, true));
    ui.GroupBox4->setFont(ScreenFont(kLucida, 13, true));

    for (QFrame *tile : {ui.Panel1, ui.Panel2, ui.Panel3, ui.Panel4, ui.Panel5})
        SetBackground(tile, buttonFace);
    for (QLabel *percent : {ui.Label5, ui.Label10, ui.Label4, ui.Label3}) {
        percent->setFont(ScreenFont(kSansSerif, 16, true));
        SetTextColor(percent, Qt::black);
    }

    SetBackground(ui.RadioButton3, activeBorder);
    SetBackground(ui.RadioButton4, activeBorder);
    for (RadioButton *choice : {ui.RadioButton7, ui.RadioButton8}) {
        choice->setFont(ScreenFont(kSansSerif, 11));
        SetEnabledCaptionColor(choice, Qt::black);
        SetBackground(choice, activeBorder);
    }
    // Black digits; disabled, grey ones whatever the group's font colour.
    for (TextField *field : {static_cast<TextField *>(ui.Edit1), ui.Edit2, static_cast<TextField *>(ui.SpinEdit4)}) {
        field->setFont(ScreenFont(kSansSerif, 11));
        SetFieldTextColor(field, Qt::black);
    }
    ui.Edit1->setEnabledColor(ToColor(SystemColor::CaptionText));
    ui.SpinEdit4->setEnabledColor(ToColor(SystemColor::CaptionText));
    ui.Label1->setFont(ScreenFont(kSansSerif, 11));
    SetEnabledTextColor(ui.Label1, Qt::black);
    SetBackground(ui.Label1, menu);
    // Room for "Conglomerado" in the substitute font, short of the field beside it.
    WidenToLongestWord(ui.Label1, ui.SpinEdit4->x() - ui.Label1->x());

    for (QCheckBox *box : {ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4}) {
        box->setFont(ScreenFont(kSansSerif, 11));
        SetBackground(box, desktop);
    }
    SetCaptionColor(ui.CheckBox1, Qt::white);
    SetCaptionColor(ui.CheckBox2, Qt::white);
    SetCaptionColor(ui.CheckBox3, ToColor(SystemColor::Window));
    SetCaptionColor(ui.CheckBox4, ToColor(SystemColor::Window));

    ui.BitBtn11->setFont(ScreenFont(kSansSerif, 11, true));
    for (QAbstractButton *choice : std::initializer_list<QAbstractButton *>{
             ui.RadioButton3, ui.RadioButton4, ui.RadioButton5, ui.RadioButton6, ui.RadioButton7,
             ui.RadioButton8, ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4})
        WidenToCaption(choice);

    ShowPictureOnFirstPaint(*ui.Image2, QStringLiteral(":/assets/wordmark.jpg"));
    ui.BitBtn3->setIcon(TransparentPicture(QStringLiteral(":/assets/calculator.jpg")));
    ui.BitBtn9->setIcon(TransparentPicture(QStringLiteral(":/assets/back_arrow.jpg")));
    ui.BitBtn11->setIcon(TransparentPicture(QStringLiteral(":/assets/book.jpg")));
}

void Form2::connectHandlers()
{
    connectFieldHandlers();
    connectChoiceHandlers();
    connect(ui.BitBtn3, &QToolButton::clicked, this, Guarded([this] { calculate(); }));
    connect(ui.BitBtn9, &QToolButton::clicked, this, Guarded([this] { close(); }));
    connect(ui.BitBtn11, &QToolButton::clicked, this,
            Guarded([this] { openOver(m_application.form4()); }));
}

void Form2::connectFieldHandlers()
{
    connect(ui.Edit3, &QLineEdit::textChanged, this, Guarded([this] { errorChanged(); }));
    connect(ui.Edit3, &TextField::clicked, this, Guarded([this] { errorClicked(); }));
    connect(ui.BitBtn1, &QToolButton::clicked, this, Guarded([this] { errorUp(); }));
    connect(ui.BitBtn2, &QToolButton::clicked, this, Guarded([this] { errorDown(); }));
    connect(ui.Edit2, &QLineEdit::textChanged, this, Guarded([this] { rhoChanged(); }));
    connect(ui.Edit2, &TextField::clicked, this,
            Guarded([this] { params().Rho = ReadNumber(ui.Edit2->text()); }));
    connect(ui.Edit10, &QLineEdit::textChanged, this, Guarded([this] { populationChanged(); }));
    connect(ui.Edit10, &TextField::clicked, this,
            Guarded([this] { params().PopulationSize = ReadNumber(ui.Edit10->text()); }));
    connect(ui.SpinEdit5, &QLineEdit::textChanged, this, Guarded([this] { confidenceLevelChanged(); }));
    connect(ui.SpinEdit3, &TextField::clicked, this,
            Guarded([this] { params().ResponseRate = Fraction(ui.SpinEdit3->value()); }));
    connect(ui.SpinEdit4, &TextField::clicked, this,
            Guarded([this] { params().ClusterSize = ui.SpinEdit4->value(); }));
}

void Form2::connectChoiceHandlers()
{
    // Radio buttons handle only becoming selected; check boxes handle every
    // change of their mark, from the user or from code.
    const auto onSelected = [this](RadioButton *button, void (Form2::*handler)()) {
        connect(button, &QAbstractButton::toggled, this, [this, handler](bool selected) {
            if (selected)
                RunGuarded([this, handler] { (this->*handler)(); });
        });
    };
    onSelected(ui.RadioButton3, &Form2::special995Selected);
    onSelected(ui.RadioButton4, &Form2::special997Selected);
    onSelected(ui.RadioButton5, &Form2::proportionKnownSelected);
    onSelected(ui.RadioButton6, &Form2::proportionUnknownSelected);
    onSelected(ui.RadioButton7, &Form2::designEffectByValueSelected);
    onSelected(ui.RadioButton8, &Form2::designEffectFromRhoSelected);

    connect(ui.CheckBox1, &QCheckBox::toggled, this, Guarded([this] { designEffectBoxChanged(); }));
    connect(ui.CheckBox2, &QCheckBox::toggled, this, Guarded([this] { responseRateBoxChanged(); }));
    connect(ui.CheckBox3, &QCheckBox::toggled, this, Guarded([this] { proportionBoxChanged(); }));
    connect(ui.CheckBox4, &QCheckBox::toggled, this, Guarded([this] { populationBoxChanged(); }));
}

void Form2::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Only a change from another of the program's windows counts: a message
    // box closing, or another program giving the focus back, is no activation.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_isActiveForm) {
        m_isActiveForm = true;
        RunGuarded([this] { activate(); });
    }
}

void Form2::hideEvent(QHideEvent *event)
{
    m_isActiveForm = false;
    QDialog::hideEvent(event);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // The screen is left by "MENÚ" or the frame's close box, not by Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form2::openOver(QDialog &dialog)
{
    m_isActiveForm = false;
    ShowModal(dialog, *this);
}

void Form2::activate()
{
    SampleSizeParams &record = params();
    record.ErrorPercent = 5;
    record.KnownProportion = 0.15;
    record.DesignEffectOn = 0;
    record.ProportionKnown = 0;
    record.ProportionUnknown = 1;
    record.UnknownProportion = 0.5;
    record.PopulationSize = 100;
    record.Z = 0.67;
    record.ConfidenceText = "50";

    SetBackground(ui.Panel3, kGrey);

    ui.Edit3->setText(QStringLiteral("5"));
    ui.Edit2->setText(QStringLiteral("0"));
    ui.Edit10->setText(QStringLiteral("100"));

    ui.RadioButton3->setChecked(false);
    ui.RadioButton4->setChecked(false);

    const Ui::Form1 &main = m_application.form1().ui;

    const bool designEffect = main.CheckBox4->isChecked();
    record.DesignEffectOn = designEffect ? 1 : 0;
    ui.CheckBox1->setChecked(designEffect);
    considerDesignEffect(designEffect);

    const bool responseRate = main.CheckBox5->isChecked();
    ui.CheckBox2->setChecked(responseRate);
    setResponseRateFontConsidered(responseRate);
    ui.SpinEdit3->setEnabled(responseRate);
    ui.Label4->setEnabled(responseRate);

    const bool proportion = main.CheckBox3->isChecked();
    ui.CheckBox3->setChecked(proportion);
    setProportionFontConsidered(proportion);
    ui.SpinEdit2->setEnabled(false);
    if (!proportion)
        ui.SpinEdit2->setValue(50);
    ui.RadioButton5->setEnabled(proportion);
    ui.RadioButton6->setEnabled(proportion);
    ui.Label3->setEnabled(proportion);

    const bool population = main.CheckBox6->isChecked();
    ui.Label8->setEnabled(population);
    ui.Edit10->setEnabled(population);
    ui.CheckBox4->setChecked(population);
    if (!population)
        record.PopulationSize = 100;
}

void Form2::calculate()
{
    SampleSizeParams &record = params();
    CalculationEntries entries;
    entries.ConfidenceLevel = ui.SpinEdit5->value();
    entries.Level995 = ui.RadioButton3->isChecked();
    entries.Level997 = ui.RadioButton4->isChecked();
    entries.KnownProportionPercent = ui.SpinEdit2->value();
    entries.ResponseRatePercent = ui.SpinEdit3->value();
    entries.Rho = ReadNumber(ui.Edit2->text());
    entries.ClusterSize = ui.SpinEdit4->value();
    entries.PopulationSize = ReadNumber(ui.Edit10->text());
    entries.TypedDesignEffect = ReadNumber(ui.Edit1->text());
    entries.PopulationOn = ui.CheckBox4->isChecked();
    entries.ResponseRateOn = ui.CheckBox2->isChecked();
    entries.DesignEffectByValue = ui.RadioButton7->isChecked();
    ReadCalculationEntries(entries, record);

    ComputeSampleSize(record);

    const ConsideredElements considered{ui.CheckBox3->isChecked(), ui.CheckBox1->isChecked(),
                                        ui.CheckBox2->isChecked(), ui.CheckBox4->isChecked()};
    PresentResult(record, considered, *ui.Edit1, m_application.form3());
    openOver(m_application.form3());
}

// The error field -------------------------------------------------------------

void Form2::errorChanged()
{
    SampleSizeParams &record = params();
    const QString text = ui.Edit3->text();
    if (IsEmptyEntry(text)) {
        record.ErrorPercent = 5;
        ui.Edit3->setText(QStringLiteral("5"));
    } else {
        record.ErrorPercent = ReadNumber(text);
    }
    if (record.ErrorPercent > 20) {
        record.ErrorPercent = 20;
        ui.Edit3->setText(QStringLiteral("20"));
    }
    record.ErrorFraction = Fraction(ReadNumber(ui.Edit3->text()));
}

void Form2::errorClicked()
{
    params().ErrorFraction = Fraction(ReadNumber(ui.Edit3->text()));
}

void Form2::errorUp()
{
    const double value = ReadNumber(ui.Edit3->text());
    const double sum = static_cast<double>(value + kErrorStep);
    ui.Edit3->setText(WriteNumber(sum));
}

void Form2::errorDown()
{
    const double value = ReadNumber(ui.Edit3->text());
    if (value > 0) {
        const double difference = static_cast<double>(value - kErrorStep);
        ui.Edit3->setText(WriteNumber(difference));
        return;
    }
    ui.Edit3->setText(WriteNumber(value));
    ui.Edit3->setText(QStringLiteral("0"));
}

// RHO and population fields ---------------------------------------------------

void Form2::rhoChanged()
{
    const QString text = ui.Edit2->text();
    if (IsEmptyEntry(text) || ReadNumber(text) > 1)
        ui.Edit2->setText(QStringLiteral("1"));
    params().Rho = ReadNumber(ui.Edit2->text());
}

void Form2::populationChanged()
{
    const QString text = ui.Edit10->text();
    if (IsEmptyEntry(text) || ReadNumber(text) == 0)
        ui.Edit10->setText(QStringLiteral("100"));
    params().PopulationSize = ReadNumber(ui.Edit10->text());
}

// Confidence ------------------------------------------------------------------

void Form2::setTileColors(QColor wholeLevel, QColor level995, QColor level997)
{
    SetBackground(ui.Panel3, wholeLevel);
    SetBackground(ui.Panel4, level995);
    SetBackground(ui.Panel5, level997);
}

void Form2::confidenceLevelChanged()
{
    ui.RadioButton3->setChecked(false);
    ui.RadioButton4->setChecked(false);
    const QColor menu = ToColor(SystemColor::Menu);
    setTileColors(kGrey, menu, menu);
}

void Form2::special995Selected()
{
    const QColor menu = ToColor(SystemColor::Menu);
    setTileColors(menu, kGrey, menu);
    ui.RadioButton4->setChecked(false);
    params().Z = 2.81;
    params().ConfidenceText = "99.5";
}

void Form2::special997Selected()
{
    const QColor menu = ToColor(SystemColor::Menu);
    setTileColors(menu, menu, kGrey);
    ui.RadioButton3->setChecked(false);
    params().Z = 2.97;
    params().ConfidenceText = "99.7";
}

// Proportion ------------------------------------------------------------------

void Form2::proportionKnownSelected()
{
    params().ProportionKnown = 1;
    params().ProportionUnknown = 0;
    ui.SpinEdit2->setEnabled(true);
    ui.Label3->show();
}

void Form2::proportionUnknownSelected()
{
    params().ProportionKnown = 0;
    params().ProportionUnknown = 1;
    params().UnknownProportion = 0.5;
    ui.SpinEdit2->setEnabled(false);
    ui.SpinEdit2->setValue(50);
    ui.Label3->hide();
}

// Design effect ---------------------------------------------------------------

void Form2::designEffectByValueSelected()
{
    ui.Edit2->setEnabled(false);
    ui.Label1->setEnabled(false);
    ui.SpinEdit4->setEnabled(false);
    ui.RadioButton8->setChecked(false);
    ui.Edit1->setEnabled(true);
}

void Form2::designEffectFromRhoSelected()
{
    ui.Edit2->setEnabled(true);
    ui.Label1->setEnabled(true);
    ui.SpinEdit4->setEnabled(true);
    ui.RadioButton7->setChecked(false);
    ui.Edit1->setEnabled(false);
}

void Form2::considerDesignEffect(bool considered)
{
    ui.RadioButton7->setEnabled(considered);
    ui.Edit1->setEnabled(false);
    ui.Edit1->setText(QStringLiteral("1"));
    ui.RadioButton8->setEnabled(considered);
    if (considered)
        ui.RadioButton8->setChecked(true);
    ui.Edit2->setEnabled(considered);
    ui.Edit2->setText(QStringLiteral("0"));
    ui.Label1->setEnabled(considered);
    ui.SpinEdit4->setEnabled(considered);
    ui.SpinEdit4->setValue(10);
    setDesignEffectFontConsidered(considered);
    // Once enabled, the group stays enabled.
    if (considered)
        ui.GroupBox5->setEnabled(true);
}

// "Contemplar en el Cálculo" boxes ---------------------------------------------

void Form2::designEffectBoxChanged()
{
    const bool considered = ui.CheckBox1->isChecked();
    params().DesignEffectOn = considered ? 1 : 0;
    considerDesignEffect(considered);
    m_application.form1().ui.CheckBox4->setChecked(considered);
}

void Form2::responseRateBoxChanged()
{
    const bool considered = ui.CheckBox2->isChecked();
    ui.SpinEdit3->setEnabled(considered);
    ui.Label4->setEnabled(considered);
    if (!considered)
        ui.SpinEdit3->setValue(100);
    setResponseRateFontConsidered(considered);
    m_application.form1().ui.CheckBox5->setChecked(considered);
}

void Form2::proportionBoxChanged()
{
    const bool considered = ui.CheckBox3->isChecked();
    setProportionFontConsidered(considered);
    ui.SpinEdit2->setEnabled(false);
    ui.SpinEdit2->setValue(50);
    ui.RadioButton5->setEnabled(considered);
    ui.RadioButton6->setEnabled(considered);
    if (!considered)
        ui.RadioButton6->setChecked(true);
    ui.Label3->setEnabled(considered);
    if (!considered)
        params().UnknownProportion = 0.5;
    m_application.form1().ui.CheckBox3->setChecked(considered);
}

void Form2::populationBoxChanged()
{
    const bool considered = ui.CheckBox4->isChecked();
    ui.Label8->setEnabled(considered);
    ui.Edit10->setEnabled(considered);
    m_application.form1().ui.CheckBox6->setChecked(considered);
    if (considered) {
        params().PopulationSize = 100;
        ui.Edit10->setText(QStringLiteral("100"));
    }
}

// Group fonts ------------------------------------------------------------------

void Form2::setDesignEffectFontConsidered(bool considered)
{
    SetGroupFontColor(ui.GroupBox5, considered);
}

void Form2::setResponseRateFontConsidered(bool considered)
{
    SetGroupFontColor(ui.GroupBox4, considered);
}

void Form2::setProportionFontConsidered(bool considered)
{
    SetGroupFontColor(ui.GroupBox3, considered);
}
