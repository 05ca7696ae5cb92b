#include "app/scenarios_sheet.h"

#include "app/locale_number.h"
#include "app/results_sheet.h"
#include "app/scenarios_chart.h"
#include "app/scenarios_cost.h"
#include "app/scenarios_table.h"
#include "app/scenarios_texts.h"
#include "app/scenarios_user_values.h"
#include "assets/library_texts.h"
#include "calc/errors.h"
#include "platform/canvas.h"
#include "platform/user_locale.h"
#include "platform/units.h"
#include "report/custom_memo.h"
#include "report/definition_reader.h"
#include "report/image.h"
#include "report/label.h"
#include "report/report.h"

#include <QBuffer>
#include <QImage>
#include <QtGlobal>

#include <algorithm>
#include <stdexcept>

static void InitScenariosDefinitionResource()
{
    Q_INIT_RESOURCE(definitions);
}

namespace {

// Finer than this the picture only grows: a line chart is sharp at 576 dots
// per inch, and a page picture at 1200 would take some 150 MB of pixels.
constexpr int kScreenDotsPerInch = 96;
constexpr int kFinestScale = 6;
constexpr int kCoarsestScale = 2;
constexpr int kJpegQuality = 95;

// The user's cell on paper, where the screen has colours.
const QString kMarkOpen = QStringLiteral("»");
const QString kMarkClose = QStringLiteral("«");

template <typename Component>
Component &SheetPart(const TppReport &sheet, const char *name)
{
    auto *part = dynamic_cast<Component *>(&SheetComponent(sheet, name));
    if (!part)
        throw std::runtime_error("The scenarios sheet's " + std::string(name) + " is not of the kind expected.");
    return *part;
}

TppStringList UserValueLines(const ScenarioTable &table, std::optional<double> cost)
{
    const auto values = UserValues(table, cost);
    TppStringList lines;
    for (std::size_t i = 0; i < values.size(); i += 2) {
        QString line = values[i].first + QStringLiteral(":\t") + values[i].second;
        if (i + 1 < values.size())
            line += QStringLiteral("\t") + values[i + 1].first + QStringLiteral(":\t") + values[i + 1].second;
        lines.push_back(line.toStdString());
    }
    return lines;
}

// The table as tabbed lines. A refused cell is too long for its column: it
// carries a note number, and the notes follow the table.
TppStringList TableLines(const ScenarioTable &table, std::optional<double> cost)
{
    const char separator = DecimalSeparator();
    QStringList notes;
    const auto noted = [&notes](const std::string &refusal) {
        const QString message = QString::fromStdString(refusal);
        if (!notes.contains(message))
            notes << message;
        return QStringLiteral("(%1)").arg(notes.indexOf(message) + 1);
    };

    QStringList header{ScenarioString(ScenarioText::ErrorColumn)};
    for (const ScenarioColumn &column : table.Columns())
        header << ScenarioString(ScenarioText::ConfidenceColumn).arg(QString::fromStdString(LevelText(column.Level, separator)));
    if (cost)
        header << ScenarioString(ScenarioText::CostColumn)
                      .arg(QString::fromStdString(LevelText(table.Columns()[table.UserColumn()].Level, separator)));
    TppStringList lines{header.join(QLatin1Char('\t')).toStdString()};

    for (int r = 0; r < int(table.Rows().size()); ++r) {
        const ScenarioRow &row = table.Rows()[r];
        QStringList cells{QString::fromStdString(ErrorPercentText(row.ErrorFraction, separator)) + QStringLiteral(" %")};
        for (int c = 0; c < int(row.Cells.size()); ++c) {
            const ScenarioCell &cell = row.Cells[c];
            QString text = cell.Refused() ? noted(cell.Refusal) : QString::number(cell.SampleSize);
            if (r == table.UserRow() && c == table.UserColumn())
                text = kMarkOpen + text + kMarkClose;
            cells << text;
        }
        if (cost) {
            const ScenarioCell &cell = row.Cells[table.UserColumn()];
            try {
                cells << (cell.Refused() ? noted(cell.Refusal) : CostText(SurveyCost(cell.SampleSize, *cost)));
            } catch (const calc::CalcError &refusal) {
                cells << noted(refusal.what());
            }
        }
        lines.push_back(cells.join(QLatin1Char('\t')).toStdString());
    }
    lines.push_back(ScenarioString(ScenarioText::SheetUserMark).toStdString());
    for (int n = 0; n < notes.size(); ++n)
        lines.push_back(QStringLiteral("(%1) %2").arg(n + 1).arg(notes[n]).toStdString());
    return lines;
}

std::vector<std::uint8_t> Jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", kJpegQuality))
        throw std::runtime_error("The scenarios curve could not be drawn for the sheet.");
    return {bytes.begin(), bytes.end()};
}

// JPEG, as the program's other pictures: the engine hands the printer the
// finer encoding and the preview the screen's, and copies of the picture
// share them instead of copying pixels.
void PutChart(TppReport &sheet, const ScenarioTable &table)
{
    auto &image = SheetPart<TppImage>(sheet, "ppImage1");
    const auto screenPixels = [](std::int32_t thousandths, TppResolutionAxis axis) {
        return int(MMThousandthsToUnits(thousandths, utScreenPixels, axis));
    };
    const QSize layout(screenPixels(image.mmWidth(), raHorizontal), screenPixels(image.mmHeight(), raVertical));
    const platform::Canvas *printer = sheet.MeasuringCanvas();
    const int scale = ChartPrintScale(printer ? printer->PixelsPerInchX() : kFinestScale * kScreenDotsPerInch);
    TppPicture picture = TppPicture::FromEncoded(gkJpeg, Jpeg(RenderScenarioChart(table, layout, kScreenDotsPerInch)));
    picture.AddFinerSource(scale, Jpeg(RenderScenarioChart(table, layout, scale * kScreenDotsPerInch)));
    image.SetPicture(picture);
}

} // namespace

int ChartPrintScale(int printerDotsPerInch)
{
    const int steps = (printerDotsPerInch + kScreenDotsPerInch / 2) / kScreenDotsPerInch;
    return std::clamp(steps, kCoarsestScale, kFinestScale);
}

std::unique_ptr<TppReport> CreateScenariosSheet()
{
    InitScenariosDefinitionResource();
    std::unique_ptr<TppReport> sheet = LoadReportDefinition(":/assets/scenarios_sheet.json");
    sheet->SetLanguageIndex(LanguageIndexFor(platform::LanguageCode()));
    return sheet;
}

void FillScenariosSheet(TppReport &sheet, const ScenarioTable &table, std::optional<double> costPerInterview)
{
    SheetPart<TppLabel>(sheet, "ppLabel2").SetCaption(ScenarioString(ScenarioText::SheetTitle).toStdString());
    SheetPart<TppLabel>(sheet, "ppLabel3").SetCaption(ScenarioString(ScenarioText::SheetUserValues).toStdString());
    SheetPart<TppLabel>(sheet, "ppLabel4").SetCaption(ScenarioString(ScenarioText::SheetTable).toStdString());
    SheetPart<TppCustomMemo>(sheet, "ppMemo1").SetLines(UserValueLines(table, costPerInterview));
    SheetPart<TppCustomMemo>(sheet, "ppMemo2").SetLines(TableLines(table, costPerInterview));
    PutChart(sheet, table);
}
