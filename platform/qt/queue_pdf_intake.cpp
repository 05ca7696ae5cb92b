#include "platform/qt/queue_pdf_intake.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <QByteArray>
#include <QFile>
#include <QList>

#include <unistd.h>

// cupsGetPPD2 is deprecated with the PPD interface, but local queues are
// still made of PPDs.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace platform {

namespace {

// The value of a PPD line "*Keyword: "value"", quotes removed.
QByteArray PpdValue(const QByteArray &line)
{
    QByteArray value = line.mid(line.indexOf(':') + 1).trimmed();
    if (value.startsWith('"'))
        value = value.mid(1);
    if (value.endsWith('"'))
        value.chop(1);
    return value.simplified();
}

bool PpdTakesPdfAsIs(QFile &ppd)
{
    bool passesPdf = false;
    while (!ppd.atEnd()) {
        const QByteArray line = ppd.readLine();
        if (line.startsWith("*JCLBegin") || line.startsWith("*JCLToPDFInterpreter"))
            return false;
        // "*cupsFilter: source cost program" and "*cupsFilter2: source
        // destination cost program".
        if (line.startsWith("*cupsFilter:") || line.startsWith("*cupsFilter2:")) {
            const QList<QByteArray> fields = PpdValue(line).split(' ');
            if (fields.size() >= 3 && fields.first() == kFilteredPdfFormat && fields.last() == "-")
                passesPdf = true;
        }
    }
    return passesPdf;
}

} // namespace

bool QueueTakesPdfAsIs(const std::string &queue)
{
    const char *fileName = cupsGetPPD2(CUPS_HTTP_DEFAULT, queue.c_str());
    if (!fileName)
        return false;
    const QByteArray name(fileName);
    QFile ppd(QString::fromLocal8Bit(name));
    const bool asIs = ppd.open(QIODevice::ReadOnly) && PpdTakesPdfAsIs(ppd);
    ppd.close();
    // cupsGetPPD2 copies the server's PPD into a temporary file of ours.
    unlink(name.constData());
    return asIs;
}

} // namespace platform
