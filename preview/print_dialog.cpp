#include "preview/print_dialog.h"

#include "assets/library_texts.h"
#include "output/convert_error.h"
#include "output/page_list.h"
#include "output/printer.h"
#include "output/printer_list.h"
#include "output/publisher.h"
#include "platform/message_box.h"
#include "platform/print_spooler.h"
#include "platform/units.h"
#include "preview/accessible_lists.h"
#include "preview/collation_pictures.h"
#include "preview/copies_up_down.h"
#include "preview/library_caption.h"
#include "platform/handler_guard.h"
#include "preview/page_selection.h"
#include "preview/printer_item_delegate.h"
#include "preview/spoken_combo_choice.h"
#include "preview/window_icon.h"
#include "report/custom_report.h"
#include "ui_print_dialog.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <charconv>

namespace {


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
    SpeakListsByTheirNames();
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
    connect(m_ui->cbxCollate, &QCheckBox::clicked, this, guarded(&TppPrintDialog::CollationClicked));
    connect(m_ui->btnOK, &QPushButton::clicked, this, guarded(&TppPrintDialog::OkClicked));
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->edtPageRange->installEventFilter(this);
    m_ui->edtCopies->installEventFilter(this);
    m_ui->lblCollate->installEventFilter(this);
    m_ui->lblPrintToFile->installEventFilter(this);
    ConnectFilePanel();

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
    m_openingRequest.Assign(PageRequest());
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
    // Hidden while printers exist, but a screen reader still finds it.
    m_ui->lblNoPrintersInstalled->setText(Text(ltNoPrinters));
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
        {m_ui->cbxPrinters, ltPrinterName, 0},
        {m_ui->edtPageRange, ltPages, ltPageRangeDescription},
        {m_ui->edtCopies, ltNumberOfCopies, ltCopiesDescription},
        {m_ui->cbxCollate, ltCollate, ltCollateDescription},
        {m_ui->cbxPrintWhat, ltPrintWhat, ltPrintWhatDescription},
        {m_ui->cbxPrintToFile, ltPrintToFile, ltPrintToFileDescription},
        {m_ui->cbxPrintToFileTypes, ltType, 0},
        {m_ui->edtPrintToFileName, ltFileName, 0},
        {m_ui->spbPrintToFile, ltChooseFile, 0},
    };
    for (const auto &[control, name, description] : controls) {
        control->setAccessibleName(SpokenCaption(Text(name)));
        const QString spoken = description ? Text(description) : QString();
        if (auto *box = qobject_cast<QComboBox *>(control))
            DescribeComboChoice(*box, spoken);
        else
            control->setAccessibleDescription(spoken);
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
        // The stand-in for the default printer is shown in the user's
        // language; a queue's own name never is.
        const QString shown = name == "Default" ? Text(ltDefaultPrinterName) : QString::fromStdString(name);
        list->addItem(QIcon(TppPrinterItemDelegate::PrinterPicture(network)), shown, QString::fromStdString(name));
        list->setItemData(list->count() - 1, network, TppPrinterItemDelegate::NetworkRole);
    }
    TppPrinterSetup &setup = Printer()->PrinterSetup();
    const int chosen = list->findData(QString::fromStdString(setup.PrinterName()));
    if (chosen >= 0) {
        list->setCurrentIndex(chosen);
    } else {
        list->setCurrentIndex(0);
        setup.SetPrinterName(list->itemData(0).toString().toStdString());
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

void TppPrintDialog::ShowPrinterDescription()
{
    const TppPrinterInfo *info = Printer() ? Printer()->PrinterInfo() : nullptr;
    // The screen stands in for a printer that the print server did not give:
    // it is no printer to describe.
    if (info && info->IsScreen())
        info = nullptr;
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
    Printer()->PrinterSetup().SetPrinterName(m_ui->cbxPrinters->itemData(index).toString().toStdString());
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
// everything as typed. Every choice is read from the controls into copies
// and handed back only when all checks pass, so that a refused OK leaves
// nothing behind for the next one.
bool TppPrintDialog::ReadOkChoices()
{
    TppPageRequest pages;
    if (!ReadPageChoice(pages))
        return false;
    FileChoice file;
    if (!ReadFileChoice(file))
        return false;
    std::int32_t copies = 0;
    if (Printer()) {
        copies = ReadCopies(m_ui->edtCopies->text());
        if (!file.chosen && !PrinterReady())
            return false;
    }

    PageRequest().Assign(pages);
    if (Printer())
        Printer()->PrinterSetup().SetCopies(copies);
    TakeFileChoice(file);
    return true;
}

bool TppPrintDialog::ReadPageChoice(TppPageRequest &chosen)
{
    chosen.Assign(m_openingRequest);
    chosen.SetPageList({});
    if (m_ui->rdbPages->isChecked()) {
        TppStringList pages;
        ParsePageList(m_ui->edtPageRange->text().toStdString(), pages, true);
        if (pages.empty()) {
            ShowWarning(ltNoPagesEntered);
            return false;
        }
        chosen.SetPageList(pages);
        chosen.SetPageSetting(psPageList);
    } else if (m_ui->rdbCurrentPage->isChecked()) {
        // Its page is the one the report offered as current.
        chosen.SetPageSetting(psSinglePage);
    } else {
        // Settings that "All" stands for on screen (the first or the last
        // page) are kept; those shown otherwise become all pages.
        const TppPageSettingType opening = m_openingRequest.PageSetting();
        const bool shownAsAll = opening != psPageList && opening != psSinglePage && opening != psPageRange;
        chosen.SetPageSetting(shownAsAll ? opening : psAll);
    }
    const int range = m_ui->cbxPrintWhat->currentIndex();
    chosen.SetPageRange(range < 0 ? prAll : static_cast<TppPageRangeType>(m_ui->cbxPrintWhat->itemData(range).toInt()));

    // Pages that the report does not have would print nothing, silently.
    const TppPublisher *publisher = Report() ? &Report()->Publisher() : nullptr;
    const std::int32_t pageCount = publisher && publisher->LastPageKnown() ? publisher->LastPageNo() : 0;
    if (SelectionHasPages(chosen, pageCount))
        return true;
    const std::string selection = SelectionDescription(chosen, pageCount);
    platform::ShowMessage(platform::MessageKind::Warning,
                          pageCount == 1 ? FormatLibraryText(ltNothingToPrintOnePage, LanguageIndex(), {selection})
                                         : FormatLibraryText(ltNothingToPrintPages, LanguageIndex(), {std::to_string(pageCount), selection}));
    return false;
}

// The choice as the user sees it on screen: "Pages: 2", "Even pages",
// "Current Page: 1; Odd pages".
std::string TppPrintDialog::SelectionDescription(const TppPageRequest &chosen, std::int32_t pageCount) const
{
    const auto caption = [](const QString &text) { return QString(text).remove(QRegularExpression(QStringLiteral("&(?!&)"))); };
    QStringList parts;
    if (m_ui->rdbPages->isChecked())
        parts << caption(m_ui->rdbPages->text()) + QStringLiteral(": ") + m_ui->edtPageRange->text().simplified();
    else if (m_ui->rdbCurrentPage->isChecked())
        parts << caption(m_ui->rdbCurrentPage->text()) + QStringLiteral(": ")
                + QString::number(SinglePageOf(chosen, pageCount));
    if (chosen.PageRange() != prAll || parts.isEmpty())
        parts << m_ui->cbxPrintWhat->currentText();
    return parts.join(QStringLiteral("; ")).toStdString();
}

// Whether the chosen printer can take the job; otherwise the user is told
// which printer and what happened, in the print server's terms.
bool TppPrintDialog::PrinterReady()
{
    TppPrinter &printer = *Printer();
    const std::string problem = printer.PrinterSetup().PrinterName() == "Default" ? DefaultPrinterProblem()
                                                                                  : QueueProblem(printer.PrinterDisplayName());
    if (problem.empty())
        return true;
    platform::ShowMessage(platform::MessageKind::Warning, problem);
    return false;
}

// The server is asked first, within a bounded time, so that a stopped one
// is told at once.
std::string TppPrintDialog::DefaultPrinterProblem()
{
    switch (platform::SpoolerAvailability()) {
    case platform::QueueAvailability::ServerUnreachable:
        return LibraryText(ltDefaultPrinterUnreachable, LanguageIndex());
    case platform::QueueAvailability::Missing:
        return LibraryText(ltNoPrinters, LanguageIndex());
    case platform::QueueAvailability::Available:
        break;
    }
    const std::string queue = platform::DefaultQueueName();
    return queue.empty() ? LibraryText(ltNoDefaultPrinter, LanguageIndex()) : QueueProblem(queue);
}

std::string TppPrintDialog::QueueProblem(const std::string &queue)
{
    switch (platform::QueueAvailable(queue)) {
    case platform::QueueAvailability::ServerUnreachable:
        return FormatLibraryText(ltPrintServerUnreachable, LanguageIndex(), {queue});
    case platform::QueueAvailability::Missing:
        // Removed since the list was read: the list is read again, so that
        // what it offers can be chosen.
        RefreshPrinterList();
        return FormatLibraryText(ltPrinterNotAvailable, LanguageIndex(), {queue});
    case platform::QueueAvailability::Available:
        break;
    }
    // The spooler has the queue, but the toolkit may still fail to open it.
    TppPrinter &printer = *Printer();
    if (!printer.DeviceContext() || !printer.PrinterInfo() || printer.PrinterInfo()->IsScreen())
        return LibraryText(ltPrinterSetupProblem, LanguageIndex());
    return {};
}

void TppPrintDialog::RefreshPrinterList()
{
    TppPrinterList::Instance().Refresh();
    const bool initialising = std::exchange(m_initialising, true);
    try {
        FillPrinters();
    } catch (...) {
        m_initialising = initialising;
        throw;
    }
    m_initialising = initialising;
}
