#include "AdviceBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSettings>

// The box belongs to the main window, so its text is translated in that context.
AdviceBox::AdviceBox()
    : dontShowAgain(new QCheckBox(QCoreApplication::translate("MainWindow", "Don't show again")))
{
    setCheckBox(dontShowAgain);
}

void AdviceBox::advise(QSettings* settings, const QString& settingsKey, const QString& text)
{
    if (!settings->value(settingsKey, true).toBool())
        return;
    setText(text);
    exec();
    if (dontShowAgain->isChecked())
        settings->setValue(settingsKey, false);
}
