#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <QTemporaryFile>

#include <cairo.h>

#include <memory>

namespace platform {

// A print document drawn into a PDF file of its own, from its start to its
// end: the file, the cairo PDF surface filling it and the context on the
// surface, whose user space is the printer's pixels from the corner of the
// printable area. Not a PDF QPrinter: such a printer asks the spooler for its
// default queue and that queue's driver before it writes a byte; and not
// Qt's PDF writer, which costs more than the pages it writes.
class PdfDocument
{
public:
    PdfDocument() = default;
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;
    ~PdfDocument();

    // Makes the file from a QTemporaryFile template and starts the document
    // in it. False when either fails: `error` then says why the file could
    // not be made, and is empty when the writer would not start.
    bool Begin(const QString &fileTemplate, int resolution, const QString &title, const QPageLayout &layout,
               QString &error);
    bool IsOpen() const { return m_context != nullptr; }
    // Pages are drawn on Context(): there is no painter.
    QPainter *Painter() const { return nullptr; }
    cairo_t *Context() const { return m_context; }

    // The page about to start takes this layout.
    void SetPageLayout(const QPageLayout &layout) { m_layout = layout; }
    QPageLayout PageLayout() const { return m_layout; }
    // The document's first page exists from its start; later ones are added.
    bool StartPage();
    int StartedPages() const { return m_startedPages; }
    // The number of the page a document's context draws on, from 1; what is
    // drawn once a page is told apart from what is drawn again there.
    static int PageOf(cairo_t *context);

    // Ends the document and hands over the file, which holds the whole
    // document only when `written` is true.
    std::unique_ptr<QTemporaryFile> End(bool &written);
    // Drops the document and its file.
    void Abort();

private:
    static cairo_status_t Write(void *closure, const unsigned char *data, unsigned int length);
    // Sizes the page about to be drawn and places the printer's pixels on it.
    void PreparePage();
    void Close();

    std::unique_ptr<QTemporaryFile> m_file;
    cairo_surface_t *m_surface = nullptr;
    cairo_t *m_context = nullptr;
    QPageLayout m_layout;
    int m_resolution = 72;
    int m_startedPages = 0;
    bool m_writeFailed = false;
    bool m_discarding = false;
};

} // namespace platform
