#include "app/present_result.h"

#include "app/form3.h"
#include "app/locale_number.h"
#include "app/result_names.h"
#include "app/sheet_rows.h"
#include "calc/result_presentation.h"
#include "calc/sample_size.h"

#include <QLineEdit>

void PresentResult(const SampleSizeParams &params, const ConsideredElements &considered,
                   QLineEdit &designEffectField, Form3 &results)
{
    const ResultTexts texts = PresentationTexts(params, DecimalSeparator());
    Ui::Form3 &ui = results.ui;

    ui.Label5->setText(QString::fromStdString(texts.Proportion));
    ui.Label4->setText(QString::fromStdString(texts.Confidence));
    ui.Label3->setText(QString::fromStdString(texts.Error));
    ui.Label2->setText(QString::fromStdString(texts.SampleSize));
    ui.Label17->setText(QString::fromStdString(texts.ResponseRate));
    designEffectField.setText(QString::fromStdString(texts.DesignEffect));
    ui.Label16->setText(designEffectField.text());
    ui.Label18->setText(QString::fromStdString(texts.Population));

    // The population row disappears entirely when the population is not
    // considered; the other rows stay and only lose their check mark.
    ui.Label1->setVisible(considered.Population);
    ui.Image7->setVisible(considered.Population);
    ui.Image5->setVisible(considered.DesignEffect);
    ui.Image6->setVisible(considered.ResponseRate);
    ui.Image4->setVisible(considered.Proportion);
    NameResultValues(ui);
    results.setCalculation(params);

    // The printed sheet keeps its rows in step with the screen's.
    ShowConsideredSheetRows(results.ppReport1(), considered);
}
