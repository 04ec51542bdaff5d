#pragma once

#include <QMessageBox>

class QCheckBox;
class QSettings;

// The one advice box with a "Don't show again" check box, shown after a search and after a match.
// Its check box keeps its state from one showing to the next.
class AdviceBox : public QMessageBox
{
    Q_OBJECT

public:
    AdviceBox();

    // Shows `text` modally unless `settingsKey` (default true) says not to; a ticked check box
    // writes false under that key.
    void advise(QSettings* settings, const QString& settingsKey, const QString& text);

private:
    QCheckBox* dontShowAgain;
};
