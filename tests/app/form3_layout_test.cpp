#include "app/fitting_label.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/screen_font.h"
#include "app/window_frame.h"

#include <QApplication>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

// The results screen as laid out: controls, fonts, bars, check marks and tab
// order; closing it keeps the note; the definitions opened from it leave the
// results as they were.
class Form3LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void captionAndIcon();
    void controlGeometry_data();
    void controlGeometry();
    void fonts_data();
    void fonts();
    void barsAreTealAndClippedByTheGroup();
    void checkMarksStartVisibleAndStretched();
    void legendCheckMarkIsTransparent();
    void tabOrder();
    void printButtonDoesNothingYet();
    void closingHidesAndKeepsTheNote();
    void definitionsLeaveTheResultsAsTheyWere();
    void definitionsWithoutADefinitionsScreenDoNothing();
    void valueThatFitsKeepsItsBox();
    void widerValueStaysInsideItsBox_data();
    void widerValueStaysInsideItsBox();

private:
    // Runs the action once the dialog's modal loop is running.
    static int execWith(QDialog &dialog, std::function<void()> action);

    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
};

int Form3LayoutTest::execWith(QDialog &dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, std::move(action));
    // A failed check inside the action must not leave the test hanging.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(5000);
    return dialog.exec();
}

void Form3LayoutTest::initTestCase()
{
    // As the application object does at start-up.
    Q_INIT_RESOURCE(pictures);
    UseScreenFontSubstitutes();
}

void Form3LayoutTest::init()
{
    m_form3 = std::make_unique<Form3>();
    m_form4 = std::make_unique<Form4>();
    m_form3->setDefinitions(m_form4.get());
}

void Form3LayoutTest::cleanup()
{
    m_form4.reset();
    m_form3.reset();
}

void Form3LayoutTest::captionAndIcon()
{
    QCOMPARE(m_form3->windowTitle(), QStringLiteral("Resultados"));
    const QList<QSize> sizes = m_form3->windowIcon().availableSizes();
    for (const int side : {16, 32, 48})
        QVERIFY(sizes.contains(QSize(side, side)));
    QCOMPARE(m_form3->size(), ClientSize(QSize(727, 518)));
}

void Form3LayoutTest::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");

    const QString window = QStringLiteral("Form3");
    const QString group = QStringLiteral("GroupBox6");
    QTest::newRow("Image1") << "Image1" << window << QRect(-93, -84, 801, 545);
    QTest::newRow("Image8") << "Image8" << window << QRect(343, 25, 25, 16);
    QTest::newRow("Label20") << "Label20" << window << QRect(376, 24, 259, 16);
    QTest::newRow("Label21") << "Label21" << window << QRect(376, 56, 255, 32);
    QTest::newRow("Label22") << "Label22" << window << QRect(336, 120, 339, 26);
    QTest::newRow("BitBtn1") << "BitBtn1" << window << QRect(48, 344, 105, 65);
    QTest::newRow("Memo1") << "Memo1" << window << QRect(336, 152, 345, 185);
    QTest::newRow("GroupBox6") << "GroupBox6" << window << QRect(48, 15, 257, 314);
    QTest::newRow("BitBtn2") << "BitBtn2" << window << QRect(208, 344, 97, 65);
    QTest::newRow("BitBtn3") << "BitBtn3" << window << QRect(432, 352, 129, 38);
    // Below "Definiciones", clear of every stored control.
    QTest::newRow("ScenariosButton") << "ScenariosButton" << window << QRect(432, 400, 129, 38);

    QTest::newRow("Label6") << "Label6" << group << QRect(88, 8, 113, 13);
    QTest::newRow("Label2") << "Label2" << group << QRect(120, 32, 41, 16);
    QTest::newRow("Label3") << "Label3" << group << QRect(187, 80, 41, 16);
    QTest::newRow("Label4") << "Label4" << group << QRect(184, 120, 41, 16);
    QTest::newRow("Label9") << "Label9" << group << QRect(40, 144, 119, 26);
    QTest::newRow("Label5") << "Label5" << group << QRect(184, 152, 41, 16);
    QTest::newRow("Label10") << "Label10" << group << QRect(40, 192, 60, 26);
    QTest::newRow("Label16") << "Label16" << group << QRect(184, 200, 48, 16);
    QTest::newRow("Label11") << "Label11" << group << QRect(40, 232, 65, 26);
    QTest::newRow("Label17") << "Label17" << group << QRect(184, 240, 48, 16);
    QTest::newRow("Label1") << "Label1" << group << QRect(40, 280, 78, 26);
    QTest::newRow("Label18") << "Label18" << group << QRect(184, 288, 48, 16);
    for (const auto &[name, left, top] : {std::tuple{"Image2", 8, 78}, {"Image3", 8, 116}, {"Image4", 7, 154},
                                          {"Image5", 6, 196}, {"Image6", 7, 241}, {"Image7", 7, 282}})
        QTest::newRow(name) << name << group << QRect(left, top, 25, 16);
    int bar = 1;
    for (const int top : {56, 104, 136, 176, 224, 264}) {
        const QString name = QStringLiteral("Panel%1").arg(bar++);
        QTest::newRow(qPrintable(name)) << name << group << QRect(0, top, 297, 9);
    }
    QTest::newRow("Panel7") << "Panel7" << group << QRect(162, 56, 9, 257);
}

void Form3LayoutTest::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);

    const auto *control = m_form3->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), geometry);
}

void Form3LayoutTest::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");

    QTest::newRow("window") << "Form3" << QString() << 11 << false;
    QTest::newRow("Label20") << "Label20" << "Datos Proporcionados por el Usuario" << 13 << true;
    QTest::newRow("Label21") << "Label21" << "Los renglones sin paloma son datos considerados por el Sistema" << 13 << true;
    QTest::newRow("Label22") << "Label22" << "Escriba alguna indicación que requiera que aparezca en la impresión" << 11 << true;
    QTest::newRow("GroupBox6") << "GroupBox6" << QString() << 11 << true;
    QTest::newRow("BitBtn3") << "BitBtn3" << "Definiciones" << 11 << true;
    QTest::newRow("Label6") << "Label6" << "Tamaño de Muestra" << 11 << true;
    QTest::newRow("Label8") << "Label8" << "Error Máximo:" << 11 << true;
    QTest::newRow("Label7") << "Label7" << "Confianza:" << 11 << true;
    QTest::newRow("Label9") << "Label9" << "Tamaño Aproximado de la Proporción:" << 11 << true;
    QTest::newRow("Label10") << "Label10" << "Efecto de Diseño" << 11 << true;
    QTest::newRow("Label11") << "Label11" << "Tasa de Respuesta:" << 11 << true;
    QTest::newRow("Label1") << "Label1" << "Tamaño de la Población:" << 11 << true;
    for (const char *value : {"Label2", "Label3", "Label4", "Label5", "Label16", "Label17", "Label18"})
        QTest::newRow(value) << value << QString() << 13 << false;
    for (const char *percent : {"Label12", "Label13", "Label14", "Label15"})
        QTest::newRow(percent) << percent << "%" << 13 << true;
}

void Form3LayoutTest::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(bool, bold);

    auto *control = name == QLatin1String("Form3") ? m_form3.get() : m_form3->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(control->font().pixelSize(), pixels);
    QCOMPARE(control->font().bold(), bold);
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isNull())
        QCOMPARE(label->text(), text);
}

void Form3LayoutTest::barsAreTealAndClippedByTheGroup()
{
    const QImage screen = m_form3->grab().toImage();
    const QPoint group = m_form3->ui.GroupBox6->pos();
    const QColor teal(64, 128, 128);
    for (const int top : {56, 104, 136, 176, 224, 264}) {
        QCOMPARE(screen.pixelColor(group + QPoint(100, top + 4)), teal);
        QCOMPARE(screen.pixelColor(group + QPoint(255, top + 4)), teal);
        // Past the group's right edge the bar does not show.
        QVERIFY(screen.pixelColor(group + QPoint(260, top + 4)) != teal);
    }
    QCOMPARE(screen.pixelColor(group + QPoint(166, 300)), teal);
    QCOMPARE(m_form3->ui.Label20->text(), QStringLiteral("Datos Proporcionados por el Usuario"));
}

void Form3LayoutTest::checkMarksStartVisibleAndStretched()
{
    for (QLabel *mark : {m_form3->ui.Image2, m_form3->ui.Image3, m_form3->ui.Image4, m_form3->ui.Image5,
                         m_form3->ui.Image6, m_form3->ui.Image7, m_form3->ui.Image8}) {
        QVERIFY(mark->isVisibleTo(m_form3.get()));
        QVERIFY(mark->hasScaledContents());
        QCOMPARE(mark->size(), QSize(25, 16));
        QCOMPARE(mark->pixmap().size(), QSize(48, 35));
    }
}

void Form3LayoutTest::legendCheckMarkIsTransparent()
{
    // The legend's check mark lies on the stucco background: its corners show
    // the stucco, not the picture's white, while its stroke shows red.
    const QImage screen = m_form3->grab().toImage();
    const QRect mark = m_form3->ui.Image8->geometry();
    const QImage stucco(QStringLiteral(":/assets/background.jpg"));
    const QPoint offset = -m_form3->ui.Image1->pos();
    for (const QPoint corner : {mark.bottomLeft(), mark.topLeft(), mark.topRight()})
        QCOMPARE(screen.pixelColor(corner), stucco.pixelColor(corner + offset));
    int red = 0;
    for (int y = mark.top(); y <= mark.bottom(); ++y) {
        for (int x = mark.left(); x <= mark.right(); ++x) {
            const QColor pixel = screen.pixelColor(x, y);
            red += pixel.red() > 150 && pixel.green() < 90 ? 1 : 0;
        }
    }
    QVERIFY(red > 20);
}

void Form3LayoutTest::tabOrder()
{
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form3.get()));
    m_form3->ui.BitBtn1->setFocus();
    QCOMPARE(QApplication::focusWidget(), m_form3->ui.BitBtn1);
    const QList<QWidget *> expected{m_form3->ui.BitBtn2, m_form3->ui.Memo1, m_form3->ui.BitBtn3,
                                    m_form3->ui.ScenariosButton, m_form3->ui.BitBtn1};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // The note does not swallow the tab key.
    QVERIFY(m_form3->ui.Memo1->toPlainText().isEmpty());
    m_form3->hide();
}

void Form3LayoutTest::printButtonDoesNothingYet()
{
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form3.get()));
    QTest::mouseClick(m_form3->ui.BitBtn1, Qt::LeftButton);
    QVERIFY(m_form3->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    m_form3->hide();
}

void Form3LayoutTest::closingHidesAndKeepsTheNote()
{
    const QString note = QStringLiteral("Encuesta de hogares, zona norte");
    bool shown = false;
    execWith(*m_form3, [&] {
        shown = m_form3->isVisible();
        QTest::keyClicks(m_form3->ui.Memo1, note);
        QTest::mouseClick(m_form3->ui.BitBtn2, Qt::LeftButton);
    });
    QVERIFY(shown);
    QVERIFY(!m_form3->isVisible());

    QString noteOnReturn;
    execWith(*m_form3, [&] {
        noteOnReturn = m_form3->ui.Memo1->toPlainText();
        QTest::mouseClick(m_form3->ui.BitBtn2, Qt::LeftButton);
    });
    QCOMPARE(noteOnReturn, note);
}

void Form3LayoutTest::definitionsLeaveTheResultsAsTheyWere()
{
    m_form3->ui.Label2->setText(QStringLiteral("384"));
    m_form3->ui.Label3->setText(QStringLiteral("5"));
    m_form3->ui.Label18->setText(QStringLiteral("      "));
    m_form3->ui.Image4->hide();
    m_form3->ui.Memo1->setPlainText(QStringLiteral("nota\nsegunda línea"));

    QWidget *modalInside = nullptr;
    bool stillOpen = false;
    execWith(*m_form3, [&] {
        QTimer::singleShot(0, m_form4.get(), [&] {
            modalInside = QApplication::activeModalWidget();
            QTest::mouseClick(m_form4->ui.BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(m_form3->ui.BitBtn3, Qt::LeftButton);
        stillOpen = m_form3->isVisible() && !m_form4->isVisible();
        QTest::mouseClick(m_form3->ui.BitBtn2, Qt::LeftButton);
    });

    QCOMPARE(modalInside, m_form4.get());
    QVERIFY(stillOpen);
    QCOMPARE(m_form3->ui.Label2->text(), QStringLiteral("384"));
    QCOMPARE(m_form3->ui.Label3->text(), QStringLiteral("5"));
    QCOMPARE(m_form3->ui.Label18->text(), QStringLiteral("      "));
    QVERIFY(!m_form3->ui.Image4->isVisibleTo(m_form3.get()));
    QVERIFY(m_form3->ui.Image5->isVisibleTo(m_form3.get()));
    QCOMPARE(m_form3->ui.Memo1->toPlainText(), QStringLiteral("nota\nsegunda línea"));
}

void Form3LayoutTest::definitionsWithoutADefinitionsScreenDoNothing()
{
    Form3 alone;
    alone.show();
    QVERIFY(QTest::qWaitForWindowExposed(&alone));
    QTest::mouseClick(alone.ui.BitBtn3, Qt::LeftButton);
    QVERIFY(alone.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void Form3LayoutTest::valueThatFitsKeepsItsBox()
{
    m_form3->ui.Label2->setText(QStringLiteral("384"));
    m_form3->ui.Label16->setText(QStringLiteral("1.45"));
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form3.get()));
    QCOMPARE(m_form3->ui.Label2->geometry(), QRect(120, 32, 41, 16));
    QCOMPARE(m_form3->ui.Label16->geometry(), QRect(184, 200, 48, 16));
    QVERIFY(m_form3->ui.Label2->alignment() & Qt::AlignHCenter);
    m_form3->hide();
}

void Form3LayoutTest::widerValueStaysInsideItsBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("population of a million") << "Label18" << "1000000";
    QTest::newRow("pasted population") << "Label18" << "1.23456789012346E29";
    QTest::newRow("large sample size") << "Label2" << "384159999999999";
    QTest::newRow("tiny error") << "Label3" << "1E-158";
    QTest::newRow("error of 0.0001") << "Label3" << "0.0001";
    QTest::newRow("negative error") << "Label3" << "-0.0001";
    QTest::newRow("longer than the group") << "Label17" << QString(60, QLatin1Char('9'));
}

// A value wider than its box would run into the bars and the "%" sign: it is
// drawn smaller, or shortened in the middle, inside the box, which keeps its
// place; the label's text stays whole for whoever reads it.
void Form3LayoutTest::widerValueStaysInsideItsBox()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    auto *value = m_form3->findChild<FittingLabel *>(name);
    QVERIFY(value);
    const QRect box = value->geometry();
    value->setText(text);
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form3.get()));

    QCOMPARE(value->geometry(), box);
    QCOMPARE(value->text(), text);
    const QFont drawn = value->drawnFont();
    const QString shown = value->drawnText();
    QVERIFY(drawn.pixelSize() >= FittingLabel::kSmallestPixelSize);
    if (QFontMetrics(value->font()).horizontalAdvance(text) <= value->contentsRect().width()) {
        // It fits after all in this desktop's font: drawn as laid out.
        QCOMPARE(drawn, value->font());
        QCOMPARE(shown, text);
    } else {
        QVERIFY(drawn.pixelSize() < value->font().pixelSize());
    }
    QVERIFY2(QFontMetrics(drawn).horizontalAdvance(shown) <= value->contentsRect().width(), qPrintable(shown));
    if (shown != text) {
        // Shortened only at the smallest size, keeping both ends.
        QCOMPARE(drawn.pixelSize(), FittingLabel::kSmallestPixelSize);
        QVERIFY(shown.contains(QChar(0x2026)));
        QCOMPARE(shown.front(), text.front());
        QCOMPARE(shown.back(), text.back());
    }
    // The shown text is really drawn: dark pixels inside the box.
    const QImage pixels = value->grab().toImage();
    int dark = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x)
            dark += qGray(pixels.pixel(x, y)) < 96 ? 1 : 0;
    }
    QVERIFY(dark > 10);

    // A later, shorter value is drawn in the layout's font again.
    m_form3->hide();
    value->setText(QStringLiteral("5"));
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form3.get()));
    QCOMPARE(value->geometry(), box);
    QCOMPARE(value->drawnFont().pixelSize(), value->font().pixelSize());
    QCOMPARE(value->drawnText(), QStringLiteral("5"));
    m_form3->hide();
}

QTEST_MAIN(Form3LayoutTest)
#include "form3_layout_test.moc"
