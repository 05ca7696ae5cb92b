#include "app/csv_table.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFlushSize = 1 << 16;

// The separator of a header line: a semicolon outside quotes makes it a
// semicolon file, as Spanish spreadsheets save.
char SeparatorOf(std::string_view line)
{
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            return ';';
    }
    return ',';
}

} // namespace

bool CsvReader::ReadHeader(std::vector<std::string> &cells)
{
    if (!std::getline(m_input, m_line))
        return false;
    if (m_line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
        m_convention.byteOrderMark = true;
        m_line.erase(0, kByteOrderMark.size());
    }
    if (!m_line.empty() && m_line.back() == '\r')
        m_convention.lineEnd = "\r\n";
    m_convention.separator = SeparatorOf(m_line);
    return ReadRecord(cells);
}

bool CsvReader::Next(std::vector<std::string> &cells)
{
    if (!std::getline(m_input, m_line))
        return false;
    return ReadRecord(cells);
}

// Splits m_line into cells; a quoted cell that goes on past the line end
// takes the next lines in.
bool CsvReader::ReadRecord(std::vector<std::string> &cells)
{
    cells.clear();
    const char separator = m_convention.separator;
    std::string cell;
    bool quoted = false;
    bool wasQuoted = false;
    std::size_t i = 0;
    for (;;) {
        if (i >= m_line.size()) {
            if (!quoted)
                break;
            // The line end belongs to the quoted cell, as LF whether the
            // file ends its lines with CR LF or not; a CR before the LF of a
            // file of LF lines is data.
            if (!std::getline(m_input, m_line))
                break;
            if (m_convention.lineEnd == "\r\n" && !cell.empty() && cell.back() == '\r')
                cell.pop_back();
            cell += '\n';
            i = 0;
            continue;
        }
        const char c = m_line[i++];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i < m_line.size() && m_line[i] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && !wasQuoted && cell.find_first_not_of(' ') == std::string::npos) {
            cell.clear();
            quoted = wasQuoted = true;
        } else if (c == separator) {
            cells.push_back(std::move(cell));
            cell.clear();
            wasQuoted = false;
        } else if (c == '\r' && i == m_line.size()) {
            // The CR of a CR LF line end.
        } else {
            cell += c;
        }
    }
    cells.push_back(std::move(cell));
    return true;
}

CsvWriter::CsvWriter(CsvConvention convention, Sink sink)
    : m_convention(std::move(convention))
    , m_sink(std::move(sink))
{
    if (m_convention.byteOrderMark)
        m_buffer += kByteOrderMark;
}

CsvWriter::~CsvWriter() = default;

void CsvWriter::Write(const std::vector<std::string> &cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            m_buffer += m_convention.separator;
        AppendCell(cells[i], m_rowsWritten == 0 && i == 0);
    }
    ++m_rowsWritten;
    m_buffer += m_convention.lineEnd;
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void CsvWriter::Flush()
{
    if (!m_buffer.empty())
        m_sink(m_buffer);
    m_buffer.clear();
}

void CsvWriter::AppendCell(std::string_view cell, bool firstOfFile)
{
    const char special[] = {m_convention.separator, '"', '\r', '\n', '\0'};
    // The header decides the convention when the table is read again: a
    // semicolon in it, or a leading byte-order mark, must not be taken for
    // the file's own.
    const bool header = m_rowsWritten == 0;
    const bool quote = cell.find_first_of(special) != std::string_view::npos
        || (header && cell.find(';') != std::string_view::npos)
        || (firstOfFile && cell.substr(0, kByteOrderMark.size()) == kByteOrderMark);
    if (!quote) {
        m_buffer += cell;
        return;
    }
    m_buffer += '"';
    for (const char c : cell) {
        if (c == '"')
            m_buffer += '"';
        if (c == '\n' && m_convention.lineEnd == "\r\n")
            m_buffer += '\r';
        m_buffer += c;
    }
    m_buffer += '"';
}
