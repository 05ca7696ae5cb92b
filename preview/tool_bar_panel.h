#pragma once

#include <QWidget>

// The panel that holds the preview's tool buttons and boxes, told to
// assistive technology as a tool bar.
class TppToolBarPanel : public QWidget {
    Q_OBJECT

public:
    explicit TppToolBarPanel(QWidget *parent);
};
