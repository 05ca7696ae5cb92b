// The report definition reader on any text: a definition it cannot read is
// a definition error with a message, never a crash, a hang, undefined
// behaviour or another kind of failure.

#include "report/definition_reader.h"
#include "report/report.h"
#include "tests/fuzz/fuzz_check.h"

#include <QGuiApplication>

#include <exception>
#include <string_view>

// The pictures a definition may name are compiled in; naming the
// initialiser keeps them linked. Outside any namespace.
static void LinkPictures()
{
    Q_INIT_RESOURCE(pictures);
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    LinkPictures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view json(reinterpret_cast<const char *>(data), size);
    try {
        const auto report = ReadReportDefinitionText(json);
        FUZZ_CHECK(report != nullptr, "no report and no error");
    } catch (const TppDefinitionError &error) {
        FUZZ_CHECK(error.what()[0] != '\0', "a definition error without a message");
    } catch (const std::exception &error) {
        FUZZ_CHECK(false, "not a definition error: %s", error.what());
    }
    return 0;
}
