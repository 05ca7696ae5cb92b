#include "app/command_line.h"

#include "app/command_line_batch.h"
#include "app/command_line_options.h"
#include "app/command_line_result.h"
#include "app/command_line_sheet.h"
#include "app/command_line_texts.h"
#include "app/locale_number.h"
#include "calc/errors.h"
#include "calc/result_presentation.h"
#include "calc/sample_size.h"
#include "platform/message_box.h"
#include "platform/user_locale.h"

#include <QApplication>

#include <iostream>
#include <memory>

namespace {

constexpr int kDone = 0;
constexpr int kBadInput = 2;
constexpr int kCalculationFailed = 3;
constexpr int kOutputFailed = 4;

int Refuse(const std::string &message, int status)
{
    std::cerr << "valdora: " << message << '\n';
    return status;
}

// The toolkit for the report engine; without a display the sheet is drawn
// offscreen, and no window is ever shown either way.
std::unique_ptr<QApplication> StartToolkit(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VALDORA"));
    return application;
}

class SingleCalculation {
public:
    SingleCalculation(const CommandLineRequest &request, const CommandLineTexts &texts)
        : m_request(request)
        , m_texts(texts)
        , m_separator(DecimalSeparator())
        , m_entry(m_separator)
    {
    }

    int Run(int &argc, char **argv)
    {
        for (const auto &[element, value] : m_request.elements) {
            if (!m_entry.Read(element, value))
                return Refuse(FillIn(m_texts.notAccepted,
                                     {OptionOf(element), value, RangeText(m_texts, element, m_separator)}),
                              kBadInput);
        }
        if (const int status = CheckSelection(); status != kDone)
            return status;
        SheetDestination destination;
        if (const int status = ReadDestination(destination); status != kDone)
            return status;

        const SurveySelection &selection = m_entry.Selection();
        SampleSizeParams params = RecordFor(selection);
        try {
            ComputeSampleSize(params);
        } catch (const calc::CalcError &fault) {
            return Refuse(platform::WithFullStop(fault.what()), kCalculationFailed);
        }
        std::cout << (m_request.json ? ResultJson(params, selection, m_request.note)
                                     : ResultLines(params, selection, m_texts, m_separator))
                  << std::flush;
        if (!m_request.UsesSheet())
            return kDone;
        return OutputSheet(argc, argv, params, destination);
    }

private:
    int CheckSelection() const
    {
        const std::string problem = ProblemText(m_texts, m_entry.Problem(), ElementNaming::Options, m_separator);
        return problem.empty() ? kDone : Refuse(problem, kBadInput);
    }

    int ReadDestination(SheetDestination &destination) const
    {
        destination.pdfFile = m_request.pdf;
        if (m_request.copies) {
            const std::string &text = *m_request.copies;
            const bool whole = !text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos;
            if (!whole || std::stoi(text) < 1)
                return Refuse(FillIn(m_texts.notAccepted, {"--copies", text, m_texts.copiesRange}), kBadInput);
            destination.copies = std::stoi(text);
        }
        if (m_request.printer)
            destination.printer = *m_request.printer;
        return kDone;
    }

    int OutputSheet(int &argc, char **argv, const SampleSizeParams &params, SheetDestination destination) const
    {
        const std::unique_ptr<QApplication> toolkit = StartToolkit(argc, argv);
        if (m_request.printer && !PrintQueueExists(*m_request.printer))
            return Refuse(FillIn(m_texts.noSuchQueue, {"--printer", *m_request.printer}), kBadInput);
        SheetContent sheet;
        sheet.texts = PresentationTexts(params, m_separator);
        sheet.considered = ConsideredIn(m_entry.Selection());
        sheet.note = m_request.note.value_or(std::string());
        try {
            OutputSheets({sheet}, destination);
        } catch (const std::exception &fault) {
            return Refuse(FillIn(m_request.pdf ? m_texts.sheetNotWritten : m_texts.sheetNotPrinted, {fault.what()}),
                          kOutputFailed);
        }
        return kDone;
    }

    const CommandLineRequest &m_request;
    const CommandLineTexts &m_texts;
    char m_separator;
    SurveyEntry m_entry;
};

} // namespace

int RunCommandLine(int &argc, char **argv)
{
    const CommandLineTexts &texts = CommandLineTextsFor(platform::LanguageCode());
    CommandLineRequest request;
    try {
        request = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), texts);
    } catch (const BadInput &fault) {
        return Refuse(fault.what(), kBadInput);
    }
    switch (request.mode) {
    case CommandLineRequest::Mode::Windows:
        break;
    case CommandLineRequest::Mode::Help:
        std::cout << texts.help;
        return kDone;
    case CommandLineRequest::Mode::Version:
        std::cout << FillIn(texts.version, {VALDORA_VERSION});
        return kDone;
    case CommandLineRequest::Mode::Calculation:
        return SingleCalculation(request, texts).Run(argc, argv);
    case CommandLineRequest::Mode::Batch: {
        std::unique_ptr<QApplication> toolkit;
        if (request.pdf)
            toolkit = StartToolkit(argc, argv);
        return RunBatch({*request.batch, request.output, request.pdf}, texts, std::cout, std::cerr);
    }
    }
    return kBadInput;
}
