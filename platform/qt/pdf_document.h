#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace platform {

// A print document drawn into a PDF file of its own, from its start to its
// end: the file, the PDF writer filling it and the painter on the writer.
// A PDF writer, not a PDF QPrinter: such a printer asks the spooler for its
// default queue and that queue's driver before it writes a byte.
class PdfDocument
{
public:
    // Makes the file from a QTemporaryFile template and starts painting on
    // it. False when either fails: `error` then says why the file could not
    // be made, and is empty when the writer would not start.
    bool Begin(const QString &fileTemplate, int resolution, const QString &title, const QPageLayout &layout,
               QString &error);
    bool IsOpen() const { return m_painter != nullptr; }
    QPainter *Painter() const { return m_painter.get(); }

    // The page about to start takes this layout.
    void SetPageLayout(const QPageLayout &layout) { m_writer->setPageLayout(layout); }
    QPageLayout PageLayout() const { return m_writer->pageLayout(); }
    // The document's first page exists from its start; later ones are added.
    bool StartPage();
    int StartedPages() const { return m_startedPages; }

    // Ends painting and hands over the file, which holds the whole document
    // only when `written` is true.
    std::unique_ptr<QTemporaryFile> End(bool &written);
    // Drops the document and its file.
    void Abort();

private:
    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_startedPages = 0;
};

} // namespace platform
