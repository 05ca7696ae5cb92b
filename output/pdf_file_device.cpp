#include "output/pdf_file_device.h"

#include "assets/library_texts.h"
#include "output/printer.h"
#include "platform/pdf_file.h"

const TppDeviceClass &TppFileDevice::StaticClass()
{
    static const TppDeviceClass fileClass("TppFileDevice", "TppFileDevice", &TppDevice::StaticClass(), nullptr);
    return fileClass;
}

const TppDeviceClass &TppPdfFileDevice::StaticClass()
{
    static const TppDeviceClass pdfClass(
        "TppPdfFileDevice", "PDFFile", &TppFileDevice::StaticClass(),
        []() -> std::unique_ptr<TppDevice> { return std::make_unique<TppPdfFileDevice>(); }, "PDF File", "pdf",
        "PDF files|*.pdf|All files|*");
    return pdfClass;
}

TppPdfFileDevice::TppPdfFileDevice() = default;

TppPdfFileDevice::~TppPdfFileDevice() = default;

void TppPdfFileDevice::SetFileName(const std::string &name)
{
    if (JobOpen())
        return;
    m_fileName = name;
    Printer().SetDocumentTarget(platform::OpenPdfFile(name));
}

std::string TppPdfFileDevice::TargetName() const
{
    const std::size_t slash = m_fileName.find_last_of('/');
    return slash == std::string::npos ? m_fileName : m_fileName.substr(slash + 1);
}

void TppPdfFileDevice::ThrowFileError(const std::exception &error) const
{
    // The writer's reasons are kept in English; the message speaks the report's language.
    throw EPrinterError(FormatLibraryText(ltFileNotWritten, LanguageIndex(),
                                          {m_fileName, TranslatedLibraryText(error.what(), LanguageIndex())}));
}

void TppPdfFileDevice::OpenJob()
{
    if (!Printer().HasDocumentTarget())
        ThrowFileError(EPrinterError("no file to write"));
    try {
        TppPrinterDevice::OpenJob();
    } catch (const EPrinterError &error) {
        ThrowFileError(error);
    }
}

void TppPdfFileDevice::CloseJob()
{
    try {
        TppPrinterDevice::CloseJob();
    } catch (const EPrinterError &error) {
        ThrowFileError(error);
    }
}
