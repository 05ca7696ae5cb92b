// The widget rules the screens rely on where they differ from Qt's own:
// spin fields, grouped radio buttons, text fields, and the error reporting.

#include "app/error_reporting.h"
#include "app/radio_button.h"
#include "app/spin_edit.h"
#include "app/system_colors.h"
#include "app/text_field.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <stdexcept>

namespace {

// A window with one spin field and a button that takes the focus.
struct SpinWindow {
    QWidget window;
    SpinEdit *spin = new SpinEdit(&window);
    QToolButton *button = new QToolButton(&window);

    SpinWindow(int min, int max, int value)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(button);
        button->setFocusPolicy(Qt::StrongFocus);
        spin->setMinValue(min);
        spin->setMaxValue(max);
        spin->setValue(value);
        window.show();
    }

    QToolButton *arrow(Qt::ArrowType type) const
    {
        for (QToolButton *child : spin->findChildren<QToolButton *>()) {
            if (child->arrowType() == type)
                return child;
        }
        return nullptr;
    }
};

// Reads and accepts the next message box.
struct MessageReader {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool seen = false;

    void arm()
    {
        QTimer::singleShot(0, [this] { poll(); });
    }

    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(5, [this] { poll(); });
            return;
        }
        seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        box->accept();
    }
};

} // namespace

class WidgetRulesTest : public QObject {
    Q_OBJECT

private slots:
    void spinReadsText_data();
    void spinReadsText();
    void spinClampsOnFocusLoss_data();
    void spinClampsOnFocusLoss();
    void spinClampsBeforeButtonHandling();
    void spinArrows_data();
    void spinArrows();
    void spinArrowTakesFocus();

    void radioSelectsOnlyOnce();
    void radioDeselectsFromCodeSilently();
    void radioGroupsByParent();

    void fieldTypingLimitSparesCodeText();
    void fieldReportsClicks();
    void fieldColourFollowsEnabled();
    void fieldChangeHandlingNests();

    void messageGetsFullStop_data();
    void messageGetsFullStop();
    void errorBoxShowsMessageLiterally();
    void guardedHandlerReportsAndGoesOn();
};

void WidgetRulesTest::spinReadsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("whole number") << "70" << 70;
    QTest::newRow("below limit, unclamped until focus loss") << "45" << 45;
    QTest::newRow("letters read as lower limit") << "abc" << 50;
    QTest::newRow("empty reads as lower limit") << "" << 50;
    QTest::newRow("fraction reads as lower limit") << "7.5" << 50;
    QTest::newRow("sign") << "-3" << -3;
    QTest::newRow("beyond 32 bits") << "99999999999" << 50;
}

void WidgetRulesTest::spinReadsText()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    SpinEdit spin;
    spin.setMinValue(50);
    spin.setMaxValue(99);
    spin.setText(text);
    QCOMPARE(spin.value(), value);
    QCOMPARE(spin.text(), text);
}

void WidgetRulesTest::spinClampsOnFocusLoss_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("afterFocusLoss");
    QTest::newRow("below") << "45" << "50";
    QTest::newRow("above") << "150" << "99";
    QTest::newRow("negative") << "-7" << "50";
    QTest::newRow("within") << "77" << "77";
    // Not a number: it reads as the lower limit, which is within the limits.
    QTest::newRow("letters stay") << "xy" << "xy";
}

void WidgetRulesTest::spinClampsOnFocusLoss()
{
    QFETCH(QString, typed);
    QFETCH(QString, afterFocusLoss);
    SpinWindow w(50, 99, 60);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.spin->setFocus();
    w.spin->selectAll();
    QTest::keyClicks(w.spin, typed);
    QCOMPARE(w.spin->text(), typed);
    w.button->setFocus();
    QCOMPARE(w.spin->text(), afterFocusLoss);
}

void WidgetRulesTest::spinClampsBeforeButtonHandling()
{
    SpinWindow w(1, 100, 100);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QString seenByButton;
    QObject::connect(w.button, &QToolButton::clicked, [&] { seenByButton = w.spin->text(); });
    w.spin->setFocus();
    w.spin->selectAll();
    QTest::keyClicks(w.spin, "250");
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(seenByButton, QString("100"));
}

void WidgetRulesTest::spinArrows_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("changes");
    QTest::newRow("up") << "60" << true << "61" << 1;
    QTest::newRow("down") << "60" << false << "59" << 1;
    QTest::newRow("up at upper limit") << "99" << true << "99" << 0;
    QTest::newRow("down at lower limit") << "50" << false << "50" << 0;
    QTest::newRow("up from letters starts at lower limit") << "abc" << true << "51" << 1;
    QTest::newRow("down from beyond the limit") << "150" << false << "99" << 1;
}

void WidgetRulesTest::spinArrows()
{
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, result);
    QFETCH(int, changes);
    SpinWindow w(50, 99, 60);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.spin->setText(start);
    int changed = 0;
    QObject::connect(w.spin, &QLineEdit::textChanged, [&] { ++changed; });
    QTest::mouseClick(w.arrow(up ? Qt::UpArrow : Qt::DownArrow), Qt::LeftButton);
    QCOMPARE(w.spin->text(), result);
    QCOMPARE(changed, changes);
}

void WidgetRulesTest::spinArrowTakesFocus()
{
    SpinWindow w(1, 10, 5);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.button->setFocus();
    QTest::mouseClick(w.arrow(Qt::UpArrow), Qt::LeftButton);
    QVERIFY(w.spin->hasFocus());
    QCOMPARE(w.spin->value(), 6);
    QTest::keyClick(w.spin, Qt::Key_Down);
    QCOMPARE(w.spin->value(), 5);
}

void WidgetRulesTest::radioSelectsOnlyOnce()
{
    QWidget window;
    auto *a = new RadioButton(&window);
    auto *b = new RadioButton(&window);
    a->setGeometry(0, 0, 80, 20);
    b->setGeometry(0, 30, 80, 20);
    int handledA = 0, handledB = 0;
    QObject::connect(a, &QAbstractButton::toggled, [&](bool on) { handledA += on ? 1 : 0; });
    QObject::connect(b, &QAbstractButton::toggled, [&](bool on) {
        if (!on)
            return;
        // The group is settled when the handling runs.
        QVERIFY(!a->isChecked());
        ++handledB;
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    a->setChecked(true);
    QCOMPARE(handledA, 1);
    b->setChecked(true);
    QVERIFY(!a->isChecked());
    QCOMPARE(handledB, 1);
    b->setChecked(true);
    QCOMPARE(handledB, 1);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, 10));
    QVERIFY(b->isChecked());
    QCOMPARE(handledB, 1);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(6, 10));
    QVERIFY(a->isChecked());
    QVERIFY(!b->isChecked());
    QCOMPARE(handledA, 2);
}

void WidgetRulesTest::radioDeselectsFromCodeSilently()
{
    QWidget window;
    auto *a = new RadioButton(&window);
    int handled = 0;
    QObject::connect(a, &QAbstractButton::toggled, [&](bool on) { handled += on ? 1 : 0; });
    a->setChecked(true);
    a->setChecked(false);
    QVERIFY(!a->isChecked());
    QCOMPARE(handled, 1);
}

void WidgetRulesTest::radioGroupsByParent()
{
    QWidget window;
    auto *panel = new QWidget(&window);
    auto *outer = new RadioButton(&window);
    auto *inner1 = new RadioButton(panel);
    auto *inner2 = new RadioButton(panel);
    outer->setChecked(true);
    inner1->setChecked(true);
    QVERIFY(outer->isChecked());
    inner2->setChecked(true);
    QVERIFY(outer->isChecked());
    QVERIFY(!inner1->isChecked());
}

void WidgetRulesTest::fieldTypingLimitSparesCodeText()
{
    QWidget window;
    auto *field = new TextField(&window);
    field->setTypingLimit(6);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    QTest::keyClicks(field, "1234567");
    QCOMPARE(field->text(), QString("123456"));
    field->setText("-0.0512");
    QCOMPARE(field->text(), QString("-0.0512"));
}

void WidgetRulesTest::fieldReportsClicks()
{
    QWidget window;
    auto *field = new TextField(&window);
    field->setGeometry(0, 0, 80, 22);
    int clicks = 0;
    QObject::connect(field, &TextField::clicked, [&] { ++clicks; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(field, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QTest::mouseClick(field, Qt::RightButton);
    QCOMPARE(clicks, 1);
}

void WidgetRulesTest::fieldColourFollowsEnabled()
{
    TextField field;
    const QColor enabled(255, 255, 255);
    field.setEnabledColor(enabled);
    QCOMPARE(field.palette().color(QPalette::Base), enabled);
    field.setEnabled(false);
    QCOMPARE(field.palette().color(QPalette::Disabled, QPalette::Base), ToColor(SystemColor::Menu));
    field.setEnabled(true);
    QCOMPARE(field.palette().color(QPalette::Active, QPalette::Base), enabled);
}

void WidgetRulesTest::fieldChangeHandlingNests()
{
    TextField field;
    QStringList handled;
    QObject::connect(&field, &QLineEdit::textChanged, [&](const QString &text) {
        handled << text;
        if (text.toInt() > 20)
            field.setText("20");
    });
    field.setText("25");
    QCOMPARE(field.text(), QString("20"));
    QCOMPARE(handled, QStringList({"25", "20"}));
    field.setText("20");
    QCOMPARE(handled.size(), 2);
}

void WidgetRulesTest::messageGetsFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("without") << "Floating point overflow" << "Floating point overflow.";
    QTest::newRow("with") << "Done." << "Done.";
    QTest::newRow("empty") << "" << "";
}

void WidgetRulesTest::messageGetsFullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(ErrorMessageText(message.toStdString())), shown);
}

void WidgetRulesTest::errorBoxShowsMessageLiterally()
{
    // The program names itself at start-up; message boxes carry that name.
    QCoreApplication::setApplicationName(QStringLiteral("VALDORA"));
    MessageReader reader;
    reader.arm();
    ReportError("'%s %n <b>x</b>' is not a valid floating point value");
    QVERIFY(reader.seen);
    QCOMPARE(reader.text, QString("'%s %n <b>x</b>' is not a valid floating point value."));
    QCOMPARE(reader.title, QString("VALDORA"));
    QCOMPARE(reader.icon, QMessageBox::Critical);
    QCOMPARE(reader.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void WidgetRulesTest::guardedHandlerReportsAndGoesOn()
{
    QToolButton button;
    bool after = false;
    QObject::connect(&button, &QToolButton::clicked,
                     Guarded([] { throw std::runtime_error("Invalid floating point operation"); }));
    QObject::connect(&button, &QToolButton::clicked, [&] { after = true; });
    MessageReader reader;
    reader.arm();
    button.click();
    QVERIFY(reader.seen);
    QCOMPARE(reader.text, QString("Invalid floating point operation."));
    QVERIFY(after);
}

QTEST_MAIN(WidgetRulesTest)
#include "widget_rules_test.moc"
