#include "app/form1.h"

#include "app/application.h"
#include "app/enter_presses_button.h"
#include "app/error_reporting.h"
#include "app/form2.h"
#include "app/form4.h"
#include "app/modal.h"
#include "app/screen_font.h"
#include "app/system_colors.h"
#include "app/transparent_picture.h"
#include "app/window_background.h"
#include "app/window_frame.h"

Form1::Form1(Application &application)
    : m_application(application)
{
    ui.setupUi(this);
    PlaceWindow(*this, QRect(5, 16, 812, 612));
    applyLook();
    connectHandlers();
    PressFocusedButtonOnEnter(*this);
}

void Form1::applyLook()
{
    setFont(ScreenFont(kSansSerif, 11));
    SetBackground(this, ToColor(SystemColor::ButtonFace));
    PaintBackgroundEdgeToEdge(*this, *ui.Image1, QStringLiteral(":/assets/background.jpg"));
    SetTextColor(this, ToColor(SystemColor::WindowText));

    SetBackground(ui.Panel1, kTeal);
    ui.Label2->setFont(ScreenFont(kLucida, 15, true));
    SetTextColor(ui.Label2, Qt::yellow);
    SetBackground(ui.Panel4, Qt::yellow);
    for (QCheckBox *box : {ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4, ui.CheckBox5, ui.CheckBox6}) {
        box->setFont(ScreenFont(kLucida, 13));
        SetCaptionColor(box, Qt::yellow);
        WidenToCaption(box);
    }
    SetTextColor(ui.BitBtn1, ToColor(SystemColor::WindowText));

    SetBackground(ui.Panel2, ToColor(SystemColor::ButtonFace));
    SetBackground(ui.Panel3, ToColor(SystemColor::ButtonFace));
    ui.Label1->setFont(ScreenFont(kLucida, 21, true));
    ui.Label3->setFont(ScreenFont(kLucida, 16, true));
    ui.BitBtn3->setFont(ScreenFont(kSansSerif, 13, true));

    ui.BitBtn1->setIcon(TransparentPicture(QStringLiteral(":/assets/check.jpg")));
    ui.BitBtn2->setIcon(TransparentPicture(QStringLiteral(":/assets/door.jpg")));
    ui.BitBtn3->setIcon(TransparentPicture(QStringLiteral(":/assets/book.jpg")));
}

void Form1::connectHandlers()
{
    // The error and the confidence are always part of the calculation.
    for (QCheckBox *box : {ui.CheckBox1, ui.CheckBox2}) {
        connect(box, &QCheckBox::toggled, this, Guarded([box] { box->setChecked(true); }));
    }
    connect(ui.BitBtn1, &QToolButton::clicked, this,
            Guarded([this] { ShowModal(m_application.form2(), *this); }));
    connect(ui.BitBtn2, &QToolButton::clicked, this, Guarded([this] { close(); }));
    connect(ui.BitBtn3, &QToolButton::clicked, this,
            Guarded([this] { ShowModal(m_application.form4(), *this); }));
}
