#pragma once

#include <QString>

#include <cstdint>
#include <QWidget>

class TppViewer;

// The surface a viewer shows its page on. It takes the focus (the preview
// opens with it there) and passes every key on to the window, whose tool
// bar keys move and zoom the page. Assistive technology reads the page's
// texts from it (SpeakPageSurfaces).
class TppPageSurface : public QWidget {
    Q_OBJECT

public:
    explicit TppPageSurface(TppViewer &viewer);

    // The texts of the page on show in reading order; empty before one is.
    QString ReadingText() const;
    // What a screen reader calls it: "Page 2" in the report's language.
    QString SpokenName() const;
    QString SpokenDescription() const;

    int CursorPosition() const { return m_cursor; }
    void SetCursorPosition(int position) { m_cursor = position; }

    // The page on show changed: a screen reader hears it.
    void PageChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::int32_t LanguageIndex() const;

    TppViewer &m_viewer;
    int m_cursor = 0;
};

// Installs the accessible interface of page surfaces: a read-only document
// whose text is the page's. Call once; installing again does nothing.
void SpeakPageSurfaces();
