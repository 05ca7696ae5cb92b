#pragma once

class QComboBox;
class QString;

// A screen reader reads the choice of a closed drop-down list through an
// interface this toolkit version does not offer, and so says only the list's
// caption. The choice is therefore also its description, followed by the
// list's own description, and kept so as the choice changes. Called again,
// it only replaces the own description.
void DescribeComboChoice(QComboBox &box, const QString &ownDescription);
