#include "app/form4.h"
#include "app/screen_font.h"
#include "app/window_frame.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

// The definitions screen: its fixed texts line by line, blanks included; the
// text boxes can be neither edited nor focused; "Salir" closes it.
class DefinitionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void captionColourAndIcon();
    void memoLines_data();
    void memoLines();
    void memosAreDisabledAndReadOnly();
    void typingChangesNothing_data();
    void typingChangesNothing();
    void memoLinesAreNotWrapped();
    void headings_data();
    void headings();
    void alphaLiesOverThePlainA();
    void pictures_data();
    void pictures();
    void onlySalirTakesTheFocus();
    void salirClosesAndTheTextsStay();

private:
    std::unique_ptr<Form4> m_form;
};

void DefinitionsTest::initTestCase()
{
    // As the application object does at start-up.
    Q_INIT_RESOURCE(pictures);
    UseScreenFontSubstitutes();
}

void DefinitionsTest::init()
{
    m_form = std::make_unique<Form4>();
}

void DefinitionsTest::cleanup()
{
    m_form.reset();
}

void DefinitionsTest::captionColourAndIcon()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Definiciones"));
    QCOMPARE(m_form->size(), ClientSize(QSize(635, 536)));
    QVERIFY(m_form->windowIcon().availableSizes().contains(QSize(32, 32)));
    // An empty stretch of the window shows its colour.
    const QImage screen = m_form->grab().toImage();
    QCOMPARE(screen.pixelColor(600, 400), QColor(64, 128, 128));
}

void DefinitionsTest::memoLines_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("error") << "Memo1"
                           << QStringList{"Representa el valor máximo del error que estamos ",
                                          "dispuestos a aceptar con la confianza también fija."};
    QTest::newRow("confidence") << "Memo2"
                                << QStringList{"Indica la probabilidad de que nuestro estimador se ",
                                               "acerque al verdadero valor a una distancia menor ",
                                               "al error fijado."};
    QTest::newRow("proportion") << "Memo3"
                                << QStringList{"Significa la proporción de elementos de la ",
                                               "población que poseen una característica. ",
                                               "Si no se tiene información previa se recomienda ",
                                               "aceptar p = 0.5 que maximiza el cálculo del tamaño ",
                                               "de muestra y por lo tanto minimiza la varianza"};
    QTest::newRow("design effect")
        << "Memo5"
        << QStringList{"Es una medida de asociación que muestra que tan similares son los ",
                       "elementos dentro de un conglomerado; toma valores de [0 a 1].",
                       "",
                       "",
                       "DEEF ._  Es la pérdida o ganancia en precisión que se logra al ",
                       "estratificar y conglomerar en un diseño muestral. Se define como el ",
                       "cociente entre la varianza real y la que teóricamente se hubiera ",
                       "logrado con un muestreo aleatorio simple. ",
                       "",
                       "                      Expresión                                            Cálculo",
                       "",
                       "",
                       "",
                       "",
                       "",
                       "",
                       "              _",
                       "Donde   v   es el número promedio de cuestionarios que se aplican en ",
                       "cada uno de los conglomerados",
                       " "};
    QTest::newRow("response rate") << "Memo6"
                                   << QStringList{"Es el porcentaje de respuestas completas que ",
                                                  "esperamos obtener para nuestra variable"};
    QTest::newRow("population") << "Memo7"
                                << QStringList{"Es el número de elementos en la población", "que se mide"};
}

void DefinitionsTest::memoLines()
{
    QFETCH(QString, memo);
    QFETCH(QStringList, lines);

    const auto *box = m_form->findChild<QPlainTextEdit *>(memo);
    QVERIFY(box);
    const QStringList shown = box->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), lines.size());
    for (int line = 0; line < lines.size(); ++line)
        QCOMPARE(shown.at(line), lines.at(line));
}

void DefinitionsTest::memosAreDisabledAndReadOnly()
{
    for (QPlainTextEdit *memo : {m_form->ui.Memo1, m_form->ui.Memo2, m_form->ui.Memo3, m_form->ui.Memo5,
                                 m_form->ui.Memo6, m_form->ui.Memo7}) {
        QVERIFY(!memo->isEnabled());
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->font().pixelSize(), 11);
    }
}

void DefinitionsTest::typingChangesNothing_data()
{
    QTest::addColumn<QString>("memo");
    for (const char *memo : {"Memo1", "Memo2", "Memo3", "Memo5", "Memo6", "Memo7"})
        QTest::newRow(memo) << memo;
}

void DefinitionsTest::typingChangesNothing()
{
    QFETCH(QString, memo);

    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    auto *box = m_form->findChild<QPlainTextEdit *>(memo);
    const QString before = box->toPlainText();

    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    QVERIFY(!box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("texto nuevo"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));

    QCOMPARE(box->toPlainText(), before);
    QVERIFY(!box->textCursor().hasSelection());
    m_form->hide();
}

void DefinitionsTest::memoLinesAreNotWrapped()
{
    // Each line of the texts is one line on the screen, shown whole: the
    // formula panels lie in the room the empty lines leave.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    for (QPlainTextEdit *memo : {m_form->ui.Memo1, m_form->ui.Memo2, m_form->ui.Memo3, m_form->ui.Memo5,
                                 m_form->ui.Memo6, m_form->ui.Memo7}) {
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const int room = memo->viewport()->width() - 2 * int(memo->document()->documentMargin());
        const QFontMetrics metrics(memo->font());
        for (const QString &line : memo->toPlainText().split(QLatin1Char('\n')))
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= room,
                     qPrintable(QStringLiteral("%1: \"%2\" in %3 pixels").arg(memo->objectName(), line).arg(room)));
        // All lines fit under each other.
        QVERIFY(metrics.lineSpacing() * memo->blockCount() <= memo->viewport()->height());
    }
    m_form->hide();
}

void DefinitionsTest::headings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("error") << "Label1" << "Error Máximo Aceptable  (d)" << QPoint(8, 134);
    QTest::newRow("confidence") << "Label2" << "Confianza (1- a ) " << QPoint(9, 8);
    QTest::newRow("proportion") << "Label3" << "Proporción a Estimar (p)" << QPoint(10, 227);
    QTest::newRow("rho") << "Label5" << "(Coeficiente de correlación intraclase) RHO " << QPoint(288, 7);
    QTest::newRow("response rate") << "Label6" << "Tasa de Respuesta  (TR)" << QPoint(8, 327);
    QTest::newRow("population") << "Label7" << "Tamaño de la Población (N) " << QPoint(10, 409);
}

void DefinitionsTest::headings()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, position);

    const auto *heading = m_form->findChild<QLabel *>(name);
    QVERIFY(heading);
    QCOMPARE(heading->text(), text);
    QCOMPARE(heading->pos(), position);
    QCOMPARE(heading->font().pixelSize(), 11);
    QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(255, 255, 128));
    QVERIFY(!heading->autoFillBackground());
    // The whole text shows: the label is as wide as its text.
    QVERIFY(heading->width() >= heading->fontMetrics().horizontalAdvance(text));
}

void DefinitionsTest::alphaLiesOverThePlainA()
{
    const QLabel *alpha = m_form->ui.Label8;
    QCOMPARE(alpha->text(), QStringLiteral("a"));
    QCOMPARE(alpha->font().family(), QStringLiteral("Symbol"));
    QCOMPARE(alpha->font().pixelSize(), 16);
    QCOMPARE(alpha->size(), QSize(10, 19));
    QCOMPARE(alpha->y(), 3);
    QVERIFY(alpha->autoFillBackground());
    QCOMPARE(alpha->palette().color(QPalette::Window), QColor(64, 128, 128));
    QCOMPARE(alpha->palette().color(QPalette::WindowText), QColor(255, 255, 128));

    // The plain "a" of the heading lies under the alpha's opaque box.
    const QLabel *heading = m_form->ui.Label2;
    const QFontMetrics metrics(heading->font());
    const int aLeft = heading->x() + metrics.horizontalAdvance(QStringLiteral("Confianza (1- "));
    const int aRight = aLeft + metrics.horizontalAdvance(QLatin1Char('a'));
    QVERIFY2(alpha->x() <= aLeft && alpha->x() + alpha->width() >= aRight,
             qPrintable(QStringLiteral("%1..%2 under %3+%4").arg(aLeft).arg(aRight).arg(alpha->x()).arg(alpha->width())));
}

void DefinitionsTest::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QRect>("panelGeometry");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<bool>("stretched");

    QTest::newRow("logo") << "Image3" << "Form4" << QRect() << QRect(288, 384, 177, 105) << QSize(398, 236) << true;
    QTest::newRow("confidence formula") << "Image1" << "Panel1" << QRect(71, 69, 173, 43) << QRect(6, 4, 161, 33)
                                        << QSize(192, 52) << false;
    QTest::newRow("design effect ratio") << "Image2" << "Panel2" << QRect(299, 173, 141, 56)
                                         << QRect(7, 5, 128, 46) << QSize(134, 50) << false;
    QTest::newRow("design effect from rho") << "Image4" << "Panel3" << QRect(468, 170, 141, 56)
                                            << QRect(6, 7, 128, 44) << QSize(128, 45) << false;
}

void DefinitionsTest::pictures()
{
    QFETCH(QString, name);
    QFETCH(QString, panel);
    QFETCH(QRect, panelGeometry);
    QFETCH(QRect, geometry);
    QFETCH(QSize, pictureSize);
    QFETCH(bool, stretched);

    const auto *picture = m_form->findChild<QLabel *>(name);
    QVERIFY(picture);
    // Pictures are decoded when first painted.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCOMPARE(picture->parentWidget()->objectName(), panel);
    if (panelGeometry.isValid())
        QCOMPARE(picture->parentWidget()->geometry(), panelGeometry);
    QCOMPARE(picture->geometry(), geometry);
    QCOMPARE(picture->pixmap().size(), pictureSize);
    QCOMPARE(picture->hasScaledContents(), stretched);
}

void DefinitionsTest::onlySalirTakesTheFocus()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), m_form->ui.BitBtn1);
    QTest::keyClick(m_form->ui.BitBtn1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->ui.BitBtn1);
    QCOMPARE(m_form->ui.BitBtn1->text(), QStringLiteral("Salir"));
    QCOMPARE(m_form->ui.BitBtn1->geometry(), QRect(494, 464, 77, 33));
    m_form->hide();
}

void DefinitionsTest::salirClosesAndTheTextsStay()
{
    const QString before = m_form->ui.Memo5->toPlainText();
    bool shown = false;
    QTimer::singleShot(0, m_form.get(), [&] {
        shown = m_form->isVisible();
        QTest::mouseClick(m_form->ui.BitBtn1, Qt::LeftButton);
    });
    QTimer guard;
    connect(&guard, &QTimer::timeout, m_form.get(), &QDialog::reject);
    guard.start(5000);
    m_form->exec();
    QVERIFY(shown);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->ui.Memo5->toPlainText(), before);
}

QTEST_MAIN(DefinitionsTest)
#include "definitions_test.moc"
