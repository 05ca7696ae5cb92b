#include "platform/qt/page_setup.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>

#include <algorithm>

namespace platform {

namespace {

int PaperIndex(const QComboBox &sizes, const QPageSize &size)
{
    for (int i = 0; i < sizes.count(); ++i) {
        const QVariant data = sizes.itemData(i);
        if (data.canConvert<QPageSize>() && data.value<QPageSize>().isEquivalentTo(size))
            return i;
    }
    return -1;
}

// The queue's unprintable margins on a paper, as the queue states them.
QMarginsF QueueMargins(const QString &queue, const QPageSize &size, QPageLayout::Orientation orientation)
{
    QPrinter scratch(QPrinter::HighResolution);
    scratch.setPrinterName(queue);
    scratch.setPageSize(size);
    scratch.setPageOrientation(orientation);
    return scratch.pageLayout().minimumMargins();
}

// The toolkit's own wording, in the language its translation speaks.
QString ToolkitText(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

class QueuePageSetup
{
public:
    QueuePageSetup(QPrinter &printer, const PageSetupOffer &offer, QWidget *parent)
        : m_queue(printer.printerName())
        , m_offer(offer)
        , m_dialog(&printer, parent)
        , m_sizes(m_dialog.findChild<QComboBox *>(QStringLiteral("pageSizeCombo")))
        , m_units(m_dialog.findChild<QComboBox *>(QStringLiteral("unitCombo")))
        , m_landscape(m_dialog.findChild<QRadioButton *>(QStringLiteral("landscape")))
        , m_portrait(m_dialog.findChild<QRadioButton *>(QStringLiteral("portrait")))
    {
        for (const char *name : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
            m_margins.push_back(m_dialog.findChild<QDoubleSpinBox *>(QString::fromLatin1(name)));
        const QPageLayout layout = printer.pageLayout();
        if (m_sizes) {
            const int paper = PaperIndex(*m_sizes, layout.pageSize());
            if (paper >= 0)
                m_sizes->setCurrentIndex(paper);
        }
        if (layout.orientation() == QPageLayout::Landscape && m_landscape)
            m_landscape->click();
        ShowMargins();
        // The dialog's own handlers run first and set margins of their own.
        if (m_sizes)
            QObject::connect(m_sizes, &QComboBox::currentIndexChanged, &m_dialog, [this] { ShowMargins(); });
        for (QRadioButton *button : {m_landscape, m_portrait}) {
            if (button)
                QObject::connect(button, &QRadioButton::clicked, &m_dialog, [this] { ShowMargins(); });
        }
        if (m_units)
            QObject::connect(m_units, &QComboBox::activated, &m_dialog, [this] { ShowMargins(); });
        AddDriverChoices();
    }

    bool Run(const QPrinter &printer, PageSetupChoice &choice)
    {
        if (m_dialog.exec() != QDialog::Accepted)
            return false;
        choice.size = CurrentSize();
        if (!choice.size.isValid())
            choice.size = printer.pageLayout().pageSize();
        choice.orientation = CurrentOrientation();
        choice.source = m_sources ? static_cast<std::int16_t>(m_sources->currentData().toInt()) : m_offer.source;
        choice.duplex = m_sides ? static_cast<QPrinter::DuplexMode>(m_sides->currentData().toInt()) : m_offer.duplex;
        return true;
    }

private:
    // The paper source and two-sided printing, below the toolkit's page
    // setup, where the driver has them.
    void AddDriverChoices()
    {
        const bool sources = m_offer.sources.size() > 1;
        if (!sources && !m_offer.twoSided)
            return;
        auto *layout = qobject_cast<QBoxLayout *>(m_dialog.layout());
        if (!layout)
            return;
        auto *panel = new QWidget(&m_dialog);
        panel->setObjectName(QStringLiteral("driverChoices"));
        auto *form = new QFormLayout(panel);
        form->setContentsMargins(9, 0, 9, 0);
        if (sources) {
            m_sources = new QComboBox(panel);
            m_sources->setObjectName(QStringLiteral("paperSourceCombo"));
            for (const PageSetupSource &source : m_offer.sources)
                m_sources->addItem(source.name, int(source.number));
            m_sources->setCurrentIndex(std::max(0, m_sources->findData(int(m_offer.source))));
            AddRow(*form, ToolkitText("QPageSetupWidget", "Paper source:"), *m_sources);
        }
        if (m_offer.twoSided) {
            m_sides = new QComboBox(panel);
            m_sides->setObjectName(QStringLiteral("twoSidedCombo"));
            m_sides->addItem(ToolkitText("QPrintSettingsOutput", "None"), int(QPrinter::DuplexNone));
            m_sides->addItem(ToolkitText("QPrintSettingsOutput", "Long side"), int(QPrinter::DuplexLongSide));
            m_sides->addItem(ToolkitText("QPrintSettingsOutput", "Short side"), int(QPrinter::DuplexShortSide));
            m_sides->setCurrentIndex(std::max(0, m_sides->findData(int(m_offer.duplex))));
            AddRow(*form, ToolkitText("QPrintSettingsOutput", "Duplex Printing") + QLatin1Char(':'), *m_sides);
        }
        // Above the OK and Cancel buttons.
        layout->insertWidget(std::max(0, layout->count() - 1), panel);
    }

    static void AddRow(QFormLayout &form, const QString &caption, QComboBox &box)
    {
        auto *label = new QLabel(caption, form.parentWidget());
        label->setBuddy(&box);
        box.setAccessibleName(QString(caption).remove(QLatin1Char(':')).remove(QLatin1Char('&')));
        form.addRow(label, &box);
    }

    QPageSize CurrentSize() const
    {
        const QVariant data = m_sizes ? m_sizes->currentData() : QVariant();
        return data.canConvert<QPageSize>() ? data.value<QPageSize>() : QPageSize();
    }

    QPageLayout::Orientation CurrentOrientation() const
    {
        return m_landscape && m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    }

    void ShowMargins()
    {
        const QPageSize size = CurrentSize();
        if (!size.isValid())
            return;
        const QPageLayout::Unit unit = m_units && m_units->currentData().canConvert<QPageLayout::Unit>()
            ? m_units->currentData().value<QPageLayout::Unit>()
            : QPageLayout::Millimeter;
        QPageLayout points(size, CurrentOrientation(), QueueMargins(m_queue, size, CurrentOrientation()),
                           QPageLayout::Point);
        points.setUnits(unit);
        const QMarginsF margins = points.margins();
        const qreal values[] = {margins.left(), margins.top(), margins.right(), margins.bottom()};
        for (std::size_t i = 0; i < m_margins.size(); ++i) {
            if (!m_margins[i])
                continue;
            m_margins[i]->setMinimum(0);
            m_margins[i]->setValue(values[i]);
            m_margins[i]->setReadOnly(true);
        }
    }

    QString m_queue;
    PageSetupOffer m_offer;
    QPageSetupDialog m_dialog;
    QComboBox *m_sizes;
    QComboBox *m_units;
    QRadioButton *m_landscape;
    QRadioButton *m_portrait;
    std::vector<QDoubleSpinBox *> m_margins;
    QComboBox *m_sources = nullptr;
    QComboBox *m_sides = nullptr;
};

} // namespace

bool RunQueuePageSetup(const QPrinter &printer, const PageSetupOffer &offer, QWidget *parent,
                       PageSetupChoice &choice)
{
    // The dialog writes into the printer it is given; this one is its own.
    QPrinter edited(QPrinter::HighResolution);
    edited.setPrinterName(printer.printerName());
    edited.setResolution(printer.resolution());
    edited.setPageLayout(printer.pageLayout());
    QueuePageSetup setup(edited, offer, parent);
    return setup.Run(printer, choice);
}

} // namespace platform
