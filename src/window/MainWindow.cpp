#include "MainWindow.h"

#include "AdviceBox.h"
#include "CatalogueQueries.h"
#include "ComparisonView.h"
#include "FanPlot.h"
#include "FanTableModel.h"
#include "MatchingWidget.h"
#include "OptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QSqlError>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <cstdio>

const QString MainWindow::fanTableBaseQuery = CatalogueQueries::fanTableBase();

MainWindow::MainWindow(const QString& programFolder, QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , productName(QStringLiteral("Vortel"))
    , titleText(productName + QLatin1Char(' ') + QStringLiteral(VORTEL_VERSION))
    , dbFileName(CatalogueQueries::catalogueFile)
    , settingsFileName(QStringLiteral("vortel.ini"))
    , helpResource(QStringLiteral(":/readme.txt"))
    , iconResource(QStringLiteral(":/logo.ico"))
    , changelogFileName(QStringLiteral("changelog.txt"))
    , programFolder(programFolder)
{
    if (!QFileInfo::exists(programFolder + dbFileName)) {
        QMessageBox::critical(this, QString(), tr("Database file %1 is absent.").arg(dbFileName),
                              QMessageBox::Ok);
        valid = false;
        return;
    }

    settings = new QSettings(programFolder + settingsFileName, QSettings::IniFormat, this);

    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(programFolder + dbFileName);
    // The catalogue is only ever read; a read-only connection makes that hold whatever happens.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    db.open();

    createTree();
    if (!valid)
        return;

    createStartPage();
    createFilters();
    createMatching();
    adviceBox = std::make_unique<AdviceBox>();
    createFanTable();
    plot = new FanPlot(this);
    optionsDialog = new OptionsDialog(this, settings, this);
    connect(plot, &FanPlot::workingPointChanged, matchingWidget, &MatchingWidget::setQPvalues);
    connect(plot, &FanPlot::matchRequested, this, &MainWindow::matchByWorkingPoint);
    connect(plot, &FanPlot::workingPointChanged, queryModel, &FanTableModel::setDuty);
    createComparison();
    createPrintChoice();
    createTechInfo();
    createTabs();

    if (QFileInfo::exists(helpResource)) {
        helpView->setPlainText(readWholeFile(helpResource));
    } else {
        QMessageBox::critical(this, QString(), tr("Error loading help!"), QMessageBox::Ok);
    }

    if (!loadSearchDiameters()) {
        valid = false;
        return;
    }
    createSearch();
    createMenus();

    setWindowIcon(QIcon(iconResource));
    setWindowTitle(titleText);
    setCentralWidget(stackedWidget);
    // There from the start, so that the first count does not shift the window's content.
    selectionStatus = new QLabel;
    selectionStatus->setObjectName(QStringLiteral("SelectionStatus"));
    statusBar()->addWidget(selectionStatus, 1);
    restoreWindowState();
    warnIfSettingsNotKept();
    constructed = true;
}

MainWindow::~MainWindow()
{
    // Removing the connection closes it, once this last handle on it is gone; closing finalises
    // the statements that the comparison's query still holds.
    if (db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    }
}

bool MainWindow::execSql(QSqlQuery& query, QString errorMessage)
{
    // The rest of an action whose query ended the run is not worth a busy wait on a locked file.
    if (runEnded)
        return false;
    // A statement that failed to prepare already holds the driver's reason; running it anyway
    // would replace that with "No query".
    if (!query.lastError().isValid() && query.exec())
        return true;

    const QString diagnostic = CatalogueQueries::failure(query);
    // Standard error is unbuffered: the line is out before any box shows.
    std::fprintf(stderr, "%s\n", diagnostic.toUtf8().constData());

    // One box ends the run; the queries of the same action that still follow are not run (see
    // above). Before construction has finished the close is refused and the start goes on.
    if (!errorMessage.isEmpty()) {
        // A long action's wait cursor must not hang over the box.
        const bool busy = QApplication::overrideCursor();
        if (busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        QMessageBox::critical(this, QString(), errorMessage, QMessageBox::Ok);
        if (busy)
            QApplication::restoreOverrideCursor();
        runEnded = constructed;
        close();
    }
    return false;
}

QSqlQuery MainWindow::catalogueQuery(const QString& sql) const
{
    QSqlQuery query(db);
    query.prepare(sql);
    return query;
}

QString MainWindow::readWholeFile(QString fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    file.close();
    // Decoding stops at the first zero byte, as a C string would.
    return QString::fromUtf8(bytes.constData(),
                             int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}
