#include "platform/qt/pdf_document.h"

#include <QCoreApplication>
#include <QStringList>

#include <utility>

namespace platform {

bool PdfDocument::Begin(const QString &fileTemplate, int resolution, const QString &title, const QPageLayout &layout,
                        QString &error)
{
    auto file = std::make_unique<QTemporaryFile>(fileTemplate);
    if (!file->open()) {
        error = file->errorString();
        return false;
    }
    file->close();
    auto writer = std::make_unique<QPdfWriter>(file->fileName());
    writer->setResolution(resolution);
    writer->setTitle(title);
    // The program that made the file, with its version ("VALDORA 1.0").
    writer->setCreator(QStringList{QCoreApplication::applicationName(), QCoreApplication::applicationVersion()}
                           .join(QLatin1Char(' '))
                           .trimmed());
    writer->setPageLayout(layout);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(writer.get())) {
        error.clear();
        return false;
    }
    m_file = std::move(file);
    m_writer = std::move(writer);
    m_painter = std::move(painter);
    m_startedPages = 0;
    return true;
}

bool PdfDocument::StartPage()
{
    if (m_startedPages > 0 && !m_writer->newPage())
        return false;
    ++m_startedPages;
    return true;
}

std::unique_ptr<QTemporaryFile> PdfDocument::End(bool &written)
{
    written = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_startedPages = 0;
    return std::move(m_file);
}

void PdfDocument::Abort()
{
    if (m_painter)
        m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_file.reset();
    m_startedPages = 0;
}

} // namespace platform
