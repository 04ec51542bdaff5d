#include "MainWindow.h"

#include "ComparisonView.h"
#include "DataSheetView.h"
#include "DesktopLink.h"
#include "Exporter.h"
#include "FanPlot.h"
#include "OptionsDialog.h"
#include "ReportPrinter.h"
#include "ScreenPlacement.h"
#include "StartPage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDataStream>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>

// The frame: start page, tabs, menus, and the window state kept between runs.

namespace {

const QString windowStateKey = QStringLiteral("WindowState");
const QString geometryKey = QStringLiteral("Geometry");
const QString treeSplitterKey = QStringLiteral("TreeParamHorSplitterState");
const QString tableSplitterKey = QStringLiteral("TabsTableVerSplitterState");
const QString analysisGroup = QStringLiteral("Analysis");
const QString operatingPointsKey = QStringLiteral("OperatingPoints");
const QString efficiencyKey = QStringLiteral("Efficiency");

// QSplitter::restoreState trusts the size count it reads and reserves that much memory first;
// a damaged settings file could ask for gigabytes. A saved state lists one size per widget.
bool restoreSplitter(QSplitter* splitter, const QByteArray& state)
{
    QDataStream stream(state);
    // Each read sets its value, to zero when the stream runs out.
    qint32 marker;
    qint32 version;
    quint32 sizeCount;
    stream >> marker >> version >> sizeCount;
    if (stream.status() != QDataStream::Ok || sizeCount > quint32(splitter->count()))
        return false;
    return splitter->restoreState(state);
}

} // namespace

void MainWindow::createStartPage()
{
    QFont headingFont = font();
    headingFont.setPointSize(headingFontSize);
    headingFont.setWeight(QFont::Bold);
    startPage = new StartPage(headingFont);
    connect(startPage, &StartPage::fanChosen, this, &MainWindow::ssFanChosen);
}

void MainWindow::createTabs()
{
    tabWidget = new QTabWidget;
    treeParamSplitter = new QSplitter(Qt::Horizontal);
    treeParamSplitter->addWidget(fansTree);
    // The lists and the matching box scroll rather than hold the window wider than a small
    // screen or take the tree's share of a narrow window.
    auto* filterScroll = new QScrollArea;
    filterScroll->setWidget(filterBox);
    filterScroll->setWidgetResizable(true);
    filterScroll->setFrameShape(QFrame::NoFrame);
    treeParamSplitter->addWidget(filterScroll);
    tabWidget->addTab(treeParamSplitter, tr("Selection"));
    auto* plotPage = new QWidget;
    auto* plotLayout = new QVBoxLayout(plotPage);
    auto* switches = new QHBoxLayout;
    operatingPointsBox = new QCheckBox(tr("Operating points"));
    operatingPointsBox->setObjectName(QStringLiteral("OperatingPoints"));
    efficiencyBox = new QCheckBox(tr("Efficiency"));
    efficiencyBox->setObjectName(QStringLiteral("Efficiency"));
    settings->beginGroup(analysisGroup);
    operatingPointsBox->setChecked(settings->value(operatingPointsKey, false).toBool());
    efficiencyBox->setChecked(settings->value(efficiencyKey, false).toBool());
    settings->endGroup();
    plot->setShowOperatingPoints(operatingPointsBox->isChecked());
    plot->setShowEfficiency(efficiencyBox->isChecked());
    connect(operatingPointsBox, &QCheckBox::toggled, plot, [this](bool on) {
        plot->setShowOperatingPoints(on);
        plot->updatePlot();
    });
    connect(efficiencyBox, &QCheckBox::toggled, plot, [this](bool on) {
        plot->setShowEfficiency(on);
        plot->updatePlot();
    });
    switches->addWidget(operatingPointsBox);
    switches->addWidget(efficiencyBox);
    switches->addStretch();
    plotLayout->addLayout(switches);
    plotLayout->addWidget(plot);
    tabWidget->addTab(plotPage, tr("Plot"));
    tabWidget->addTab(comparison, tr("Comparison"));
    techInfoTabIndex = tabWidget->addTab(techInfoBrowser, tr("Tech info"));
    helpView = new QPlainTextEdit;
    helpView->setReadOnly(true);
    auto* helpPage = new QWidget;
    auto* helpLayout = new QHBoxLayout(helpPage);
    helpLayout->addWidget(helpView);
    tabWidget->addTab(helpPage, tr("Help"));
    connect(tabWidget, &QTabWidget::currentChanged, this, &MainWindow::showTechInfo);

    tabsTableSplitter = new QSplitter(Qt::Vertical);
    tabsTableSplitter->addWidget(tabWidget);
    tabsTableSplitter->addWidget(tableView);
    tabsTableSplitter->setSizes({450, 350});
    stackedWidget = new QStackedWidget(this);
    stackedWidget->addWidget(startPage);
    stackedWidget->addWidget(tabsTableSplitter);
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("&Unfold tree"), this, &MainWindow::unfoldFansTree);
    fileMenu->addAction(tr("&Fold tree"), this, &MainWindow::foldFansTree);
    QAction* search = fileMenu->addAction(tr("&Search"), this, &MainWindow::goToSearch);
    search->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL + Qt::Key_F)});
    fileMenu->addAction(tr("&Match by working point"), this, &MainWindow::matchByWorkingPoint);
    fileMenu->addAction(tr("&Options"), this, &MainWindow::openOptions,
                        QKeySequence(Qt::CTRL + Qt::Key_O));
    fileMenu->addAction(tr("&Print"), reportPrinter->choiceBox(), &QMessageBox::exec,
                        QKeySequence(Qt::CTRL + Qt::Key_P));
    exporter = new Exporter(plot, tableView, comparison->table(), this);
    exporter->addActions(fileMenu);
    fileMenu->addAction(tr("Select for a sc&hedule..."), this, &MainWindow::selectForSchedule);
    fileMenu->addAction(tr("&Exit"), this, &MainWindow::close);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(tr("&Help"), this, &MainWindow::help, QKeySequence(Qt::Key_F1));
    helpMenu->addAction(tr("&Change log"), this, &MainWindow::changeLog);
    helpMenu->addAction(tr("&About..."), this, &MainWindow::about);
}

void MainWindow::ssFanChosen(QString fanName)
{
    if (!startPage)
        return;
    stackedWidget->setCurrentIndex(1);
    // The stack lets the page go when it is deleted below. The click that brought us here is still
    // being delivered to a picture on the page, and the choice below may run a message box whose
    // event loop would delete the page under it.
    QWidget* leftPage = startPage;
    startPage = nullptr;

    const QString tableSplitterFullKey = QStringLiteral("MainWindow/") + tableSplitterKey;
    if (settings->contains(tableSplitterFullKey))
        restoreSplitter(tabsTableSplitter, settings->value(tableSplitterFullKey).toByteArray());

    QTreeWidgetItem* root = fansTree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        QTreeWidgetItem* child = root->child(i);
        if (child->text(0) == fanName) {
            expandTreeNode(child, true);
            fansTree->setCurrentItem(child);
            break;
        }
    }
    leftPage->deleteLater();
}

void MainWindow::openOptions()
{
    // Modeless: the plot follows every change while the user looks at it.
    optionsDialog->show();
    optionsDialog->raise();
    optionsDialog->activateWindow();
}

void MainWindow::help()
{
    tabWidget->setCurrentIndex(HelpTab);
}

void MainWindow::changeLog()
{
    // From the program folder: a desktop launcher starts us in the home folder.
    DesktopLink::open(this, QUrl::fromLocalFile(programFolder + changelogFileName));
}

void MainWindow::about()
{
    if (aboutText.isEmpty())
        aboutText = QStringList{titleText,
                                QString(),
                                tr("Vortel Ventilation Ltd."),
                                tr("Tel.: +7 (495) 123-45-67"),
                                tr("Tel.: +7 (800) 765-43-21"),
                                QStringLiteral("info@vortel.example")}
                        .join(QLatin1Char('\n'));
    QMessageBox::about(this, tr("About"), aboutText);
}

void MainWindow::warnIfSettingsNotKept()
{
    if (settings->isWritable())
        return;
    // A program installed into a folder the user may not write to still runs; it only forgets.
    // Standard error hears of it when the window closes and the saving fails.
    const QString file = QDir::toNativeSeparators(settings->fileName());
    auto* notice = new QLabel(tr("Settings will not be kept: %1 cannot be written.").arg(file));
    notice->setObjectName(QStringLiteral("SettingsNotKept"));
    statusBar()->addPermanentWidget(notice);
}

void MainWindow::restoreWindowState()
{
    settings->beginGroup(QStringLiteral("MainWindow"));
    // Only maximized and full screen come back: a run closed minimized must not start hidden.
    const uint savedState = settings->value(windowStateKey, uint(Qt::WindowMaximized)).toUInt();
    setWindowState(Qt::WindowStates(int(savedState)) &
                   (Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!(windowState() & Qt::WindowMaximized)) {
        const QRect fallback(200, 200, 800, 600);
        setGeometry(ScreenPlacement::windowGeometry(ScreenPlacement::availableScreens(),
                                                    settings->value(geometryKey, fallback).toRect(),
                                                    fallback));
    }
    // Without a saved state the tree gets 35 % once the splitter has its real width.
    treeSplitterDefaultPending =
        !settings->contains(treeSplitterKey) ||
        !restoreSplitter(treeParamSplitter, settings->value(treeSplitterKey).toByteArray());
    if (treeSplitterDefaultPending)
        treeParamSplitter->installEventFilter(this);
    settings->endGroup();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Installed only while the default is pending, and removed once it is set.
    if (watched == treeParamSplitter &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show) &&
        treeParamSplitter->isVisible()) {
        treeSplitterDefaultPending = false;
        treeParamSplitter->removeEventFilter(this);
        const int width = treeParamSplitter->width();
        const int tree = int(width * 0.35);
        treeParamSplitter->setSizes({tree, width - tree});
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A failed query during construction asks for a close; there is no state to save yet.
    if (!constructed) {
        event->ignore();
        return;
    }
    settings->beginGroup(QStringLiteral("MainWindow"));
    settings->setValue(windowStateKey, int(windowState()));
    settings->setValue(geometryKey, geometry());
    // Never shown, the splitter has no sizes of its own: a stored state is left as it is.
    if (!startPage || !settings->contains(tableSplitterKey))
        settings->setValue(tableSplitterKey, tabsTableSplitter->saveState());
    // A splitter never laid out has no sizes; an empty state makes the next run use the default.
    settings->setValue(treeSplitterKey,
                       treeSplitterDefaultPending ? QByteArray() : treeParamSplitter->saveState());
    saveMatchingValues();
    settings->endGroup();
    // Switches never used leave the settings file as it was without them.
    settings->beginGroup(analysisGroup);
    if (operatingPointsBox->isChecked() || efficiencyBox->isChecked() ||
        !settings->childKeys().isEmpty()) {
        settings->setValue(operatingPointsKey, operatingPointsBox->isChecked());
        settings->setValue(efficiencyKey, efficiencyBox->isChecked());
    }
    settings->endGroup();
    optionsDialog->saveSettings(settings);

    settings->sync();
    if (settings->status() != QSettings::NoError)
        std::fprintf(stderr, "Failed to save the settings to %s\n",
                     qPrintable(settings->fileName()));
    event->accept();
}
