#pragma once

#include <QTextBrowser>

#include <functional>

// The "Tech info" page: the data sheet of the one model the selected fans belong to, an advice
// when they belong to several, nothing when none is selected. Links go to the window.
class DataSheetView : public QTextBrowser
{
    Q_OBJECT

public:
    DataSheetView(const QString& programFolder, QWidget* parent = nullptr);

    // Shows what suits the models of the selected fans (only the first two are looked at);
    // `page` builds the sheet of one model, and is not asked again while that model is shown.
    void showModels(const QStringList& models, const std::function<QString(const QString&)>& page);

private:
    // The model whose sheet is shown; empty when the page shows anything else.
    QString lastModel;
};
