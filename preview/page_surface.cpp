#include "preview/page_surface.h"

#include "assets/library_texts.h"
#include "output/page_reading_text.h"
#include "preview/library_caption.h"
#include "preview/viewer.h"
#include "report/custom_report.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

#include <algorithm>

TppPageSurface::TppPageSurface(TppViewer &viewer)
    : m_viewer(viewer)
{
    setObjectName(QStringLiteral("PageSurface"));
    setFocusPolicy(Qt::StrongFocus);
}

QString TppPageSurface::ReadingText() const
{
    if (m_viewer.CurrentPageNo() <= 0)
        return {};
    return QString::fromStdString(PageReadingText(m_viewer.ScreenDevice().CurrentPage()));
}

std::int32_t TppPageSurface::LanguageIndex() const
{
    return m_viewer.Report() ? m_viewer.Report()->LanguageIndex() : liEnglish;
}

QString TppPageSurface::SpokenDescription() const
{
    return LibraryCaption(ltPageDescription, LanguageIndex());
}

QString TppPageSurface::SpokenName() const
{
    const QString page = LibraryCaption(ltPage, LanguageIndex());
    const std::int32_t number = m_viewer.CurrentPageNo();
    return number > 0 ? page + QLatin1Char(' ') + QString::number(number) : page;
}

void TppPageSurface::PageChanged()
{
    m_cursor = 0;
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleTextUpdateEvent text(this, 0, QString(), ReadingText());
    QAccessible::updateAccessibility(&text);
}

void TppPageSurface::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first page shown takes the focus, unless the user put it elsewhere.
    if (!window()->focusWidget())
        setFocus(Qt::OtherFocusReason);
}

void TppPageSurface::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

namespace {

class PageSurfaceAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PageSurfaceAccessible(TppPageSurface *surface)
        : QAccessibleWidget(surface, QAccessible::Document)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Surface()->SpokenName();
        if (t == QAccessible::Description)
            return Surface()->SpokenDescription();
        if (t == QAccessible::Value)
            return {};
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }

    // QAccessibleTextInterface: the page's text, read only, no selection.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return std::min(Surface()->CursorPosition(), characterCount()); }
    void setCursorPosition(int position) override
    {
        Surface()->SetCursorPosition(std::clamp(position, 0, characterCount()));
    }
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = Surface()->ReadingText();
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = std::clamp(endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(Surface()->ReadingText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    TppPageSurface *Surface() const { return static_cast<TppPageSurface *>(widget()); }
};

QAccessibleInterface *PageSurfaceFor(const QString &className, QObject *object)
{
    if (className != QLatin1String("TppPageSurface"))
        return nullptr;
    auto *surface = qobject_cast<TppPageSurface *>(object);
    return surface ? new PageSurfaceAccessible(surface) : nullptr;
}

} // namespace

void SpeakPageSurfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(PageSurfaceFor);
        return true;
    }();
    (void)installed;
}
