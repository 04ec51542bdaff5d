#include "VisualSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QWheelEvent>

VisualSlider::VisualSlider(const QString& title, int value, int min, int max, int labelWidth,
                           QWidget* parent)
    : QWidget(parent)
{
    // Only the layout is shown; an empty widget of its own would cover part of the dialog.
    hide();

    titleLabel = new QLabel(title, this);
    titleLabel->setMinimumWidth(labelWidth);

    // Value first, then the range, so that a stored value outside it is clamped into it.
    spnBox = new QSpinBox(this);
    spnBox->setValue(value);
    spnBox->setMinimum(min);
    spnBox->setMaximum(max);

    valueSlider = new QSlider(Qt::Horizontal, this);
    valueSlider->setValue(value);
    valueSlider->setMinimum(min);
    valueSlider->setMaximum(max);
    valueSlider->installEventFilter(this);

    boxLayout = new QHBoxLayout;
    boxLayout->addWidget(titleLabel);
    boxLayout->addWidget(spnBox);
    boxLayout->addWidget(valueSlider);

    connect(spnBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &VisualSlider::spnBoxValueChanged);
    connect(valueSlider, &QSlider::valueChanged, this, &VisualSlider::sliderValueChanged);
}

VisualSlider::~VisualSlider()
{
    if (boxLayout && !boxLayout->parent())
        delete boxLayout;
}

QHBoxLayout* VisualSlider::layout() const
{
    return boxLayout;
}

int VisualSlider::get_value() const
{
    return spnBox->value();
}

bool VisualSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    valueSlider->setValue(valueSlider->value() + (wheel->angleDelta().y() > 0 ? 1 : -1));
    return true;
}

void VisualSlider::sliderValueChanged(int value)
{
    {
        const QSignalBlocker blocker(spnBox);
        spnBox->setValue(value);
    }
    emit valueChanged(value);
}

void VisualSlider::spnBoxValueChanged(int value)
{
    {
        const QSignalBlocker blocker(valueSlider);
        valueSlider->setValue(value);
    }
    emit valueChanged(value);
}
