#include "app/command_line_batch.h"

#include "app/command_line_sheet.h"
#include "app/command_line_texts.h"
#include "app/csv_table.h"
#include "app/locale_number.h"
#include "app/survey_elements.h"
#include "calc/errors.h"
#include "calc/result_presentation.h"
#include "calc/sample_size.h"

#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <variant>

namespace {

enum class Column { Element, Stratum, Note, Replaced };

struct ColumnRole {
    Column kind = Column::Element;
    SurveyElement element = SurveyElement::Error;
};

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string Lowered(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The role of a header cell; none for a name the table may not have.
std::optional<ColumnRole> RoleOf(const std::string &header)
{
    const std::string name = Lowered(Trimmed(header));
    if (name == "stratum")
        return ColumnRole{Column::Stratum};
    if (name == "note")
        return ColumnRole{Column::Note};
    // A table written by an earlier run can be read again.
    if (name == "sample_size" || name == "message")
        return ColumnRole{Column::Replaced};
    if (const auto element = ElementOfColumn(name))
        return ColumnRole{Column::Element, *element};
    return std::nullopt;
}

bool IsBlankRow(const std::vector<std::string> &cells)
{
    for (const std::string &cell : cells) {
        if (cell.find_first_not_of(" \t") != std::string::npos)
            return false;
    }
    return true;
}

// One row's outcome: its calculation, or why it has none.
struct RowResult {
    std::optional<SampleSizeParams> params;
    SurveySelection selection;
    std::string message;
    bool badInput = false;
};

class Table {
public:
    Table(const CommandLineTexts &texts, std::vector<ColumnRole> roles, char separator)
        : m_texts(texts)
        , m_roles(std::move(roles))
        , m_separator(separator)
    {
    }

    RowResult Compute(const std::vector<std::string> &cells) const
    {
        RowResult result;
        if (cells.size() > m_roles.size()) {
            result.message = FillIn(m_texts.cellCount, {std::to_string(cells.size()), std::to_string(m_roles.size())});
            result.badInput = true;
            return result;
        }
        SurveyEntry entry(m_separator);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (m_roles[i].kind != Column::Element)
                continue;
            const std::string value = Trimmed(cells[i]);
            if (value.empty())
                continue;
            const SurveyElement element = m_roles[i].element;
            if (!entry.Read(element, value)) {
                result.message = FillIn(m_texts.notAccepted,
                                        {ColumnOf(element), value, RangeText(m_texts, element, m_separator)});
                result.badInput = true;
                return result;
            }
        }
        if (std::string problem = ProblemText(m_texts, entry.Problem(), ElementNaming::Columns, m_separator);
            !problem.empty()) {
            result.message = problem;
            result.badInput = true;
            return result;
        }
        result.selection = entry.Selection();
        SampleSizeParams params = RecordFor(result.selection);
        try {
            ComputeSampleSize(params);
            result.params = params;
        } catch (const calc::CalcError &fault) {
            result.message = fault.what();
        }
        return result;
    }

private:
    const CommandLineTexts &m_texts;
    std::vector<ColumnRole> m_roles;
    char m_separator;
};

std::optional<std::size_t> ColumnIndex(const std::vector<ColumnRole> &roles, Column kind)
{
    for (std::size_t i = 0; i < roles.size(); ++i) {
        if (roles[i].kind == kind)
            return i;
    }
    return std::nullopt;
}

// The sheet of a stratum: its name leads the note.
SheetContent SheetOf(const RowResult &row, const std::string &stratum, const std::string &note)
{
    SheetContent sheet;
    sheet.texts = PresentationTexts(*row.params, DecimalSeparator());
    sheet.considered = ConsideredIn(row.selection);
    sheet.note = stratum;
    if (!note.empty())
        sheet.note += (stratum.empty() ? "" : "\n") + note;
    return sheet;
}

// Where the table goes: standard output, or a file replaced only once the
// whole table is written.
class TableOutput {
public:
    TableOutput(const std::optional<std::string> &file, std::ostream &out)
        : m_out(out)
    {
        if (file) {
            m_file = std::make_unique<QSaveFile>(QString::fromStdString(*file));
            m_ok = m_file->open(QIODevice::WriteOnly);
        }
    }

    void Write(std::string_view text)
    {
        if (!m_ok)
            return;
        if (m_file)
            m_ok = m_file->write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
        else
            m_ok = static_cast<bool>(m_out.write(text.data(), static_cast<std::streamsize>(text.size())));
    }

    // False, with the reason, when the table could not be written whole.
    bool Commit(std::string &reason)
    {
        if (m_file) {
            if (m_ok && m_file->commit())
                return true;
            reason = m_file->errorString().toStdString();
            return false;
        }
        m_out.flush();
        if (m_ok && m_out)
            return true;
        reason = std::strerror(errno);
        return false;
    }

private:
    std::ostream &m_out;
    std::unique_ptr<QSaveFile> m_file;
    bool m_ok = true;
};

} // namespace

int RunBatch(const BatchRequest &request, const CommandLineTexts &texts, std::ostream &out, std::ostream &err)
{
    const auto refuse = [&err](const std::string &message, int status) {
        err << "valdora: " << message << '\n';
        return status;
    };

    std::ifstream file;
    std::istream *input = &std::cin;
    if (request.input != "-") {
        file.open(request.input, std::ios::binary);
        if (!file)
            return refuse(FillIn(texts.cannotRead, {request.input, std::strerror(errno)}), 2);
        input = &file;
    }
    CsvReader reader(*input);
    std::vector<std::string> header;
    if (!reader.ReadHeader(header))
        return refuse(FillIn(texts.noHeader, {request.input}), 2);

    std::vector<ColumnRole> roles;
    std::vector<std::size_t> kept;
    std::vector<std::string> outputHeader;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const auto role = RoleOf(header[i]);
        if (!role)
            return refuse(FillIn(texts.unknownColumn, {request.input, header[i]}), 2);
        roles.push_back(*role);
        if (role->kind != Column::Replaced) {
            kept.push_back(i);
            outputHeader.push_back(header[i]);
        }
    }
    outputHeader.push_back("sample_size");
    outputHeader.push_back("message");

    const CsvConvention convention = reader.Convention();
    const Table table(texts, roles, convention.DecimalSeparator());
    const std::optional<std::size_t> stratumColumn = ColumnIndex(roles, Column::Stratum);
    const std::optional<std::size_t> noteColumn = ColumnIndex(roles, Column::Note);

    TableOutput output(request.output, out);
    CsvWriter writer(convention, [&output](std::string_view text) { output.Write(text); });
    writer.Write(outputHeader);

    std::vector<std::string> cells;
    std::vector<std::string> row;
    std::vector<SheetContent> sheets;
    std::int64_t total = 0;
    bool totalOverflows = false;
    std::size_t rows = 0;
    std::size_t refusedInput = 0;
    std::size_t failed = 0;
    while (reader.Next(cells)) {
        if (IsBlankRow(cells))
            continue;
        ++rows;
        const RowResult result = table.Compute(cells);
        row.clear();
        for (const std::size_t i : kept)
            row.push_back(i < cells.size() ? cells[i] : std::string());
        if (result.params) {
            row.push_back(std::to_string(result.params->SampleSize));
            row.emplace_back();
            totalOverflows = totalOverflows || __builtin_add_overflow(total, result.params->SampleSize, &total);
            if (request.pdf) {
                const auto cell = [&cells](std::optional<std::size_t> column) {
                    return column && *column < cells.size() ? cells[*column] : std::string();
                };
                sheets.push_back(SheetOf(result, cell(stratumColumn), cell(noteColumn)));
            }
        } else {
            row.emplace_back();
            row.push_back(result.message);
            ++(result.badInput ? refusedInput : failed);
        }
        writer.Write(row);
    }

    // The total sits in the stratum column, or else in the first one.
    row.assign(outputHeader.size(), std::string());
    const std::size_t totalLabelColumn = stratumColumn
        ? static_cast<std::size_t>(std::find(kept.begin(), kept.end(), *stratumColumn) - kept.begin())
        : 0;
    if (outputHeader.size() > 2)
        row[totalLabelColumn] = texts.total;
    if (totalOverflows)
        row.back() = calc::kOverflow;
    else
        row[row.size() - 2] = std::to_string(total);
    writer.Write(row);
    writer.Flush();

    std::string reason;
    if (!output.Commit(reason))
        return refuse(FillIn(texts.cannotWrite, {request.output.value_or("-"), reason}), 4);

    if (request.pdf && !sheets.empty()) {
        try {
            SheetDestination destination;
            destination.pdfFile = request.pdf;
            OutputSheets(sheets, destination);
        } catch (const std::exception &fault) {
            return refuse(FillIn(texts.sheetNotWritten, {fault.what()}), 4);
        }
    }

    const std::size_t refused = refusedInput + failed;
    if (refused > 0)
        refuse(FillIn(texts.rowsRefused, {std::to_string(refused), std::to_string(rows)}), 0);
    return refusedInput > 0 ? 2 : failed > 0 ? 3 : 0;
}
