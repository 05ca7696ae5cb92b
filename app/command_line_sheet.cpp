#include "app/command_line_sheet.h"

#include "app/results_sheet.h"
#include "app/sheet_rows.h"
#include "calc/survey_selection.h"
#include "output/printer_list.h"
#include "platform/message_box.h"
#include "preview/print_registration.h"
#include "report/band_kinds.h"
#include "report/report.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <stdexcept>

static void InitPictureResource()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

void Fill(TppReport &sheet, const SheetContent &content)
{
    ShowConsideredSheetRows(sheet, content.considered);
    WriteSheetValues(sheet, content.texts, content.note);
}

// Each page of the run is the sheet of the next content: the detail band
// prints once a page and the run ends after the last sheet's page.
void PrepareRun(TppReport &sheet, const std::vector<SheetContent> &sheets)
{
    Fill(sheet, sheets.front());
    if (sheets.size() == 1)
        return;
    if (auto *detail = dynamic_cast<TppDetailBand *>(sheet.GetBand(btDetail)))
        detail->SetPrintCount(1);
    sheet.SetAutoStop(false);
    sheet.SetPageLimit(static_cast<std::int32_t>(sheets.size()));
    sheet.OnStartPage = [&sheets](TppCustomReport &report) {
        const std::int32_t page = report.PageNo();
        if (page >= 1 && static_cast<std::size_t>(page) <= sheets.size())
            Fill(static_cast<TppReport &>(report), sheets[static_cast<std::size_t>(page) - 1]);
    };
}

// While it lives, messages the report would show in a box are collected as
// the reason of a failure.
class MessageCollector {
public:
    MessageCollector()
    {
        platform::RedirectMessages([this](platform::MessageKind, const std::string &text) {
            if (!m_collected.empty())
                m_collected += ' ';
            m_collected += text;
        });
    }
    ~MessageCollector() { platform::RedirectMessages(nullptr); }
    MessageCollector(const MessageCollector &) = delete;
    MessageCollector &operator=(const MessageCollector &) = delete;

    const std::string &Collected() const { return m_collected; }

private:
    std::string m_collected;
};

} // namespace

ConsideredElements ConsideredIn(const SurveySelection &selection)
{
    return {selection.ProportionPercent.has_value(), selection.DesignEffectConsidered(),
            selection.ResponseRatePercent.has_value(), selection.PopulationSize.has_value()};
}

bool PrintQueueExists(const std::string &name)
{
    TppPrinterList &printers = TppPrinterList::Instance();
    const std::vector<std::string> names = printers.Names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void OutputSheets(const std::vector<SheetContent> &sheets, const SheetDestination &destination)
{
    if (sheets.empty())
        return;
    InitPictureResource();
    // The devices only: neither dialog is asked for.
    const TppPrintRegistration devices;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    sheet->SetShowPrintDialog(false);
    sheet->SetShowCancelDialog(false);
    if (destination.pdfFile) {
        sheet->SetDeviceType("PDFFile");
        sheet->SetTextFileName(QFileInfo(QString::fromStdString(*destination.pdfFile)).absoluteFilePath().toStdString());
    } else {
        sheet->SetDeviceType("Printer");
        sheet->PrinterSetup().SetPrinterName(destination.printer);
        sheet->PrinterSetup().SetCopies(destination.copies);
    }
    PrepareRun(*sheet, sheets);

    MessageCollector messages;
    sheet->Print();
    if (!messages.Collected().empty())
        throw std::runtime_error(messages.Collected());
}
