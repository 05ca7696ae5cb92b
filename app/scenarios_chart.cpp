#include "app/scenarios_chart.h"

#include "app/locale_number.h"
#include "app/scenarios_table.h"
#include "app/scenarios_texts.h"

#include <QChart>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int kLayoutDotsPerInch = 96;

qreal PercentOf(double fraction)
{
    return qreal(static_cast<long double>(fraction) * 100);
}

QValueAxis *ErrorAxis(const ScenarioTable &table)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(ScenarioString(ScenarioText::AxisError));
    const auto &rows = table.Rows();
    const qreal first = PercentOf(rows.front().ErrorFraction);
    const qreal last = PercentOf(rows.back().ErrorFraction);
    axis->setRange(std::min<qreal>(0, first), last + 0.5);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(last - first > 12 ? 2 : 1);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

QValueAxis *SizeAxis(qreal largest)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(ScenarioString(ScenarioText::AxisSampleSize));
    if (largest > 0) {
        axis->setRange(0, largest * 1.05);
        axis->applyNiceNumbers();
    } else {
        // Every cell refused: an empty frame, not repeated labels.
        axis->setRange(0, 1);
        axis->setTickCount(2);
    }
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

} // namespace

std::unique_ptr<QChart> CreateScenarioChart(const ScenarioTable &table)
{
    auto chart = std::make_unique<QChart>();
    chart->setLocale(QLocale::system());
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setBackgroundRoundness(0);
    chart->setBackgroundBrush(Qt::white);
    chart->setDropShadowEnabled(false);
    if (table.Rows().empty() || table.Columns().empty())
        return chart;

    const char separator = DecimalSeparator();
    qreal largest = 0;
    std::vector<QAbstractSeries *> lines;
    for (std::size_t c = 0; c < table.Columns().size(); ++c) {
        auto *line = new QLineSeries;
        line->setName(ScenarioString(ScenarioText::ConfidenceColumn)
                          .arg(QString::fromStdString(LevelText(table.Columns()[c].Level, separator))));
        line->setPointsVisible(true);
        for (const ScenarioRow &row : table.Rows()) {
            const ScenarioCell &cell = row.Cells[c];
            if (cell.Refused())
                continue;
            line->append(PercentOf(row.ErrorFraction), qreal(cell.SampleSize));
            largest = std::max(largest, qreal(cell.SampleSize));
        }
        lines.push_back(line);
    }

    auto *user = new QScatterSeries;
    user->setName(ScenarioString(ScenarioText::UserPoint));
    user->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    user->setMarkerSize(13);
    user->setColor(QColor(200, 0, 0));
    user->setBorderColor(Qt::black);
    const ScenarioCell &userCell = table.Cell(table.UserRow(), table.UserColumn());
    if (!userCell.Refused())
        user->append(PercentOf(table.Rows()[table.UserRow()].ErrorFraction), qreal(userCell.SampleSize));
    lines.push_back(user);

    QValueAxis *x = ErrorAxis(table);
    QValueAxis *y = SizeAxis(largest);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : lines) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

QImage RenderScenarioChart(const ScenarioTable &table, QSize size, int dotsPerInch)
{
    QGraphicsScene scene;
    QChart *chart = CreateScenarioChart(table).release();
    scene.addItem(chart); // the scene owns it now
    chart->resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));

    const qreal scale = qreal(dotsPerInch) / kLayoutDotsPerInch;
    QImage image(qRound(size.width() * scale), qRound(size.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(image.rect()), scene.sceneRect());
    return image;
}
