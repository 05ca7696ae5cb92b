#include "platform/qt/pdf_document.h"

#include <QCoreApplication>
#include <QStringList>

#include <cairo-pdf.h>

#include <cstdint>
#include <utility>

namespace platform {

namespace {

const cairo_user_data_key_t kPageKey{};

} // namespace

int PdfDocument::PageOf(cairo_t *context)
{
    return int(reinterpret_cast<std::intptr_t>(cairo_get_user_data(context, &kPageKey)));
}

PdfDocument::~PdfDocument()
{
    Abort();
}

cairo_status_t PdfDocument::Write(void *closure, const unsigned char *data, unsigned int length)
{
    auto *document = static_cast<PdfDocument *>(closure);
    if (document->m_discarding)
        return CAIRO_STATUS_SUCCESS;
    if (document->m_file->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length)) {
        document->m_writeFailed = true;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

bool PdfDocument::Begin(const QString &fileTemplate, int resolution, const QString &title, const QPageLayout &layout,
                        QString &error)
{
    auto file = std::make_unique<QTemporaryFile>(fileTemplate);
    if (!file->open()) {
        error = file->errorString();
        return false;
    }
    m_file = std::move(file);
    m_writeFailed = false;
    m_discarding = false;
    m_resolution = resolution > 0 ? resolution : 72;
    m_layout = layout;
    const QSizeF size = layout.fullRect(QPageLayout::Point).size();
    m_surface = cairo_pdf_surface_create_for_stream(&PdfDocument::Write, this, size.width(), size.height());
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        error.clear();
        Abort();
        return false;
    }
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_TITLE, title.toUtf8().constData());
    // The program that made the file, with its version ("VALDORA 1.0").
    const QString creator = QStringList{QCoreApplication::applicationName(), QCoreApplication::applicationVersion()}
                                .join(QLatin1Char(' '))
                                .trimmed();
    if (!creator.isEmpty())
        cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, creator.toUtf8().constData());
    m_context = cairo_create(m_surface);
    m_startedPages = 0;
    PreparePage();
    return true;
}

void PdfDocument::PreparePage()
{
    const QSizeF size = m_layout.fullRect(QPageLayout::Point).size();
    cairo_pdf_surface_set_size(m_surface, size.width(), size.height());
    cairo_identity_matrix(m_context);
    const QRectF printable = m_layout.paintRect(QPageLayout::Point);
    cairo_translate(m_context, printable.left(), printable.top());
    cairo_scale(m_context, 72.0 / m_resolution, 72.0 / m_resolution);
}

bool PdfDocument::StartPage()
{
    if (m_startedPages > 0) {
        cairo_show_page(m_context);
        PreparePage();
        if (cairo_status(m_context) != CAIRO_STATUS_SUCCESS)
            return false;
    }
    ++m_startedPages;
    cairo_set_user_data(m_context, &kPageKey, reinterpret_cast<void *>(std::intptr_t(m_startedPages)), nullptr);
    return true;
}

void PdfDocument::Close()
{
    if (m_context)
        cairo_destroy(m_context);
    m_context = nullptr;
    if (m_surface) {
        cairo_surface_finish(m_surface);
        cairo_surface_destroy(m_surface);
    }
    m_surface = nullptr;
    m_startedPages = 0;
}

std::unique_ptr<QTemporaryFile> PdfDocument::End(bool &written)
{
    cairo_surface_finish(m_surface);
    written = cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS && !m_writeFailed;
    Close();
    written = m_file->flush() && written;
    m_file->close();
    return std::move(m_file);
}

void PdfDocument::Abort()
{
    // Finishing the surface writes its last objects: nothing of them is kept.
    m_discarding = true;
    Close();
    m_file.reset();
}

} // namespace platform
