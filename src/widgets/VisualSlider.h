#pragma once

#include <QPointer>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QSlider;
class QSpinBox;

// A title, a spin box and a slider that share one value; a dialog places its layout, not the
// object itself, which stays hidden and only keeps the two controls in step.
class VisualSlider : public QWidget
{
    Q_OBJECT

public:
    VisualSlider(const QString& title, int value, int min, int max, int labelWidth,
                 QWidget* parent = nullptr);
    ~VisualSlider() override;

    // The spin box's value.
    int get_value() const;
    // The label, the spin box and the slider, in that order.
    QHBoxLayout* layout() const;
    QSpinBox* spinBox() const { return spnBox; }
    QSlider* slider() const { return valueSlider; }

    // One wheel event moves the slider by exactly one, whatever its size.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void valueChanged(int value);

public slots:
    void sliderValueChanged(int value);
    void spnBoxValueChanged(int value);

private:
    QLabel* titleLabel = nullptr;
    QSpinBox* spnBox = nullptr;
    QSlider* valueSlider = nullptr;
    // Owned by whichever layout it is placed in; the grid may be gone before this object.
    QPointer<QHBoxLayout> boxLayout;
};
