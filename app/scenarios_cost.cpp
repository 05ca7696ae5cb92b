#include "app/scenarios_cost.h"

#include "app/locale_number.h"
#include "app/scenarios_texts.h"
#include "calc/extended_math.h"

#include <QLocale>

#include <stdexcept>

std::optional<double> ReadCostPerInterview(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const double cost = ReadNumber(text);
    if (cost < 0)
        throw std::invalid_argument(ScenarioString(ScenarioText::NegativeCost).toStdString());
    return cost;
}

double SurveyCost(std::int64_t sampleSize, double costPerInterview)
{
    return calc::StoreDouble(static_cast<calc::Extended>(sampleSize) * costPerInterview);
}

QString CostText(double cost)
{
    return QLocale::system().toString(cost, 'f', 2);
}
