#pragma once

#include "output/page.h"
#include "platform/picture.h"
#include "platform/string_list.h"
#include "report/custom_report.h"

#include <cstdint>

enum TppNoDataBehaviorType : std::uint8_t {
    ndMessageOnPage = 0x01,
    ndBlankPage = 0x02,
    ndMessageDialog = 0x04,
    ndBlankReport = 0x08,
};
// A set of TppNoDataBehaviorType bits.
using TppNoDataBehaviors = std::uint8_t;

// The report placed on a window: the banded report with the published
// settings of its runs.
class TppReport : public TppBandedReport {
public:
    const char *ClassName() const override { return "TppReport"; }

    TppNoDataBehaviors NoDataBehaviors() const { return m_noDataBehaviors; }
    void SetNoDataBehaviors(TppNoDataBehaviors value) { m_noDataBehaviors = value; }
    const TppStringList &ColumnPositions() const { return m_columnPositions; }
    void SetColumnPositions(const TppStringList &value) { m_columnPositions = value; }
    bool SaveAsTemplate() const { return m_saveAsTemplate; }
    void SetSaveAsTemplate(bool value) { m_saveAsTemplate = value; }

protected:
    void ConvertVersion(int versionNumber) override;

private:
    TppNoDataBehaviors m_noDataBehaviors = ndBlankPage;
    TppStringList m_columnPositions;
    bool m_saveAsTemplate = false;
};
