#pragma once

#include <QItemSelection>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <memory>

class AdviceBox;
class ComparisonView;
class DataSheetView;
class QUrl;
class Exporter;
class ReportPrinter;
class ScheduleDialog;
class StartPage;
class FanParameter;
class FanSortProxy;
class FanTableModel;
class FanPlot;
class MatchingWidget;
class OptionsDialog;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QPlainTextEdit;
class QSettings;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

// The catalogue window: class tree, filters, search, fan table and the plot of the chosen fans.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const QString& programFolder, QWidget* parent = nullptr,
               Qt::WindowFlags flags = Qt::WindowFlags());
    ~MainWindow() override;

    bool isValid() const { return valid; }
    // The plot of the chosen fans, for the options dialog that sets it up.
    FanPlot* fanPlot() const { return plot; }

    // The fan table query up to and including WHERE; a condition is appended to it.
    static const QString fanTableBaseQuery;

    bool execSql(QSqlQuery& query, QString errorMessage);
    // The whole UTF-8 text of a file, up to its first zero byte; empty when it cannot be read.
    static QString readWholeFile(QString fileName);

    void updateCmpTable();
    // The description link of a catalogue PDF name; empty for no usable name.
    QString pdfFullNameLink(QString name);
    void getTechInfoModels(QSqlQuery& query);
    QString getTechInfoByModel(QString model, int id);

public slots:
    void matchByWorkingPoint();
    void treeItemSelectionChanged();
    void paramsItemChangedDiameter(QListWidgetItem* item);
    void paramsItemChangedSpeed(QListWidgetItem* item);
    void paramsItemChangedPower(QListWidgetItem* item);
    void paramsItemChangedMaterial(QListWidgetItem* item);
    void paramsItemChangedNominal(QListWidgetItem* item);
    void paramsItemChangedTemperature(QListWidgetItem* item);
    void tableSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void cmpTableContextMenuRequested(const QPoint& pos);
    void cmpRemoveFromComparison();
    void ssFanChosen(QString fanName);
    void showTechInfo(int tabIndex);
    void techInfoPdfUrlClicked(const QUrl& link);
    void matchButtonClicked();
    void goToSearch();
    void searchInitiated();
    QString getSearchQueryCondition();
    void foldFansTree();
    void unfoldFansTree();
    void openOptions();
    void printPressed();
    void help();
    void changeLog();
    void about();
    void selectForSchedule();
    // The fans ranked for the schedule in the file, in a dialog of their own; a box and none
    // when the file or the catalogue cannot be used.
    ScheduleDialog* openSchedule(const QString& fileName);
    // Lists, plots and compares these fans, with the duty as the working point.
    void showScheduleFans(const QStringList& ids, double q, double p20);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests read the selection state through this one door; the program never uses it.
    friend struct MainWindowProbe;

    enum TabIndex { SelectionTab = 0, PlotTab, ComparisonTab, TechInfoTab, HelpTab };

    // Catalogue: the class tree and the fan table.
    bool loadTree(QTreeWidgetItem* root);
    void getFanLeftRightValues(QTreeWidgetItem* item, int& left, int& right);
    void expandTreeNode(QTreeWidgetItem* item, bool expand);
    // Lists the fans of a search or a match: the condition replaces the chosen tree node.
    // `subject` tells the user what was looked for when nothing is found.
    void showConditionInsteadOfTree(const QString& condition, const QString& subject);
    void updateUI(QString query, bool keepParams);
    // The status bar's count of the fans listed, or what found none.
    void showSelectionStatus();
    // A settings file that cannot be written is said once at start, not only when closing.
    void warnIfSettingsNotKept();

    // Filters.
    void updateParams();
    void paramsItemChanged(FanParameter* param, QListWidgetItem* item);
    void updateParamsCheckStates(FanParameter* changed, bool checked);
    // Each list's condition on the values checked in it, in list order.
    QStringList filterSelections() const;

    void createTree();
    void createStartPage();
    void createFilters();
    void createMatching();
    void saveMatchingValues();
    void createComparison();
    void createPrintChoice();
    void createTechInfo();
    // The printed table of the selected fans: the fan table's visible columns.
    QString printedTable() const;
    void createFanTable();
    void createTabs();
    void createSearch();
    void createMenus();
    void restoreWindowState();
    bool loadSearchDiameters();
    // A query on the catalogue connection, prepared but not yet run.
    QSqlQuery catalogueQuery(const QString& sql) const;

    // Environment.
    bool valid = true;
    bool constructed = false;
    // A failed query has told the user and closed the window.
    bool runEnded = false;
    const QString productName;
    const QString titleText;
    const QString dbFileName;
    const QString settingsFileName;
    const QString helpResource;
    const QString iconResource;
    const QString changelogFileName;
    const QString programFolder;
    QSettings* settings = nullptr;
    QSqlDatabase db;
    QString baseCondition;
    // What the current list was chosen by: a tree node, a search text, a duty or the filter.
    QString selectionSubject;
    // The status bar's line about it; a widget of the bar, so menus' tips pass over it.
    QLabel* selectionStatus = nullptr;

    // Class tree.
    QTreeWidget* fansTree = nullptr;

    // Filters.
    QGroupBox* filterBox = nullptr;
    QList<FanParameter*> params;
    FanParameter* diameterParam = nullptr;
    FanParameter* speedParam = nullptr;
    FanParameter* powerParam = nullptr;
    FanParameter* materialParam = nullptr;
    FanParameter* nominalParam = nullptr;
    FanParameter* temperatureParam = nullptr;

    // Fan table and the fans chosen in it.
    FanTableModel* queryModel = nullptr;
    FanSortProxy* sortProxy = nullptr;
    QTableView* tableView = nullptr;
    QStringList headerLabels;
    QStringList cmpFanIds;

    // Comparison.
    ComparisonView* comparison = nullptr;

    // Technical information.
    DataSheetView* techInfoBrowser = nullptr;
    int techInfoTabIndex = TechInfoTab;

    // Printing and exports.
    ReportPrinter* reportPrinter = nullptr;
    Exporter* exporter = nullptr;
    // Where the last schedule was opened from.
    QString scheduleFolder;

    FanPlot* plot = nullptr;
    MatchingWidget* matchingWidget = nullptr;
    OptionsDialog* optionsDialog = nullptr;

    // Frame.
    QStackedWidget* stackedWidget = nullptr;
    // Destroyed when the user leaves it for the working page.
    StartPage* startPage = nullptr;
    const int headingFontSize = 20;
    QString aboutText;
    bool treeSplitterDefaultPending; // set by restoreWindowState() before anything reads it
    QTabWidget* tabWidget = nullptr;
    QSplitter* treeParamSplitter = nullptr;
    QSplitter* tabsTableSplitter = nullptr;
    QPlainTextEdit* helpView = nullptr;
    // The plot's analysis switches, kept in the "Analysis" settings group.
    QCheckBox* operatingPointsBox = nullptr;
    QCheckBox* efficiencyBox = nullptr;

    // Search.
    QLineEdit* searchEdit = nullptr;
    QStringList diameters;
    // Shared by the search and the match.
    std::unique_ptr<AdviceBox> adviceBox;
};
