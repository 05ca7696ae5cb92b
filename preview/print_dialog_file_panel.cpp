// The print dialog's file panel: printing into a file of one of the
// registered file device kinds instead of on paper.

#include "preview/print_dialog.h"

#include "assets/library_texts.h"
#include "output/device_class.h"
#include "output/device_registry.h"
#include "output/file_device.h"
#include "platform/handler_guard.h"
#include "platform/message_box.h"
#include "ui_print_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const TppDeviceClass *FileDeviceClass(const QVariant &deviceType)
{
    const TppDeviceClass *deviceClass = FindDeviceClass(deviceType.toString().toStdString());
    return deviceClass && deviceClass->InheritsFrom(TppFileDevice::StaticClass()) ? deviceClass : nullptr;
}

QString Translated(const char *englishText, std::int32_t languageIndex)
{
    return QString::fromStdString(TranslatedLibraryText(englishText, languageIndex));
}

// "PDF files|*.pdf|All files|*" as the save dialog's filters.
QStringList NameFilters(const TppDeviceClass &deviceClass, std::int32_t languageIndex)
{
    const QStringList parts = QString::fromUtf8(deviceClass.FileFilter()).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(Translated(parts[i].toUtf8().constData(), languageIndex), parts[i + 1]);
    return filters;
}

// The name as the file will be written: "~" is the home folder, a name
// without a folder lands in the home folder (not wherever the program was
// started), and a name without extension gets the type's.
QString CompleteFileName(QString name, const QString &extension)
{
    if (name == QLatin1String("~") || name.startsWith(QLatin1String("~/")))
        name = QDir::homePath() + name.mid(1);
    if (QFileInfo(name).isRelative())
        name = QDir::home().absoluteFilePath(name);
    if (!extension.isEmpty() && QFileInfo(name).suffix().isEmpty()) {
        if (!name.endsWith(QLatin1Char('.')))
            name += QLatin1Char('.');
        name += extension;
    }
    return QDir::cleanPath(name);
}

// Tried, not guessed from permission bits: a file system mounted read-only,
// or one like /proc, refuses files whatever the bits say.
bool FolderTakesFiles(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.valdora-XXXXXX"));
    return probe.open();
}

void Warn(int textNumber, std::int32_t languageIndex, const QString &value)
{
    platform::ShowMessage(platform::MessageKind::Warning,
                          FormatLibraryText(textNumber, languageIndex, {value.toStdString()}));
}

} // namespace

void TppPrintDialog::ConnectFilePanel()
{
    connect(m_ui->cbxPrintToFile, &QCheckBox::toggled, this,
            [this] { platform::RunGuarded([this] { PrintToFileToggled(); }); });
    connect(m_ui->cbxPrintToFileTypes, &QComboBox::activated, this,
            [this](int index) { platform::RunGuarded([&] { FileTypeChosen(index); }); });
    connect(m_ui->spbPrintToFile, &QToolButton::clicked, this,
            [this] { platform::RunGuarded([this] { BrowseForFile(); }); });
    connect(m_ui->edtPrintToFileName, &QLineEdit::textEdited, this,
            [this] { platform::RunGuarded([this] { FileNameEdited(); }); });
}

void TppPrintDialog::FillFilePanel()
{
    QComboBox *types = m_ui->cbxPrintToFileTypes;
    types->clear();
    const bool shown = AllowPrintToFile() || AllowPrintToArchive();
    m_ui->pnlPrintToFile->setVisible(shown);
    // No archive device exists here: the file types are the file devices.
    if (AllowPrintToFile()) {
        TppDeviceClassNames classes;
        DeviceClassNames(classes);
        for (const auto &[name, deviceClass] : classes) {
            if (deviceClass != &TppFileDevice::StaticClass() && deviceClass->InheritsFrom(TppFileDevice::StaticClass()))
                types->addItem(Translated(deviceClass->Description(), LanguageIndex()), QString::fromStdString(name));
        }
    }
    const int reportType = types->findData(QString::fromStdString(DeviceType()));
    types->setCurrentIndex(reportType);
    m_ui->cbxPrintToFile->setChecked(shown && reportType >= 0);
    m_ui->edtPrintToFileName->setText(QString::fromStdString(TextFileName()));
    m_replaceConfirmed.clear();
    RefreshFileControls();
    ArrangePanels();
}

void TppPrintDialog::RefreshFileControls()
{
    const bool enabled = m_ui->cbxPrintToFile->isChecked();
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_ui->cbxPrintToFileTypes, m_ui->edtPrintToFileName, m_ui->spbPrintToFile})
        control->setEnabled(enabled);
}

void TppPrintDialog::PrintToFileToggled()
{
    if (m_initialising)
        return;
    // Checked with no type chosen would print on paper after all.
    if (m_ui->cbxPrintToFile->isChecked() && m_ui->cbxPrintToFileTypes->currentIndex() < 0
        && m_ui->cbxPrintToFileTypes->count() > 0)
        m_ui->cbxPrintToFileTypes->setCurrentIndex(0);
    RefreshFileControls();
}

void TppPrintDialog::FileTypeChosen(int)
{
    if (m_initialising)
        return;
    RefreshFileControls();
}

void TppPrintDialog::FileNameEdited()
{
    m_replaceConfirmed.clear();
}

void TppPrintDialog::BrowseForFile()
{
    const TppDeviceClass *deviceClass = FileDeviceClass(m_ui->cbxPrintToFileTypes->currentData());
    const QString extension = deviceClass ? QString::fromUtf8(deviceClass->FileExtension()) : QString();
    const QString typed = m_ui->edtPrintToFileName->text().trimmed();
    // The documents folder where the desktop has one, else the home folder:
    // a folder that does not exist would stand in the name box.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString start = !typed.isEmpty()      ? CompleteFileName(typed, extension)
        : QFileInfo(documents).isDir() ? documents
                                       : QDir::homePath();

    QFileDialog dialog(this, QString::fromStdString(LibraryText(ltPrintToFile, LanguageIndex())));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (deviceClass)
        dialog.setNameFilters(NameFilters(*deviceClass, LanguageIndex()));
    dialog.setDefaultSuffix(extension);
    if (QFileInfo(start).isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(QFileInfo(start).absolutePath());
        dialog.selectFile(QFileInfo(start).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    m_ui->edtPrintToFileName->setText(chosen);
    // The save dialog has asked before replacing it.
    m_replaceConfirmed = QFileInfo::exists(chosen) ? chosen : QString();
}

bool TppPrintDialog::FileTargetChecked() const
{
    return (AllowPrintToFile() || AllowPrintToArchive()) && m_ui->cbxPrintToFile->isChecked();
}

// The file target's checks: a name, a folder that exists and can be
// written, and the user's word before an existing file is replaced.
bool TppPrintDialog::ReadFileChoice(FileChoice &choice)
{
    if (!FileTargetChecked())
        return true;
    const QString typed = m_ui->edtPrintToFileName->text().trimmed();
    if (typed.isEmpty()) {
        platform::ShowMessage(platform::MessageKind::Warning, LibraryText(ltSpecifyFileName, LanguageIndex()));
        return false;
    }
    const TppDeviceClass *deviceClass = FileDeviceClass(m_ui->cbxPrintToFileTypes->currentData());
    if (!deviceClass)
        return true;
    const QString name = CompleteFileName(typed, QString::fromUtf8(deviceClass->FileExtension()));
    const QFileInfo file(name);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir()) {
        Warn(ltNotAFile, LanguageIndex(), QDir::toNativeSeparators(name));
        return false;
    }
    if (!folder.isDir()) {
        Warn(ltFolderMissing, LanguageIndex(), QDir::toNativeSeparators(folder.filePath()));
        return false;
    }
    if (!FolderTakesFiles(folder.filePath())) {
        Warn(ltFolderNotWritable, LanguageIndex(), QDir::toNativeSeparators(folder.filePath()));
        return false;
    }
    if (file.exists()) {
        if (!file.isWritable()) {
            Warn(ltFileNotWritable, LanguageIndex(), QDir::toNativeSeparators(name));
            return false;
        }
        if (name != m_replaceConfirmed
            && !platform::AskYesNo(FormatLibraryText(ltReplaceFile, LanguageIndex(), {QDir::toNativeSeparators(name).toStdString()})))
            return false;
        m_replaceConfirmed = name;
    }
    choice.chosen = true;
    choice.deviceType = deviceClass->DeviceTypeName();
    choice.fileName = name.toStdString();
    return true;
}

void TppPrintDialog::TakeFileChoice(const FileChoice &choice)
{
    SetPrintToArchive(false);
    SetPrintToFile(choice.chosen);
    if (!choice.chosen)
        return;
    SetDeviceType(choice.deviceType);
    SetTextFileName(choice.fileName);
}
