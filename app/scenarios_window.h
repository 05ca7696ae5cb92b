#pragma once

#include "ui_scenarios_window.h"

#include <QDialog>

#include <memory>
#include <optional>

class QChart;
class QChartView;
class ScenarioModel;
class TppReport;
struct SampleSizeParams;

// How the sample size moves with the maximum error and the confidence: the
// table of sizes (with the survey's cost once a cost per interview is
// typed), the curve, and the scenarios sheet on paper. Made once by the
// results screen and shown modally over it for its current calculation.
class ScenariosWindow : public QDialog {
    Q_OBJECT

public:
    explicit ScenariosWindow(QWidget *parent = nullptr);
    ~ScenariosWindow() override;

    // The user's calculation record, as the results screen shows it.
    void setCalculation(const SampleSizeParams &user);

    const ScenarioModel &model() const { return *m_model; }
    QChart *chart() const;
    // The cost per interview the field holds; none while it is empty or
    // holds no valid cost.
    std::optional<double> costPerInterview() const { return m_cost; }

    // The printable scenarios sheet; read from its definition on first use.
    TppReport &sheet();

    Ui::ScenariosWindow ui;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyTexts();
    void fitTableWidth();
    QModelIndex userCell() const;
    void costChanged();
    void printSheet();
    void showChart();

    ScenarioModel *m_model;
    QChartView *m_chartView;
    std::optional<double> m_cost;
    std::unique_ptr<TppReport> m_sheet;
};
