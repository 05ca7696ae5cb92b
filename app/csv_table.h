#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// The convention of a CSV file as spreadsheets write it: comma-separated
// with decimal points, or semicolon-separated with decimal commas; UTF-8
// with or without a byte-order mark; LF or CR LF line ends.
struct CsvConvention {
    char separator = ',';
    bool byteOrderMark = false;
    std::string lineEnd = "\n";

    char DecimalSeparator() const { return separator == ';' ? ',' : '.'; }
};

// Reads a CSV table record by record, so that memory does not grow with the
// file: quoted cells may hold separators, doubled quotes and line ends.
class CsvReader {
public:
    explicit CsvReader(std::istream &input)
        : m_input(input)
    {
    }

    // Reads the header row and learns the convention from it; false when
    // the input holds no row at all.
    bool ReadHeader(std::vector<std::string> &cells);
    // The next record; false at the end of the input.
    bool Next(std::vector<std::string> &cells);

    const CsvConvention &Convention() const { return m_convention; }

private:
    bool ReadRecord(std::vector<std::string> &cells);

    std::istream &m_input;
    CsvConvention m_convention;
    std::string m_line;
};

// Writes records in a convention, handing the text on in large pieces.
class CsvWriter {
public:
    using Sink = std::function<void(std::string_view)>;

    CsvWriter(CsvConvention convention, Sink sink);
    ~CsvWriter();
    CsvWriter(const CsvWriter &) = delete;
    CsvWriter &operator=(const CsvWriter &) = delete;

    void Write(const std::vector<std::string> &cells);
    // Hands on what is buffered.
    void Flush();

private:
    void AppendCell(std::string_view cell, bool firstOfFile);

    CsvConvention m_convention;
    Sink m_sink;
    std::string m_buffer;
    std::size_t m_rowsWritten = 0;
};
