#include "app/scenarios_model.h"

#include "app/locale_number.h"
#include "app/scenarios_cost.h"
#include "app/scenarios_texts.h"
#include "calc/errors.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

ScenarioModel::ScenarioModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ScenarioModel::setTable(ScenarioTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void ScenarioModel::setCostPerInterview(std::optional<double> cost)
{
    if (cost == m_cost)
        return;
    beginResetModel();
    m_cost = cost;
    endResetModel();
}

int ScenarioModel::costColumn() const
{
    return m_cost ? viewColumn(int(m_table.Columns().size())) : -1;
}

int ScenarioModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.Rows().size());
}

int ScenarioModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_table.Columns().empty())
        return 0;
    return viewColumn(int(m_table.Columns().size())) + (m_cost ? 1 : 0);
}

bool ScenarioModel::isUserCell(int row, int column) const
{
    return row == m_table.UserRow() && column == viewColumn(m_table.UserColumn());
}

QString ScenarioModel::costText(int row) const
{
    const ScenarioCell &cell = m_table.Cell(row, m_table.UserColumn());
    if (cell.Refused())
        return QString::fromStdString(cell.Refusal);
    try {
        return CostText(SurveyCost(cell.SampleSize, *m_cost));
    } catch (const calc::CalcError &refusal) {
        return QString::fromStdString(refusal.what());
    }
}

QString ScenarioModel::cellText(int row, int column) const
{
    if (column == 0)
        return QString::fromStdString(ErrorPercentText(m_table.Rows()[row].ErrorFraction, DecimalSeparator()))
            + QStringLiteral(" %");
    if (column == costColumn())
        return costText(row);
    const ScenarioCell &cell = m_table.Cell(row, column - 1);
    return cell.Refused() ? QString::fromStdString(cell.Refusal) : QString::number(cell.SampleSize);
}

QVariant ScenarioModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, column);
    case Qt::AccessibleTextRole:
        if (isUserCell(row, column))
            return cellText(row, column) + QStringLiteral(", ") + ScenarioString(ScenarioText::UserCell);
        return cellText(row, column);
    case Qt::ToolTipRole:
        if (isUserCell(row, column))
            return ScenarioString(ScenarioText::UserPoint);
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (isUserCell(row, column) || (row == m_table.UserRow() && column == 0)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        if (isUserCell(row, column))
            return QApplication::palette().brush(QPalette::Highlight);
        return {};
    case Qt::ForegroundRole:
        if (isUserCell(row, column))
            return QApplication::palette().brush(QPalette::HighlightedText);
        return {};
    default:
        return {};
    }
}

QVariant ScenarioModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    const auto &columns = m_table.Columns();
    if (section == 0)
        return ScenarioString(ScenarioText::ErrorColumn);
    const auto level = [&](int column) {
        return QString::fromStdString(LevelText(columns[column].Level, DecimalSeparator()));
    };
    if (columns.empty())
        return {};
    if (section == costColumn())
        return ScenarioString(ScenarioText::CostColumn).arg(level(m_table.UserColumn()));
    if (section >= 1 && section <= int(columns.size()))
        return ScenarioString(ScenarioText::ConfidenceColumn).arg(level(section - 1));
    return {};
}
