#pragma once

#include <QPageLayout>
#include <QPageSize>

class QPrinter;
class QWidget;

namespace platform {

// What the user confirmed in the page setup dialog of a queue.
struct PageSetupChoice {
    QPageSize size;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// Qt's page setup dialog for the queue of `printer`, opened on that
// printer's paper and orientation with the queue's unprintable margins.
// Left to itself the dialog opens on the queue's default paper with margins
// of 0, and a confirmed choice whose margins the queue does not allow never
// reaches the printer; so the dialog is set up here and its choice read from
// its controls. The margins are shown, not offered: they are the printer's.
bool RunQueuePageSetup(const QPrinter &printer, QWidget *parent, PageSetupChoice &choice);

} // namespace platform
