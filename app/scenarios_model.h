#pragma once

#include "app/scenarios_table.h"

#include <QAbstractTableModel>

#include <optional>

// The scenarios table as the window's table view shows it: the maximum
// error, a column per confidence level and, with a cost per interview, the
// survey's cost at the user's level. The user's cell is marked (bold, the
// selection's colours, and said by a screen reader); a refused cell shows
// the calculation's message.
class ScenarioModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ScenarioModel(QObject *parent = nullptr);

    void setTable(ScenarioTable table);
    const ScenarioTable &table() const { return m_table; }
    // None takes the cost column away.
    void setCostPerInterview(std::optional<double> cost);

    // The column of the table's confidence column `column`, and of the cost.
    static int viewColumn(int column) { return column + 1; }
    int costColumn() const;

    // The text of a cell as the view shows it.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool isUserCell(int row, int column) const;
    QString costText(int row) const;

    ScenarioTable m_table;
    std::optional<double> m_cost;
};
