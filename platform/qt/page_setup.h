#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <cstdint>
#include <vector>

class QPrinter;
class QWidget;

namespace platform {

// A paper source of the queue's driver, by the number the engine knows it by.
struct PageSetupSource {
    QString name;
    std::int16_t number = 0;
};

// What the dialog offers beside paper and orientation: the driver's paper
// sources (none offered when it has fewer than two) and two-sided printing
// (offered when the driver can).
struct PageSetupOffer {
    std::vector<PageSetupSource> sources;
    std::int16_t source = 0;
    bool twoSided = false;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
};

// What the user confirmed in the page setup dialog of a queue; the source
// and the sides as offered when the dialog did not offer them.
struct PageSetupChoice {
    QPageSize size;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::int16_t source = 0;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
};

// Qt's page setup dialog for the queue of `printer`, opened on that
// printer's paper and orientation with the queue's unprintable margins.
// Left to itself the dialog opens on the queue's default paper with margins
// of 0, and a confirmed choice whose margins the queue does not allow never
// reaches the printer; so the dialog is set up here and its choice read from
// its controls. The margins are shown, not offered: they are the printer's.
bool RunQueuePageSetup(const QPrinter &printer, const PageSetupOffer &offer, QWidget *parent,
                       PageSetupChoice &choice);

} // namespace platform
