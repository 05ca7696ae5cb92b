#include "app/command_line_options.h"

#include "app/command_line_texts.h"

#include <algorithm>
#include <set>

namespace {

using Mode = CommandLineRequest::Mode;

constexpr std::string_view kFlags[] = {"--json", "--print", "--help", "--version"};
constexpr std::string_view kValued[] = {"--note", "--pdf", "--printer", "--copies", "--batch", "--output"};

bool IsFlag(std::string_view name)
{
    return std::find(std::begin(kFlags), std::end(kFlags), name) != std::end(kFlags);
}

bool TakesValue(std::string_view name)
{
    return ElementOfOption(name) || std::find(std::begin(kValued), std::end(kValued), name) != std::end(kValued);
}

class Parser {
public:
    Parser(const std::vector<std::string> &arguments, const CommandLineTexts &texts)
        : m_arguments(arguments)
        , m_texts(texts)
    {
    }

    CommandLineRequest Parse()
    {
        if (m_arguments.empty())
            return m_request;
        m_request.mode = Mode::Calculation;
        for (std::size_t i = 0; i < m_arguments.size(); ++i)
            i = Take(i);
        if (m_seen.count("--help"))
            m_request.mode = Mode::Help;
        else if (m_seen.count("--version"))
            m_request.mode = Mode::Version;
        else
            CheckCombinations();
        return m_request;
    }

private:
    [[noreturn]] void Refuse(std::string message) const { throw BadInput(message); }

    // Reads the option at `i`; answers the index of its last argument.
    std::size_t Take(std::size_t i)
    {
        const std::string &argument = m_arguments[i];
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, argument.rfind("--", 0) == 0 ? equals : std::string::npos);
        if (IsFlag(name) && equals == std::string::npos) {
            Note(name);
            if (name == "--json")
                m_request.json = true;
            else if (name == "--print")
                m_request.print = true;
            return i;
        }
        if (!TakesValue(name)) {
            if (argument.rfind("-", 0) == 0 && argument.size() > 1)
                Refuse(FillIn(m_texts.unknownOption, {name}));
            Refuse(FillIn(m_texts.unexpectedArgument, {argument}));
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else {
            // A following option is not taken for a missing value.
            if (i + 1 >= m_arguments.size() || IsFlag(m_arguments[i + 1])
                || TakesValue(m_arguments[i + 1].substr(0, m_arguments[i + 1].find('='))))
                Refuse(FillIn(m_texts.missingValue, {name}));
            value = m_arguments[++i];
        }
        Note(name);
        Store(name, std::move(value));
        return i;
    }

    void Note(const std::string &name)
    {
        if (!m_seen.insert(name).second)
            Refuse(FillIn(m_texts.givenTwice, {name}));
    }

    void Store(const std::string &name, std::string value)
    {
        if (const auto element = ElementOfOption(name)) {
            m_request.elements.emplace_back(*element, std::move(value));
            return;
        }
        std::optional<std::string> *slot = name == "--note" ? &m_request.note
            : name == "--pdf"                                ? &m_request.pdf
            : name == "--printer"                            ? &m_request.printer
            : name == "--copies"                             ? &m_request.copies
            : name == "--batch"                              ? &m_request.batch
                                                             : &m_request.output;
        *slot = std::move(value);
    }

    void CheckCombinations()
    {
        const auto refuseTogether = [this](std::string_view a, std::string_view b) {
            if (m_seen.count(std::string(a)) && m_seen.count(std::string(b)))
                Refuse(FillIn(m_texts.cannotCombine, {a, b}));
        };
        const auto refuseWithout = [this](std::string_view a, std::string_view b) {
            if (m_seen.count(std::string(a)) && !m_seen.count(std::string(b)))
                Refuse(FillIn(m_texts.needs, {a, b}));
        };
        if (m_request.batch) {
            m_request.mode = Mode::Batch;
            for (const auto &[element, value] : m_request.elements)
                Refuse(FillIn(m_texts.cannotCombine, {"--batch", OptionOf(element)}));
            for (const std::string_view other : {"--json", "--print", "--note"})
                refuseTogether("--batch", other);
        }
        refuseWithout("--output", "--batch");
        refuseTogether("--pdf", "--print");
        refuseWithout("--printer", "--print");
        refuseWithout("--copies", "--print");
    }

    const std::vector<std::string> &m_arguments;
    const CommandLineTexts &m_texts;
    CommandLineRequest m_request;
    std::set<std::string> m_seen;
};

} // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string> &arguments, const CommandLineTexts &texts)
{
    return Parser(arguments, texts).Parse();
}
