#pragma once

#include <QImage>
#include <QSize>

#include <memory>

class QChart;
class ScenarioTable;

// The curve of the sample size against the maximum error: one line per
// confidence column of the table (a refused cell leaves its point out), the
// user's point marked, the axes labelled in the user's language and number
// format.
std::unique_ptr<QChart> CreateScenarioChart(const ScenarioTable &table);

// The chart drawn for paper: laid out at `size` in pixels of 96 per inch, as
// on screen, and drawn at `dotsPerInch`, so that lines and letters keep their
// proportions and are sharp at the printer's resolution.
QImage RenderScenarioChart(const ScenarioTable &table, QSize size, int dotsPerInch);
