// The scenarios window as a keyboard user meets it, in the user's language
// and number format: opened from the results screen by its mnemonic, the
// table starting at the user's cell, the cost column following what is
// typed, the curve drawing the table's numbers, Escape going back.

#include "app/form3.h"
#include "app/locale_number.h"
#include "app/scenarios_cost.h"
#include "app/scenarios_model.h"
#include "app/scenarios_texts.h"
#include "app/scenarios_window.h"
#include "app/screen_font.h"
#include "calc/sample_size.h"

#include "scenario_calculation.h"

#include <QApplication>
#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>

#include <functional>

namespace {

QString Decimal(const char *pointText)
{
    QString text = QString::fromLatin1(pointText);
    text.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator()));
    return text;
}

} // namespace

class ScenariosWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keyboardRoad();
    void costColumn_data();
    void costColumn();
    void chartDrawsTheTable();
    void textsFollowTheLocale();

private:
    // Opens the window with Alt+E on the results screen and runs `inside`
    // while it is up; true when it opened and was closed again.
    bool openByKeyboard(const std::function<void(ScenariosWindow &)> &inside);

    std::unique_ptr<Form3> m_form3;
    SampleSizeParams m_user;
};

void ScenariosWindowTest::initTestCase()
{
    Q_INIT_RESOURCE(pictures);
    UseScreenFontSubstitutes();
    m_user = ScenarioInputs();
    ComputeSampleSize(m_user);
    QCOMPARE(m_user.SampleSize, 440);
}

void ScenariosWindowTest::init()
{
    m_form3 = std::make_unique<Form3>();
    m_form3->setCalculation(m_user);
    m_form3->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form3.get()));
}

void ScenariosWindowTest::cleanup()
{
    m_form3.reset();
}

bool ScenariosWindowTest::openByKeyboard(const std::function<void(ScenariosWindow &)> &inside)
{
    bool opened = false;
    bool done = false;
    QTimer inWindow;
    inWindow.setInterval(5);
    connect(&inWindow, &QTimer::timeout, [&] {
        auto *window = qobject_cast<ScenariosWindow *>(QApplication::activeModalWidget());
        if (!window || QApplication::activeWindow() != window)
            return;
        inWindow.stop();
        opened = true;
        inside(*window);
        if (window->isVisible())
            QTest::keyClick(window, Qt::Key_Escape);
        done = true;
    });
    // A failed check inside must not leave the test waiting in the modal loop.
    QTimer guard;
    connect(&guard, &QTimer::timeout, [] {
        if (auto *window = qobject_cast<ScenariosWindow *>(QApplication::activeModalWidget()))
            window->close();
    });
    guard.start(10000);
    inWindow.start();
    // The mnemonic clicks the button the way a click is animated: a moment later.
    QTest::keyClick(m_form3.get(), Qt::Key_E, Qt::AltModifier);
    const bool finished = QTest::qWaitFor([&] { return done; }, 10000);
    return finished && opened && !m_form3->scenarios().isVisible();
}

void ScenariosWindowTest::keyboardRoad()
{
    QWidget *focusBefore = QApplication::focusWidget();
    QVERIFY(focusBefore);
    QVERIFY(openByKeyboard([&](ScenariosWindow &window) {
        const ScenarioModel &model = window.model();
        // The keyboard starts on the user's cell: 4.5 % at 93 %, the 440
        // of the results screen, marked for a screen reader.
        QCOMPARE(QApplication::focusWidget(), window.ui.table);
        QModelIndex current = window.ui.table->currentIndex();
        QCOMPARE(model.data(model.index(current.row(), 0), Qt::DisplayRole).toString(), Decimal("4.5 %"));
        QCOMPARE(model.headerData(current.column(), Qt::Horizontal, Qt::DisplayRole).toString(),
                 ScenarioString(ScenarioText::ConfidenceColumn).arg(QStringLiteral("93")));
        QCOMPARE(current.data().toString(), QStringLiteral("440"));
        QVERIFY(current.data(Qt::AccessibleTextRole).toString().contains(ScenarioString(ScenarioText::UserCell)));
        QVERIFY(current.data(Qt::FontRole).value<QFont>().bold());
        // Arrows walk the table: a larger error needs fewer interviews.
        QTest::keyClick(window.ui.table, Qt::Key_Down);
        current = window.ui.table->currentIndex();
        QCOMPARE(model.data(model.index(current.row(), 0), Qt::DisplayRole).toString(), Decimal("5 %"));
        QVERIFY(current.data().toString().toLongLong() < 440);
        QVERIFY(!current.data(Qt::AccessibleTextRole).toString().contains(ScenarioString(ScenarioText::UserCell)));

        // Tab: cost field, print, close, and round to the table.
        const QList<QWidget *> order{window.ui.costField, window.ui.printButton, window.ui.closeButton,
                                     window.ui.table};
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        // The cost field's mnemonic reaches it from anywhere.
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);  // "&Costo", "&Cost"
        QCOMPARE(QApplication::focusWidget(), window.ui.costField);
    }));
    // Back on the results screen, where the keyboard left it.
    QTRY_COMPARE(QApplication::activeWindow(), m_form3.get());
    QCOMPARE(QApplication::focusWidget(), focusBefore);
}

void ScenariosWindowTest::costColumn_data()
{
    QTest::addColumn<QString>("typed");   // with a point for the decimal separator
    QTest::addColumn<bool>("column");
    QTest::addColumn<bool>("message");

    QTest::newRow("a cost") << "12.5" << true << false;
    QTest::newRow("a whole cost") << "300" << true << false;
    QTest::newRow("zero") << "0" << true << false;
    QTest::newRow("negative") << "-3" << false << true;
    QTest::newRow("not a number") << "doce" << false << true;
    QTest::newRow("emptied") << "" << false << false;
    QTest::newRow("beyond the double range in every row") << "1E307" << true << false;
}

void ScenariosWindowTest::costColumn()
{
    QFETCH(QString, typed);
    QFETCH(bool, column);
    QFETCH(bool, message);

    QVERIFY(openByKeyboard([&](ScenariosWindow &window) {
        const ScenarioModel &model = window.model();
        const int sizeColumns = int(model.table().Columns().size()) + 1;
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window.ui.costField);
        QTest::keyClicks(window.ui.costField, Decimal(typed.toLatin1().constData()));
        QCOMPARE(model.columnCount(), sizeColumns + (column ? 1 : 0));
        QCOMPARE(window.ui.costMessage->text().isEmpty(), !message);
        if (!column)
            return;
        const int costColumn = model.costColumn();
        QCOMPARE(costColumn, sizeColumns);
        const double cost = *window.costPerInterview();
        for (int row = 0; row < model.rowCount(); ++row) {
            const ScenarioCell &cell = model.table().Cell(row, model.table().UserColumn());
            const long double expected = static_cast<long double>(cell.SampleSize) * cost;
            const QString shown = model.data(model.index(row, costColumn), Qt::DisplayRole).toString();
            if (expected > std::numeric_limits<double>::max())
                QCOMPARE(shown, QStringLiteral("Floating point overflow"));
            else
                QCOMPARE(shown, QLocale::system().toString(double(expected), 'f', 2));
        }
    }));
}

void ScenariosWindowTest::chartDrawsTheTable()
{
    QVERIFY(openByKeyboard([&](ScenariosWindow &window) {
        const ScenarioTable &table = window.model().table();
        QChart *chart = window.chart();
        QVERIFY(chart);
        QList<QLineSeries *> lines;
        QScatterSeries *user = nullptr;
        for (QAbstractSeries *series : chart->series()) {
            if (auto *scatter = qobject_cast<QScatterSeries *>(series))
                user = scatter;
            else if (auto *line = qobject_cast<QLineSeries *>(series))
                lines << line;
        }
        QCOMPARE(lines.size(), int(table.Columns().size()));
        for (int c = 0; c < lines.size(); ++c) {
            QVERIFY(lines[c]->name().contains(QString::fromStdString(table.Columns()[c].Level)));
            const QList<QPointF> points = lines[c]->points();
            QCOMPARE(points.size(), int(table.Rows().size()));
            for (int r = 0; r < points.size(); ++r) {
                QCOMPARE(points[r].x(), double(static_cast<long double>(table.Rows()[r].ErrorFraction) * 100));
                QCOMPARE(points[r].y(), double(table.Cell(r, c).SampleSize));
            }
        }
        QVERIFY(user);
        QCOMPARE(user->points(), QList<QPointF>{QPointF(4.5, 440)});

        // Every point lies inside the axes' ranges.
        const auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
        const auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
        QVERIFY(x && y);
        QCOMPARE(x->titleText(), ScenarioString(ScenarioText::AxisError));
        QCOMPARE(y->titleText(), ScenarioString(ScenarioText::AxisSampleSize));
        for (const QLineSeries *line : lines)
            for (const QPointF &p : line->points())
                QVERIFY(p.x() >= x->min() && p.x() <= x->max() && p.y() >= y->min() && p.y() <= y->max());
        // Labels in the user's number format.
        QVERIFY(chart->localizeNumbers());
        QCOMPARE(chart->locale().decimalPoint(), QLocale::system().decimalPoint());
    }));
}

void ScenariosWindowTest::textsFollowTheLocale()
{
    const bool spanish = QLocale::system().language() == QLocale::Spanish;
    QCOMPARE(ScenariosInSpanish(), spanish);
    QVERIFY(openByKeyboard([&](ScenariosWindow &window) {
        QCOMPARE(window.windowTitle(), spanish ? QStringLiteral("Escenarios") : QStringLiteral("Scenarios"));
        QCOMPARE(window.ui.printButton->text(), spanish ? QStringLiteral("&Imprimir") : QStringLiteral("&Print"));
        QCOMPARE(window.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 spanish ? QStringLiteral("Error máximo") : QStringLiteral("Maximum error"));
        // The summary carries the results screen's values.
        QVERIFY(window.ui.summary->text().contains(Decimal("4.5 %")));
        QVERIFY(window.ui.summary->text().contains(QStringLiteral("440")));
    }));
}

QTEST_MAIN(ScenariosWindowTest)
#include "scenarios_window_locale_test.moc"
