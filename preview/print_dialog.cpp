#include "preview/print_dialog.h"

#include "assets/library_texts.h"
#include "output/convert_error.h"
#include "output/page_list.h"
#include "output/printer.h"
#include "output/printer_list.h"
#include "platform/message_box.h"
#include "platform/print_spooler.h"
#include "platform/units.h"
#include "preview/collation_pictures.h"
#include "preview/copies_up_down.h"
#include "preview/library_caption.h"
#include "platform/handler_guard.h"
#include "preview/printer_item_delegate.h"
#include "preview/window_icon.h"
#include "ui_print_dialog.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <charconv>

namespace {


bool SpoolerHasQueue(const std::string &name)
{
    const std::vector<platform::SpoolerQueue> queues = platform::EnumerateQueues();
    return std::any_of(queues.begin(), queues.end(), [&](const platform::SpoolerQueue &queue) { return queue.name == name; });
}

// A caption's width as drawn, the mnemonic marker left out.
int CaptionWidth(const QFontMetrics &metrics, const QString &caption)
{
    QString shown = caption;
    shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return metrics.horizontalAdvance(shown);
}

} // namespace

TppPrintDialog::TppPrintDialog(QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TppPrintDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    for (QLabel *title : {m_ui->lblPrinter, m_ui->lblPageRange, m_ui->lblCopies}) {
        QFont font = title->font();
        font.setPixelSize(12);
        title->setFont(font);
        title->adjustSize();
    }
    m_collated = CollatedPicture();
    m_notCollated = NotCollatedPicture();
    m_copiesUpDown = new TppCopiesUpDown(m_ui->edtCopies);

    auto *delegate = new TppPrinterItemDelegate(m_ui->cbxPrinters);
    m_ui->cbxPrinters->setItemDelegate(delegate);
    m_ui->cbxPrinters->view()->setItemDelegate(delegate);

    const auto guarded = [this](void (TppPrintDialog::*handler)()) {
        return [this, handler] { platform::RunGuarded([&] { (this->*handler)(); }); };
    };
    connect(m_ui->cbxPrinters, &QComboBox::activated, this,
            [this](int index) { platform::RunGuarded([&] { PrinterChosen(index); }); });
    connect(m_ui->btnPrinterProperties, &QPushButton::clicked, this, guarded(&TppPrintDialog::ShowProperties));
    connect(m_ui->rdbAll, &QRadioButton::clicked, this, guarded(&TppPrintDialog::AllChosen));
    connect(m_ui->rdbCurrentPage, &QRadioButton::clicked, this, guarded(&TppPrintDialog::CurrentPageChosen));
    connect(m_ui->rdbPages, &QRadioButton::clicked, this, guarded(&TppPrintDialog::PagesChosen));
    connect(m_ui->cbxPrintWhat, &QComboBox::activated, this,
            [this](int index) { platform::RunGuarded([&] { PrintWhatChosen(index); }); });
    connect(m_ui->cbxCollate, &QCheckBox::clicked, this, guarded(&TppPrintDialog::CollationClicked));
    connect(m_ui->btnOK, &QPushButton::clicked, this, guarded(&TppPrintDialog::OkClicked));
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->edtPageRange->installEventFilter(this);
    m_ui->edtCopies->installEventFilter(this);
    m_ui->lblCollate->installEventFilter(this);
    m_ui->lblPrintToFile->installEventFilter(this);

    m_ui->pnlPrintToFile->hide();
    ShowCollationPicture();
    ArrangePanels();
}

TppPrintDialog::~TppPrintDialog()
{
    Destroying();
}

// --- Window operations -----------------------------------------------------

TppModalResult TppPrintDialog::ShowModal()
{
    // The controls are filled as the modal showing begins; a message box or
    // the properties dialog closing over the dialog fills nothing again.
    platform::RunGuarded([this] { FillControls(); });
    const int result = exec();
    return result == QDialog::Accepted ? mrOK : mrCancel;
}

void TppPrintDialog::Show()
{
    show();
}

void TppPrintDialog::Close()
{
    if (isModal())
        reject();
    else
        close();
}

void TppPrintDialog::SetIcon(const TppPicture &icon)
{
    SetWindowIconFromPicture(*this, icon);
}

void TppPrintDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        platform::RunGuarded([this] { Activated(); });
}

bool TppPrintDialog::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_ui->edtPageRange && (type == QEvent::FocusIn || type == QEvent::MouseButtonPress)) {
        platform::RunGuarded([this] { PagesChosen(); });
    } else if (watched == m_ui->edtCopies && type == QEvent::FocusOut) {
        platform::RunGuarded([this] { CopiesLeft(); });
    } else if (watched == m_ui->lblCollate && type == QEvent::MouseButtonRelease) {
        m_ui->cbxCollate->click();
    } else if (watched == m_ui->lblPrintToFile && type == QEvent::MouseButtonRelease) {
        m_ui->cbxPrintToFile->click();
    }
    return QDialog::eventFilter(watched, event);
}

// --- Texts and layout ------------------------------------------------------

QString TppPrintDialog::Text(int textNumber) const
{
    return LibraryCaption(textNumber, LanguageIndex());
}

void TppPrintDialog::ShowWarning(int textNumber) const
{
    platform::ShowMessage(platform::MessageKind::Warning, LibraryText(textNumber, LanguageIndex()));
}

void TppPrintDialog::LanguageChanged()
{
    setWindowTitle(Text(ltPrint));
    m_ui->lblPrinter->setText(Text(ltPrinter));
    m_ui->lblPrinterName->setText(Text(ltPrinterName));
    m_ui->lblPrinterType->setText(Text(ltType));
    m_ui->lblPrinterWhere->setText(Text(ltWhere));
    m_ui->btnPrinterProperties->setText(Text(ltProperties));
    m_ui->lblPageRange->setText(Text(ltPageRange));
    m_ui->rdbAll->setText(Text(ltAll));
    m_ui->rdbCurrentPage->setText(Text(ltCurrentPage));
    m_ui->rdbPages->setText(Text(ltPages));
    m_ui->lblPageRangeDescription->setText(Text(ltPageRangeDescription));
    m_ui->lblCopies->setText(Text(ltCopies));
    m_ui->lblNumberOfCopies->setText(Text(ltNumberOfCopies) + QLatin1Char(':'));
    m_ui->lblCollate->setText(Text(ltCollate));
    m_ui->lblPrintWhat->setText(Text(ltPrintWhat));
    {
        const bool initialising = std::exchange(m_initialising, true);
        m_ui->cbxPrintWhat->clear();
        m_ui->cbxPrintWhat->addItem(Text(ltAllPagesInRange), int(prAll));
        m_ui->cbxPrintWhat->addItem(Text(ltOddPages), int(prOddPages));
        m_ui->cbxPrintWhat->addItem(Text(ltEvenPages), int(prEvenPages));
        m_ui->cbxPrintWhat->setCurrentIndex(0);
        m_initialising = initialising;
    }
    m_ui->lblPrintToFile->setText(Text(ltPrintToFile));
    m_ui->lblPrintToFileType->setText(Text(ltType));
    m_ui->lblPrintToFileWhere->setText(Text(ltWhere));
    m_ui->btnOK->setText(Text(ltOK));
    m_ui->btnCancel->setText(Text(ltCancel));
    for (QLabel *title : {m_ui->lblPrinter, m_ui->lblPageRange, m_ui->lblCopies, m_ui->lblPrintToFile})
        title->adjustSize();
    AdjustToDescription();
    NameControls();
}

// The boxes' captions are labels of their own, and the two check boxes have
// theirs beside them: the names come from those captions.
void TppPrintDialog::NameControls()
{
    const struct {
        QWidget *control;
        int name;
        int description;
    } controls[] = {
        {m_ui->cbxPrinters, ltPrinter, 0},
        {m_ui->edtPageRange, ltPages, ltPageRangeDescription},
        {m_ui->edtCopies, ltNumberOfCopies, ltCopiesDescription},
        {m_ui->cbxCollate, ltCollate, ltCollateDescription},
        {m_ui->cbxPrintWhat, ltPrintWhat, ltPrintWhatDescription},
        {m_ui->cbxPrintToFile, ltPrintToFile, ltPrintToFileDescription},
        {m_ui->cbxPrintToFileTypes, ltFileType, 0},
        {m_ui->edtPrintToFileName, ltFileName, 0},
        {m_ui->spbPrintToFile, ltChooseFile, 0},
    };
    for (const auto &[control, name, description] : controls) {
        control->setAccessibleName(SpokenCaption(Text(name)));
        control->setAccessibleDescription(description ? Text(description) : QString());
    }
}

// The page range description may take more lines than the stored layout
// allows: the frames grow to hold it and everything below moves down.
void TppPrintDialog::AdjustToDescription()
{
    QLabel *description = m_ui->lblPageRangeDescription;
    const QString text = description->text();
    const QFontMetrics dialogMetrics(font());
    const QRect wrapped = dialogMetrics.boundingRect(QRect(0, 0, 217, 100000), Qt::TextWordWrap, text);
    const int lines = std::max(1, (wrapped.height() + dialogMetrics.lineSpacing() - 1) / dialogMetrics.lineSpacing());
    const int lineHeight = QFontMetrics(description->font()).height();
    description->resize(description->width(), lineHeight * lines);

    QLabel *printWhat = m_ui->lblPrintWhat;
    const int captionWidth = CaptionWidth(QFontMetrics(printWhat->font()), printWhat->text());
    printWhat->setGeometry(285 - captionWidth, printWhat->y(), captionWidth, printWhat->height());

    const int margin = UnitsToScreenPixels(utMMThousandths, raVertical, nullptr, 2381.0f);
    QFrame *pageRange = m_ui->bvlPageRange;
    const int height = description->y() + description->height() + margin - pageRange->y();
    const int growth = height - pageRange->height();
    pageRange->resize(pageRange->width(), height);
    m_ui->bvlCopies->resize(m_ui->bvlCopies->width(), height);
    printWhat->move(printWhat->x(), printWhat->y() + growth);
    m_ui->cbxPrintWhat->move(m_ui->cbxPrintWhat->x(), m_ui->cbxPrintWhat->y() + growth);
    m_ui->pnlPrint->resize(m_ui->pnlPrint->width(), m_ui->pnlPrint->height() + growth);
    ArrangePanels();
}

// The panels stand one below the other, as aligned to the window's top; the
// window is as tall as those shown.
void TppPrintDialog::ArrangePanels()
{
    int top = 0;
    for (QWidget *panel : {m_ui->pnlPrint, m_ui->pnlPrintToFile, m_ui->pnlBottom}) {
        if (panel->isHidden())
            continue;
        panel->move(0, top);
        top += panel->height();
    }
    setFixedSize(m_ui->pnlPrint->width(), top);
}

// --- Filling ---------------------------------------------------------------

void TppPrintDialog::FillControls()
{
    if (!Printer())
        return;
    const bool initialising = std::exchange(m_initialising, true);
    try {
        FillPrinters();
        FillPagesAndCopies();
        FillFilePanel();
    } catch (...) {
        m_initialising = initialising;
        throw;
    }
    m_initialising = initialising;
}

void TppPrintDialog::FillPrinters()
{
    QComboBox *list = m_ui->cbxPrinters;
    list->clear();
    TppPrinterList &printers = TppPrinterList::Instance();
    std::vector<std::string> names = printers.Names();
    names.erase(std::remove(names.begin(), names.end(), std::string("Screen")), names.end());
    if (names.empty()) {
        list->hide();
        m_ui->btnPrinterProperties->hide();
        m_ui->lblNoPrintersInstalled->setText(Text(ltNoPrinters));
        m_ui->lblNoPrintersInstalled->show();
        return;
    }
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        const auto entry = printers.Find(name);
        const bool network = entry && !entry->Local();
        list->addItem(QIcon(TppPrinterItemDelegate::PrinterPicture(network)), QString::fromStdString(name));
        list->setItemData(list->count() - 1, network, TppPrinterItemDelegate::NetworkRole);
    }
    TppPrinterSetup &setup = Printer()->PrinterSetup();
    const int chosen = list->findText(QString::fromStdString(setup.PrinterName()), Qt::MatchExactly);
    if (chosen >= 0) {
        list->setCurrentIndex(chosen);
    } else {
        list->setCurrentIndex(0);
        setup.SetPrinterName(list->itemText(0).toStdString());
    }
    ShowPrinterDescription();
}

void TppPrintDialog::FillPagesAndCopies()
{
    const TppPageRequest &request = PageRequest();
    const auto joined = [&](const char *separator) {
        QStringList entries;
        for (const std::string &entry : request.PageList())
            entries << QString::fromStdString(entry);
        return entries.join(QLatin1String(separator));
    };
    switch (request.PageSetting()) {
    case psPageList:
        m_ui->rdbPages->setChecked(true);
        m_ui->edtPageRange->setText(joined(","));
        break;
    case psSinglePage:
        m_ui->rdbCurrentPage->setChecked(true);
        break;
    case psPageRange:
        m_ui->rdbPages->setChecked(true);
        m_ui->edtPageRange->setText(joined("-"));
        break;
    default:
        m_ui->rdbAll->setChecked(true);
        break;
    }
    const int range = m_ui->cbxPrintWhat->findData(int(request.PageRange()));
    m_ui->cbxPrintWhat->setCurrentIndex(std::max(0, range));
    const TppPrinterSetup &setup = Printer()->PrinterSetup();
    m_ui->edtCopies->setText(QString::number(setup.Copies()));
    m_ui->cbxCollate->setChecked(setup.Collation());
    ShowCollationPicture();
}

void TppPrintDialog::FillFilePanel()
{
    m_ui->cbxPrintToFileTypes->clear();
    // This program registers no file devices: with files allowed the panel
    // shows, with an empty list of types.
    m_ui->pnlPrintToFile->setVisible(AllowPrintToFile() || AllowPrintToArchive());
    m_ui->cbxPrintToFile->setChecked(false);
    const bool enabled = m_ui->cbxPrintToFile->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *>{m_ui->cbxPrintToFileTypes, m_ui->edtPrintToFileName, m_ui->spbPrintToFile})
        control->setEnabled(enabled);
    ArrangePanels();
}

void TppPrintDialog::ShowPrinterDescription()
{
    const TppPrinterInfo *info = Printer() ? Printer()->PrinterInfo() : nullptr;
    m_ui->lblPrinterTypeDesc->setText(info ? QString::fromStdString(info->Device()) : QString());
    m_ui->lblPrinterWhereDesc->setText(info ? QString::fromStdString(info->Port()) : QString());
}

void TppPrintDialog::ShowCollationPicture()
{
    m_ui->imgCollate->setPixmap(m_ui->cbxCollate->isChecked() ? m_collated : m_notCollated);
}

// --- The user's choices ----------------------------------------------------

void TppPrintDialog::PrinterChosen(int index)
{
    if (m_initialising || !Printer() || index < 0)
        return;
    Printer()->PrinterSetup().SetPrinterName(m_ui->cbxPrinters->itemText(index).toStdString());
    ShowPrinterDescription();
}

void TppPrintDialog::ShowProperties()
{
    if (Printer() && Printer()->ShowPropertiesDialog())
        ShowPrinterDescription();
}

void TppPrintDialog::AllChosen()
{
    if (m_initialising)
        return;
    m_ui->rdbCurrentPage->setChecked(false);
    m_ui->rdbPages->setChecked(false);
    m_ui->rdbAll->setChecked(true);
    m_ui->edtPageRange->clear();
}

void TppPrintDialog::CurrentPageChosen()
{
    if (m_initialising)
        return;
    m_ui->rdbAll->setChecked(false);
    m_ui->rdbPages->setChecked(false);
    m_ui->rdbCurrentPage->setChecked(true);
    m_ui->edtPageRange->clear();
}

void TppPrintDialog::PagesChosen()
{
    if (m_initialising)
        return;
    m_ui->rdbPages->setChecked(true);
}

void TppPrintDialog::PrintWhatChosen(int index)
{
    if (m_initialising || index < 0)
        return;
    PageRequest().SetPageRange(static_cast<TppPageRangeType>(m_ui->cbxPrintWhat->itemData(index).toInt()));
}

void TppPrintDialog::CollationClicked()
{
    if (m_initialising)
        return;
    if (Printer())
        Printer()->PrinterSetup().SetCollation(m_ui->cbxCollate->isChecked());
    ShowCollationPicture();
}

void TppPrintDialog::CopiesLeft()
{
    m_ui->edtCopies->setText(QString::number(CopiesInText(m_ui->edtCopies->text())));
}

void TppPrintDialog::OkClicked()
{
    if (ReadOkChoices())
        accept();
}

// The OK checks; false, with the user told why, keeps the dialog open with
// everything as typed.
bool TppPrintDialog::ReadOkChoices()
{
    if (m_ui->rdbPages->isChecked()) {
        TppStringList pages;
        ParsePageList(m_ui->edtPageRange->text().toStdString(), pages, true);
        if (pages.empty()) {
            ShowWarning(ltNoPagesEntered);
            return false;
        }
        PageRequest().SetPageList(pages);
        PageRequest().SetPageSetting(psPageList);
    } else if ((AllowPrintToFile() || AllowPrintToArchive()) && m_ui->cbxPrintToFile->isChecked()
               && m_ui->edtPrintToFileName->text().isEmpty()) {
        ShowWarning(ltSpecifyFileName);
        return false;
    }

    if (m_ui->rdbCurrentPage->isChecked())
        PageRequest().SetPageSetting(psSinglePage);
    if (!Printer())
        return true;
    Printer()->PrinterSetup().SetCopies(ReadCopies(m_ui->edtCopies->text()));

    // A queue gone since the list was read (or a print server that stopped)
    // would only fail once the job starts; the user may still choose another
    // printer here.
    const bool usable = Printer()->DeviceContext() && Printer()->PrinterInfo()
        && !Printer()->PrinterInfo()->IsScreen() && SpoolerHasQueue(Printer()->PrinterDisplayName());
    if (!usable) {
        TppPrinterList &printers = TppPrinterList::Instance();
        ShowWarning(printers.Count() == 0 ? ltNoPrinters : ltPrinterSetupProblem);
        return false;
    }
    return true;
}
