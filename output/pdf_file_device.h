#pragma once

#include "output/file_device.h"
#include "output/printer_device.h"

#include <string>

// Prints the pages of a job into a PDF file: the printer device's drawing,
// copies and collation, on a printer whose documents are that file. The
// file is written whole or not at all: only a finished job puts it in
// place; a job abandoned, discarded or failing leaves no file behind, and an
// older file of the name untouched.
class TppPdfFileDevice : public TppPrinterDevice, public TppFileDevice {
public:
    TppPdfFileDevice();
    ~TppPdfFileDevice() override;

    static const TppDeviceClass &StaticClass();
    const TppDeviceClass &Class() const override { return StaticClass(); }

    const std::string &FileName() const override { return m_fileName; }
    // Ignored while a job is open.
    void SetFileName(const std::string &name) override;

    void OpenJob() override;
    void CloseJob() override;
    // The file, by its name without the folder.
    std::string TargetName() const override;

private:
    [[noreturn]] void ThrowFileError(const std::exception &error) const;

    std::string m_fileName;
};
