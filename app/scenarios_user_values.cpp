#include "app/scenarios_user_values.h"

#include "app/locale_number.h"
#include "app/scenarios_cost.h"
#include "app/scenarios_table.h"
#include "app/scenarios_texts.h"
#include "calc/result_presentation.h"

#include <QStringList>

std::vector<std::pair<QString, QString>> UserValues(const ScenarioTable &table, std::optional<double> costPerInterview)
{
    const SampleSizeParams &user = table.User();
    const ScenarioCell &result = table.Cell(table.UserRow(), table.UserColumn());
    const ResultTexts texts = PresentationTexts(user, DecimalSeparator());
    const auto q = [](const std::string &text) { return QString::fromStdString(text); };
    const QString percent = QStringLiteral(" %");
    std::vector<std::pair<QString, QString>> values{
        {ScenarioString(ScenarioText::ValueError), q(texts.Error) + percent},
        {ScenarioString(ScenarioText::ValueConfidence), q(texts.Confidence) + percent},
        {ScenarioString(ScenarioText::ValueProportion), q(texts.Proportion) + percent},
    };
    if (user.DesignEffectOn == 1)
        values.emplace_back(ScenarioString(ScenarioText::ValueDesignEffect), q(texts.DesignEffect));
    if (user.ResponseRateOn == 1)
        values.emplace_back(ScenarioString(ScenarioText::ValueResponseRate), q(texts.ResponseRate) + percent);
    if (user.PopulationOn == 1)
        values.emplace_back(ScenarioString(ScenarioText::ValuePopulation), q(texts.Population));
    values.emplace_back(ScenarioString(ScenarioText::ValueSampleSize),
                        result.Refused() ? q(result.Refusal) : QString::number(result.SampleSize));
    if (costPerInterview)
        values.emplace_back(ScenarioString(ScenarioText::ValueCost), CostText(*costPerInterview));
    return values;
}

QString UserValuesLine(const ScenarioTable &table)
{
    QStringList parts;
    for (const auto &[caption, value] : UserValues(table))
        parts << caption + QStringLiteral(" ") + value;
    return ScenarioString(ScenarioText::Summary).arg(parts.join(QStringLiteral("; ")));
}
