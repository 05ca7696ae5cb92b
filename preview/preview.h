// TppPreview: the standard preview contents, TppCustomPreview with its tool bar, zoom box and keys.
#pragma once

#include "preview/custom_preview.h"

#include <QString>

#include <array>

class QAbstractButton;
class QAction;
class QLineEdit;
class QToolButton;
class QWidget;

// The standard contents of a print preview window: a tool bar with print,
// zoom and page buttons, a zoom box, a page box and a close button above the
// viewer.
class TppPreview : public TppCustomPreview {
    Q_OBJECT

public:
    explicit TppPreview(QWidget &form);
    ~TppPreview() override;

    void Init() override;
    void LanguageChanged() override;
    void PageChanged() override;
    void PrintStateChanged() override;
    void ZoomTo(TppZoomSettingType zoom) override;

    // Triggers the button's action.
    virtual void ToolButtonClick(QToolButton *button);
    // Every tool bar command, clicked or by key: turns Close into Cancel
    // while the viewer is busy, then performs the action.
    virtual void ActionTriggered(int action);
    // The command behind a tool bar button (a TppPreviewAction), with its
    // enabled state, shortcut and hint.
    QAction *Action(int action) const { return m_actions[action]; }
    // Key-down in either box: the window's keys; the box still gets the key.
    virtual void BoxKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Enter in the page box goes to the page typed.
    virtual void PageBoxKeyPress(int key);
    // Enter in the zoom box zooms to the percentage typed.
    virtual void ZoomBoxKeyPress(int key);

    QWidget *OuterToolPanel() const { return m_outerPanel; }
    QWidget *InnerToolPanel() const { return m_innerPanel; }
    QToolButton *PrintButton() const { return m_printButton; }
    QToolButton *SearchButton() const { return m_searchButton; }
    QToolButton *WholePageButton() const { return m_wholePageButton; }
    QToolButton *PageWidthButton() const { return m_pageWidthButton; }
    QToolButton *HundredPercentButton() const { return m_hundredPercentButton; }
    QLineEdit *ZoomBox() const { return m_zoomBox; }
    QToolButton *FirstButton() const { return m_firstButton; }
    QToolButton *PriorButton() const { return m_priorButton; }
    QLineEdit *PageBox() const { return m_pageBox; }
    QToolButton *NextButton() const { return m_nextButton; }
    QToolButton *LastButton() const { return m_lastButton; }
    QToolButton *CloseButton() const { return m_closeButton; }

protected:
    virtual void CreateToolBar();
    virtual void CreateToolBarControls();
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *ToolAction(int action, const QPixmap &glyph);
    QToolButton *SpeedButton(QWidget *panel, int left, int action, const QPixmap &glyph,
                             const char *name);
    QLineEdit *Box(int left, const QString &mask, const char *name);
    void SetZoomButtons();

    QWidget *m_outerPanel = nullptr;
    QWidget *m_innerPanel = nullptr;
    QToolButton *m_printButton = nullptr;
    QToolButton *m_searchButton = nullptr;
    QToolButton *m_wholePageButton = nullptr;
    QToolButton *m_pageWidthButton = nullptr;
    QToolButton *m_hundredPercentButton = nullptr;
    QLineEdit *m_zoomBox = nullptr;
    QToolButton *m_firstButton = nullptr;
    QToolButton *m_priorButton = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QToolButton *m_nextButton = nullptr;
    QToolButton *m_lastButton = nullptr;
    QToolButton *m_closeButton = nullptr;
    std::array<QAction *, paClose + 1> m_actions{};
};
