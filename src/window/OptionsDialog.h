#pragma once

#include <QDialog>
#include <QVector>

class FanPlot;
class MainWindow;
class PlotOptions;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSettings;
class QSpinBox;
class VisualSlider;

// The modeless plot options: ticks and label digits per side, scale type and, in the expert
// view, curve labels and margins; every change reaches the plot at once.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // Reads the group "OptionsWindow" and applies it to the main window's plot without drawing;
    // the plot must exist already.
    OptionsDialog(MainWindow* mainWindow, const QSettings* settings, QWidget* parent = nullptr);

    // Writes the whole group "OptionsWindow" from the current state; opens and closes the group
    // itself, so call it with no group open.
    void saveSettings(QSettings* settings) const;
    // The options as the controls show them.
    PlotOptions options() const;

public slots:
    void scaleRBtoggled(bool checked);
    void showMarkersCHBtoggled(bool checked);
    void lMarginValueChanged(int value);
    void rMarginValueChanged(int value);
    void bMarginValueChanged(int value);
    void tMarginValueChanged(int value);
    void expertViewToggled();

private:
    QSpinBox* createMarginSpinBox(int value, const char* key);
    QPoint reachablePosition(const QSettings* settings) const;

    MainWindow* mainWindow = nullptr;
    FanPlot* plot = nullptr;
    bool expertView; // set by the constructor

    QWidget* expertArea = nullptr;
    QGridLayout* mainGrid = nullptr;
    QLabel* ticksHeader = nullptr;
    QLabel* digitsHeader = nullptr;

    QVector<VisualSlider*> tickSliders;
    QVector<VisualSlider*> digitSliders;

    QRadioButton* linearScaleRB = nullptr;
    QRadioButton* logScaleRB = nullptr;
    QCheckBox* showMarkersCHB = nullptr;

    QGroupBox* marginsBox = nullptr;
    QSpinBox* lMarginSpnBox = nullptr;
    QSpinBox* rMarginSpnBox = nullptr;
    QSpinBox* bMarginSpnBox = nullptr;
    QSpinBox* tMarginSpnBox = nullptr;

    QPushButton* expertButton = nullptr;
};
