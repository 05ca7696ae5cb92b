#pragma once

#include "ui_form2.h"

#include <QDialog>

class Application;
struct SampleSizeParams;

// The variable-selection screen: the values of the chosen elements, kept in
// the calculation record, and "CALCULAR", which runs the calculation and
// opens the results screen.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(Application &application);

    Ui::Form2 ui;

    // Runs each time this window becomes the application's active window
    // coming from another of its windows; public so that it can be run
    // directly where no window system reports activations.
    void activate();

    // The calculation run of "CALCULAR".
    void calculate();

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyLook();
    void connectHandlers();
    void connectFieldHandlers();
    void connectChoiceHandlers();

    // Opens a window over this one; coming back runs the activation.
    void openOver(QDialog &dialog);

    // Handlers, named for their controls.
    void errorChanged();
    void errorClicked();
    void errorUp();
    void errorDown();
    void rhoChanged();
    void populationChanged();
    void confidenceLevelChanged();
    void special995Selected();
    void special997Selected();
    void proportionKnownSelected();
    void proportionUnknownSelected();
    void designEffectByValueSelected();
    void designEffectFromRhoSelected();
    void designEffectBoxChanged();
    void responseRateBoxChanged();
    void proportionBoxChanged();
    void populationBoxChanged();

    // Shared steps.
    void considerDesignEffect(bool considered);
    void setDesignEffectFontConsidered(bool considered);
    void setResponseRateFontConsidered(bool considered);
    void setProportionFontConsidered(bool considered);
    void setTileColors(QColor wholeLevel, QColor level995, QColor level997);

    SampleSizeParams &params();

    Application &m_application;
    // This window is the active one among the program's windows; message
    // boxes and other programs taking the focus do not change it.
    bool m_isActiveForm = false;
};
