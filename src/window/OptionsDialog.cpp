#include "OptionsDialog.h"

#include "FanPlot.h"
#include "MainWindow.h"
#include "PlotOptions.h"
#include "PlotSideSettings.h"
#include "ScreenPlacement.h"
#include "VisualSlider.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpacerItem>
#include <QSpinBox>

#include <algorithm>

namespace {

const QPoint defaultOffset(50, 50);

} // namespace

OptionsDialog::OptionsDialog(MainWindow* mainWindow, const QSettings* settings, QWidget* parent)
    : QDialog(parent), mainWindow(mainWindow)
{
    plot = mainWindow->fanPlot();
    PlotOptions options;
    options.load(*settings);

    // Every value is set before its signal is connected, so building triggers no reaction.
    ticksHeader = new QLabel(tr("Tick count", "Plot options"), this);
    digitsHeader = new QLabel(tr("Meaning digits", "Plot options"), this);
    linearScaleRB = new QRadioButton(tr("Linear scale", "Plot options"), this);
    logScaleRB = new QRadioButton(tr("Logarithmic scale", "Plot options"), this);
    linearScaleRB->setObjectName(QStringLiteral("LinearScale"));
    logScaleRB->setObjectName(QStringLiteral("LogarithmicScale"));
    logScaleRB->setChecked(options.logarithmicScale);
    linearScaleRB->setChecked(!options.logarithmicScale);
    // Switching to linear unchecks the logarithmic button: one signal covers both.
    connect(logScaleRB, &QRadioButton::toggled, this, &OptionsDialog::scaleRBtoggled);

    showMarkersCHB = new QCheckBox(tr("Show markers", "Plot options"), this);
    showMarkersCHB->setObjectName(QStringLiteral("ShowMarkers"));
    showMarkersCHB->setChecked(options.showMarkers);
    connect(showMarkersCHB, &QCheckBox::toggled, this, &OptionsDialog::showMarkersCHBtoggled);

    const QString titles[PlotOptions::SideCount] = {
        tr("Bottom:", "Plot options"), tr("Top:", "Plot options"), tr("Left:", "Plot options"),
        tr("Right:", "Plot options")};
    // One label width for all tick sliders, so that the four line up.
    const QFontMetrics metrics(ticksHeader->font());
    int labelWidth = 0;
    for (const QString& title : titles)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(title));

    for (int side = 0; side < PlotOptions::SideCount; ++side) {
        const QString name = PlotOptions::sideName(side);
        auto* tickSlider =
            new VisualSlider(titles[side], options.ticksCount[side], PlotOptions::minTicksCount,
                             PlotOptions::maxTicksCount, labelWidth, this);
        tickSlider->setObjectName(name + QStringLiteral("TicksCount"));
        auto* digitSlider =
            new VisualSlider(QString(), options.meaningDigits[side], PlotOptions::minMeaningDigits,
                             PlotOptions::maxMeaningDigits, 0, this);
        digitSlider->setObjectName(name + QStringLiteral("MeaningDigits"));
        auto* relay = new PlotSideSettings(plot, QwtPlot::Axis(PlotOptions::sideAxis(side)),
                                           digitSlider->get_value(), this);
        connect(tickSlider, &VisualSlider::valueChanged, relay, &PlotSideSettings::scaleDivChanged);
        connect(digitSlider, &VisualSlider::valueChanged, relay,
                &PlotSideSettings::meanDigitsChanged);
        tickSliders.append(tickSlider);
        digitSliders.append(digitSlider);
    }

    marginsBox = new QGroupBox(tr("Margins", "Plot options"), this);
    auto* marginsGrid = new QGridLayout(marginsBox);
    lMarginSpnBox = createMarginSpinBox(options.margins[PlotOptions::LeftMargin], "LMargin");
    rMarginSpnBox = createMarginSpinBox(options.margins[PlotOptions::RightMargin], "RMargin");
    bMarginSpnBox = createMarginSpinBox(options.margins[PlotOptions::BottomMargin], "BMargin");
    tMarginSpnBox = createMarginSpinBox(options.margins[PlotOptions::TopMargin], "TMargin");
    marginsGrid->addWidget(new QLabel(tr("Left:", "Plot options"), marginsBox), 0, 0);
    marginsGrid->addWidget(lMarginSpnBox, 0, 1);
    marginsGrid->addWidget(new QLabel(tr("Right:", "Plot options"), marginsBox), 0, 2);
    marginsGrid->addWidget(rMarginSpnBox, 0, 3);
    marginsGrid->addWidget(new QLabel(tr("Bottom:", "Plot options"), marginsBox), 1, 0);
    marginsGrid->addWidget(bMarginSpnBox, 1, 1);
    marginsGrid->addWidget(new QLabel(tr("Top:", "Plot options"), marginsBox), 1, 2);
    marginsGrid->addWidget(tMarginSpnBox, 1, 3);
    connect(lMarginSpnBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &OptionsDialog::lMarginValueChanged);
    connect(rMarginSpnBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &OptionsDialog::rMarginValueChanged);
    connect(bMarginSpnBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &OptionsDialog::bMarginValueChanged);
    connect(tMarginSpnBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &OptionsDialog::tMarginValueChanged);

    expertButton = new QPushButton(this);
    expertButton->setObjectName(QStringLiteral("ExpertView"));
    connect(expertButton, &QPushButton::clicked, this, &OptionsDialog::expertViewToggled);

    mainGrid = new QGridLayout(this);
    mainGrid->addWidget(ticksHeader, 0, 0);
    mainGrid->addWidget(digitsHeader, 0, 1);
    mainGrid->addItem(new QSpacerItem(1, 10), 1, 0, 1, 2);
    for (int side = 0; side < PlotOptions::SideCount; ++side) {
        // The sliders' own widgets join the dialog through their layouts.
        mainGrid->addLayout(tickSliders.at(side)->layout(), side + 2, 0);
        mainGrid->addLayout(digitSliders.at(side)->layout(), side + 2, 1);
    }
    mainGrid->addWidget(linearScaleRB, 6, 0);
    mainGrid->addWidget(logScaleRB, 7, 0);
    expertArea = new QWidget(this);
    auto* expertGrid = new QGridLayout(expertArea);
    expertGrid->setContentsMargins(QMargins());
    expertGrid->addWidget(showMarkersCHB, 0, 0);
    expertGrid->addWidget(marginsBox, 1, 0);
    mainGrid->addWidget(expertArea, 8, 0, 1, 2);
    mainGrid->addWidget(expertButton, 9, 1);
    // Esc is not the only way out; the button's text is the toolkit's own.
    auto* closeButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    closeButtons->setObjectName(QStringLiteral("CloseButtons"));
    connect(closeButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    mainGrid->addWidget(closeButtons, 10, 0, 1, 2);

    // Flipped back by the toggle, which also shows or hides the expert part.
    expertView =
        !settings->value(PlotOptions::readKey(QStringLiteral("ExpertView")), false).toBool();
    expertViewToggled();

    setWindowTitle(tr("Plot options", "Plot options"));
    move(reachablePosition(settings));

    plot->setOptions(options);
}

QSpinBox* OptionsDialog::createMarginSpinBox(int value, const char* key)
{
    auto* spinBox = new QSpinBox(marginsBox);
    spinBox->setObjectName(QLatin1String(key));
    spinBox->setMaximum(PlotOptions::maxMargin);
    spinBox->setSuffix(tr(" %", "Plot options"));
    spinBox->setValue(value);
    return spinBox;
}

QPoint OptionsDialog::reachablePosition(const QSettings* settings) const
{
    // A position saved on a screen that is gone would leave the dialog out of reach.
    const QPoint defaultPosition = mainWindow->pos() + defaultOffset;
    const QPoint saved =
        settings->value(PlotOptions::readKey(QStringLiteral("Position")), defaultPosition)
            .toPoint();
    return ScreenPlacement::dialogPosition(ScreenPlacement::availableScreens(), saved,
                                           defaultPosition, defaultOffset);
}

PlotOptions OptionsDialog::options() const
{
    PlotOptions options;
    for (int side = 0; side < PlotOptions::SideCount; ++side) {
        options.ticksCount[side] = tickSliders.at(side)->get_value();
        options.meaningDigits[side] = digitSliders.at(side)->get_value();
    }
    options.logarithmicScale = logScaleRB->isChecked();
    options.showMarkers = showMarkersCHB->isChecked();
    options.margins = {lMarginSpnBox->value(), rMarginSpnBox->value(), bMarginSpnBox->value(),
                       tMarginSpnBox->value()};
    return options;
}

void OptionsDialog::saveSettings(QSettings* settings) const
{
    settings->beginGroup(QStringLiteral("OptionsWindow"));
    settings->setValue(QStringLiteral("Position"), pos());
    settings->setValue(QStringLiteral("ExpertView"), expertView);
    settings->endGroup();
    options().save(*settings);
}

void OptionsDialog::scaleRBtoggled(bool checked)
{
    plot->setLogScale(checked);
    plot->updatePlot();
}

void OptionsDialog::showMarkersCHBtoggled(bool checked)
{
    plot->setShowMarkers(checked);
    plot->updatePlot();
}

void OptionsDialog::lMarginValueChanged(int value)
{
    plot->setLeftMargin(value / 100.0);
    plot->updatePlot();
}

void OptionsDialog::rMarginValueChanged(int value)
{
    plot->setRightMargin(value / 100.0);
    plot->updatePlot();
}

void OptionsDialog::bMarginValueChanged(int value)
{
    plot->setBottomMargin(value / 100.0);
    plot->updatePlot();
}

void OptionsDialog::tMarginValueChanged(int value)
{
    plot->setTopMargin(value / 100.0);
    plot->updatePlot();
}

void OptionsDialog::expertViewToggled()
{
    expertView = !expertView;
    if (expertView) {
        expertButton->setText(tr("Show simple mode", "Plot options"));
        expertArea->show();
    } else {
        expertButton->setText(tr("Show expert mode", "Plot options"));
        expertArea->hide();
    }
    adjustSize();
}
