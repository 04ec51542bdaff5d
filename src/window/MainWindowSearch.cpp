#include "MainWindow.h"

#include "AdviceBox.h"
#include "CatalogueQueries.h"
#include "SearchGrammar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSqlQuery>
#include <QTabWidget>

// The search field in the menu bar's corner and the sizes its grammar accepts.

bool MainWindow::loadSearchDiameters()
{
    QSqlQuery query = catalogueQuery(CatalogueQueries::searchDiameters);
    if (!execSql(query, QString()))
        return false;
    while (query.next())
        diameters.append(query.value(0).toString());
    return true;
}

void MainWindow::createSearch()
{
    auto* corner = new QWidget;
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->addWidget(new QLabel(tr("Search:")));
    searchEdit = new QLineEdit;
    searchEdit->setObjectName(QStringLiteral("searchEdit"));
    searchEdit->setMinimumWidth(200);
    layout->addWidget(searchEdit);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    connect(searchEdit, &QLineEdit::returnPressed, this, &MainWindow::searchInitiated);
}

QString MainWindow::getSearchQueryCondition()
{
    return SearchGrammar::condition(searchEdit->text(), diameters);
}

void MainWindow::searchInitiated()
{
    showConditionInsteadOfTree(getSearchQueryCondition(),
                               tr("“%1”", "Searched text").arg(searchEdit->text().trimmed()));
    tabWidget->setCurrentIndex(SelectionTab);
    adviceBox->advise(settings, QStringLiteral("MainWindow/ShowSearchAdvice"),
                      tr("You may filter search result using checkboxes at the top."));
}

void MainWindow::goToSearch()
{
    searchEdit->setFocus();
    searchEdit->selectAll();
    if (!searchEdit->text().trimmed().isEmpty())
        searchInitiated();
}
