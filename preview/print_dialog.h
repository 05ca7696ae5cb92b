#pragma once

#include "preview/user_settings.h"
#include "preview/report_form.h"

#include <QDialog>
#include <QPixmap>

#include <memory>
#include <string>

namespace Ui {
class TppPrintDialog;
}
class QLineEdit;
class TppCopiesUpDown;

// The dialog shown before a report prints on paper: printer, pages, copies
// and collation. It changes its printer's setup as the user chooses and
// hands the pages back through its page request.
class TppPrintDialog : public QDialog, public TppCustomPrintDialog
{
    Q_OBJECT

public:
    explicit TppPrintDialog(QWidget *parent = nullptr);
    ~TppPrintDialog() override;

    TppModalResult ShowModal() override;
    void Show() override;
    void Close() override;
    void SetIcon(const TppPicture &icon) override;
    void Init() override { }

protected:
    void LanguageChanged() override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A library text in the dialog's language.
    QString Text(int textNumber) const;
    void ShowWarning(int textNumber) const;
    // What assistive technology reads for the controls a caption beside them names.
    void NameControls();

    void FillControls();
    void FillPrinters();
    void FillPagesAndCopies();
    void FillFilePanel();
    void ArrangePanels();
    void ShowPrinterDescription();
    void ShowCollationPicture();
    void AdjustToDescription();

    void PrinterChosen(int index);
    void ShowProperties();
    void AllChosen();
    void CurrentPageChosen();
    void PagesChosen();
    void CollationClicked();
    void OkClicked();
    bool ReadOkChoices();
    bool ReadPageChoice(TppPageRequest &chosen);
    std::string SelectionDescription(const TppPageRequest &chosen, std::int32_t pageCount) const;
    bool PrinterReady();
    std::string DefaultPrinterProblem();
    std::string QueueProblem(const std::string &queue);
    void RefreshPrinterList();
    void RereadPrinters();
    void SelectPrinter(const std::string &name);
    std::string SelectDefaultPrinter();
    std::string PrinterGone(const std::string &queue);
    bool SheetFitsPage();
    void RefuseIn(QLineEdit &box, const std::string &message);

    // The file panel (print_dialog_file_panel.cpp).
    struct FileChoice {
        bool chosen = false;
        std::string deviceType;
        std::string fileName;
    };
    void ConnectFilePanel();
    void RefreshFileControls();
    void FileTypeChosen(int index);
    void PrintToFileToggled();
    void FileNameEdited();
    void BrowseForFile();
    bool FileTargetChecked() const;
    bool ReadFileChoice(FileChoice &choice);
    void TakeFileChoice(const FileChoice &choice);
    void KeepTarget(const FileChoice &file);

    std::unique_ptr<Ui::TppPrintDialog> m_ui;
    TppCopiesUpDown *m_copiesUpDown = nullptr;
    QPixmap m_collated;
    QPixmap m_notCollated;
    // Changes made while the controls are filled are not the user's.
    bool m_initialising = false;
    // The request as the dialog opened: "All" keeps a setting it showed as all.
    TppPageRequest m_openingRequest;
    // A name the save dialog already asked about replacing.
    QString m_replaceConfirmed;
    // The printer, file choice and file name of the last OK.
    user_settings::PrintTarget m_kept;
    // The printer the user had chosen went away and the server has no
    // default: OK waits for the user's choice.
    bool m_noPrinterChosen = false;
};
