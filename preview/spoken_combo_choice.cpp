#include "preview/spoken_combo_choice.h"

#include <QComboBox>
#include <QString>

namespace {

constexpr auto kObjectName = "choiceDescription";

// Kept as a child of its list, which it follows; found again by its name.
class ChoiceDescription : public QObject
{
public:
    explicit ChoiceDescription(QComboBox &box)
        : QObject(&box)
        , m_box(box)
    {
        setObjectName(QString::fromLatin1(kObjectName));
        connect(&box, &QComboBox::currentIndexChanged, this, [this] { Apply(); });
    }

    void SetOwnDescription(const QString &description)
    {
        m_own = description;
        Apply();
    }

private:
    void Apply()
    {
        const QString choice = m_box.currentText();
        if (m_own.isEmpty() || choice.isEmpty())
            m_box.setAccessibleDescription(choice.isEmpty() ? m_own : choice);
        else
            m_box.setAccessibleDescription(choice + QStringLiteral(". ") + m_own);
    }

    QComboBox &m_box;
    QString m_own;
};

} // namespace

void DescribeComboChoice(QComboBox &box, const QString &ownDescription)
{
    // Not a meta-object class of its own, so found by name, not by type.
    QObject *existing = box.findChild<QObject *>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly);
    auto *description = existing ? static_cast<ChoiceDescription *>(existing) : new ChoiceDescription(box);
    description->SetOwnDescription(ownDescription);
}
