#include "MainWindow.h"

#include "CatalogueQueries.h"
#include "FanCalculator.h"
#include "FanParameter.h"
#include "FanPlot.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

// Class tree, filters, fan table and search: the ways an engineer chooses fans.

QSqlQuery MainWindow::catalogueQuery(const QString& sql) const
{
    QSqlQuery query(db);
    query.prepare(sql);
    return query;
}

void MainWindow::createTree()
{
    fansTree = new QTreeWidget(this);
    fansTree->setHeaderHidden(true);
    fansTree->setColumnCount(1);
    fansTree->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* root = new QTreeWidgetItem;
    if (!loadTree(root)) {
        delete root;
        QMessageBox::critical(this, QString(), tr("Error loading fan tree!"), QMessageBox::Ok);
        valid = false;
        return;
    }
    fansTree->addTopLevelItem(root);
    fansTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    root->setExpanded(true);
    connect(fansTree, &QTreeWidget::itemSelectionChanged, this,
            &MainWindow::treeItemSelectionChanged);
}

bool MainWindow::loadTree(QTreeWidgetItem* root)
{
    QSqlQuery query = catalogueQuery(CatalogueQueries::tree);
    if (!execSql(query, tr("Error loading tree data!")))
        return false;
    if (!query.next())
        return true;

    root->setText(0, query.value(1).toString());
    for (int column = 0; column < 3; ++column)
        root->setData(column, Qt::UserRole, query.value(column == 0 ? 0 : column + 1));

    QList<QTreeWidgetItem*> stack{root};
    int previousLevel = -1;
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    while (query.next()) {
        const int level = query.value(4).toInt();
        // A level that jumps back closes every level it leaves.
        for (int l = level; l <= previousLevel && stack.size() > 1; ++l)
            stack.removeLast();
        auto* item = new QTreeWidgetItem(stack.last());
        item->setText(0, query.value(1).toString());
        for (int column = 0; column < 3; ++column)
            item->setData(column, Qt::UserRole, query.value(column == 0 ? 0 : column + 1).toInt());
        if (level == 2)
            item->setFont(0, bold);
        stack.append(item);
        previousLevel = level;
    }
    return true;
}

void MainWindow::getFanLeftRightValues(QTreeWidgetItem* item, int& left, int& right)
{
    left = item->data(1, Qt::UserRole).toInt();
    right = item->data(2, Qt::UserRole).toInt();
}

void MainWindow::expandTreeNode(QTreeWidgetItem* item, bool expand)
{
    item->setExpanded(expand);
    for (int i = item->childCount() - 1; i >= 0; --i)
        expandTreeNode(item->child(i), expand);
}

void MainWindow::treeItemSelectionChanged()
{
    QTreeWidgetItem* item = fansTree->currentItem();
    if (!item)
        return;
    int left = 0;
    int right = 0;
    getFanLeftRightValues(item, left, right);
    baseCondition = CatalogueQueries::treeNodeCondition(left, right);
    updateUI(fanTableBaseQuery + baseCondition, false);
}

void MainWindow::unfoldFansTree()
{
    if (fansTree->topLevelItemCount() > 0)
        expandTreeNode(fansTree->topLevelItem(0), true);
}

void MainWindow::foldFansTree()
{
    if (fansTree->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* root = fansTree->topLevelItem(0);
    expandTreeNode(root, false);
    root->setExpanded(true);
}

// Filters

void MainWindow::createFilters()
{
    struct FilterColumn
    {
        FanParameter** member;
        QString title;
        const char* column;
        int dataType;
        void (MainWindow::*slot)(QListWidgetItem*);
    };
    const FilterColumn filters[] = {
        {&diameterParam, tr("Diameter", "Fan Parameter"), "f.diameter", QVariant::Double,
         &MainWindow::paramsItemChangedDiameter},
        {&speedParam, tr("Speed", "Fan Parameter"), "e.speed", QVariant::Int,
         &MainWindow::paramsItemChangedSpeed},
        {&powerParam, tr("Power", "Fan Parameter"), "e.power", QVariant::Double,
         &MainWindow::paramsItemChangedPower},
        {&materialParam, tr("Material", "Fan Parameter"), "mat.material", QVariant::String,
         &MainWindow::paramsItemChangedMaterial},
        {&nominalParam, tr("Nominal", "Fan Parameter"), "f.nominal", QVariant::Double,
         &MainWindow::paramsItemChangedNominal},
        {&temperatureParam, tr("Temperature", "Fan Parameter"), "mat.temperature", QVariant::Int,
         &MainWindow::paramsItemChangedTemperature},
    };

    filterBox = new QGroupBox(tr("Filter", "Selection parameters"));
    auto* filterLayout = new QVBoxLayout(filterBox);
    auto* paramsRow = new QHBoxLayout;
    filterLayout->addLayout(paramsRow);
    for (const FilterColumn& filter : filters) {
        const QString column = QLatin1String(filter.column);
        auto* param = new FanParameter(filter.title, CatalogueQueries::filterValues(column),
                                       QStringLiteral(" AND %1 IN ").arg(column), filter.dataType);
        param->setParent(this);
        *filter.member = param;
        params.append(param);
        paramsRow->addLayout(param->layout(), 0);
        connect(param->listWidget(), &QListWidget::itemChanged, this, filter.slot);
    }
}

void MainWindow::updateParams()
{
    for (FanParameter* param : qAsConst(params)) {
        QSqlQuery query = catalogueQuery(param->getAccessQuery().arg(baseCondition));
        execSql(query, tr("Error loading parameters data!"));
        param->fillWithData(query);
    }
}

void MainWindow::paramsItemChanged(FanParameter* param, QListWidgetItem* item)
{
    QString query = fanTableBaseQuery + baseCondition;
    for (const FanParameter* p : qAsConst(params))
        query += p->getSelectionCond();
    updateUI(query, true);
    updateParamsCheckStates(param, item->checkState() == Qt::Checked);
}

void MainWindow::updateParamsCheckStates(FanParameter* changed, bool checked)
{
    // A check may bring values back anywhere; an uncheck keeps only what all choices still allow.
    QString extra;
    if (checked) {
        extra = changed->getSelectionCond();
    } else {
        for (const FanParameter* p : qAsConst(params))
            extra += p->getSelectionCond();
    }
    for (FanParameter* param : qAsConst(params)) {
        if (param == changed)
            continue;
        QSqlQuery query = catalogueQuery(param->getAccessQuery().arg(baseCondition + extra));
        execSql(query, tr("Error loading parameters check states data!"));
        param->setCheckStates(query);
    }
}

void MainWindow::paramsItemChangedDiameter(QListWidgetItem* item)
{
    paramsItemChanged(diameterParam, item);
}

void MainWindow::paramsItemChangedSpeed(QListWidgetItem* item)
{
    paramsItemChanged(speedParam, item);
}

void MainWindow::paramsItemChangedPower(QListWidgetItem* item)
{
    paramsItemChanged(powerParam, item);
}

void MainWindow::paramsItemChangedMaterial(QListWidgetItem* item)
{
    paramsItemChanged(materialParam, item);
}

void MainWindow::paramsItemChangedNominal(QListWidgetItem* item)
{
    paramsItemChanged(nominalParam, item);
}

void MainWindow::paramsItemChangedTemperature(QListWidgetItem* item)
{
    paramsItemChanged(temperatureParam, item);
}

// Fan table

void MainWindow::createFanTable()
{
    queryModel = new QSqlQueryModel(this);
    sortProxy = new QSortFilterProxyModel(this);
    sortProxy->setSourceModel(queryModel);

    tableView = new QTableView;
    tableView->setModel(sortProxy);
    tableView->setSelectionMode(QAbstractItemView::MultiSelection);
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->setWordWrap(false);
    // Row numbers of the unsorted result mean nothing to the user once the rows are sorted.
    tableView->verticalHeader()->hide();
    tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tableView->horizontalHeader()->setSortIndicator(CatalogueQueries::FanId, Qt::DescendingOrder);
    tableView->setSortingEnabled(true);
    connect(tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::tableSelectionChanged);

    headerLabels = QStringList{tr("Model", "Fan Table"),          tr("Diameter, dm", "Fan Table"),
                               tr("Nominal", "Fan Table"),        tr("Material", "Fan Table"),
                               tr("Scheme", "Fan Table"),         tr("Power, KW", "Fan Table"),
                               tr("Speed, rev/min", "Fan Table"), tr("Revs, rev/min", "Fan Table"),
                               tr("Q, m³/h", "Fan Table"),        tr("P, Pa", "Fan Table")};
}

void MainWindow::updateUI(QString query, bool keepParams)
{
    plot->clearPlot();

    QSqlQuery fanQuery = catalogueQuery(query);
    execSql(fanQuery, tr("Error showing fan table!"));
    queryModel->setQuery(fanQuery);
    // Sorting by a header must cover the whole result, not the first fetched rows.
    while (queryModel->canFetchMore())
        queryModel->fetchMore();

    for (int column = 0; column < CatalogueQueries::FanModel; ++column)
        tableView->hideColumn(column);
    for (int i = 0; i < headerLabels.size(); ++i)
        queryModel->setHeaderData(CatalogueQueries::FanModel + i, Qt::Horizontal,
                                  headerLabels.at(i));

    if (!keepParams)
        updateParams();
    cmpFanIds.clear();
    techInfoStale = true;
}

// Points per characteristic curve.
constexpr int samplingSteps = 32;

void MainWindow::tableSelectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected)
{
    using namespace CatalogueQueries;
    for (const QModelIndex& index : selected.indexes()) {
        if (index.column() != 0)
            continue;
        const int row = index.row();
        auto value = [this, row](int column) {
            return sortProxy->index(row, column).data();
        };

        const QString id = value(FanId).toString();
        if (!cmpFanIds.contains(id))
            cmpFanIds.append(id);
        QVector<double> psi;
        QVector<double> lambda;
        for (int i = 0; i < coefficientCount; ++i) {
            psi.append(value(FanA1 + i).toDouble());
            lambda.append(value(FanB1 + i).toDouble());
        }
        FanCalculator fan(value(FanModel).toString(), value(FanClass).toString(), psi, lambda,
                          value(FanB).toDouble(), value(FanC).toDouble(),
                          value(FanDiameter).toDouble() / 10.0, value(FanRev).toInt(),
                          value(FanPower).toDouble(), value(FanTemperature).toInt(),
                          value(FanNominal).toDouble(), value(FanSpeed).toInt(),
                          value(FanRealSpeed).toDouble(), value(FanPhiMin).toDouble(),
                          value(FanPhiMax).toDouble(), value(FanId).toInt(), true, samplingSteps);
        plot->addFan(fan);
    }
    for (const QModelIndex& index : deselected.indexes()) {
        if (index.column() != 0)
            continue;
        const QVariant id = sortProxy->index(index.row(), FanId).data();
        cmpFanIds.removeOne(id.toString());
        plot->removeFan(id.toInt());
    }
    techInfoStale = true;
    plot->updatePlot();

    if (deselected.isEmpty() && tabWidget->currentIndex() == SelectionTab)
        tabWidget->setCurrentIndex(PlotTab);
    else if (!tableView->selectionModel()->hasSelection())
        tabWidget->setCurrentIndex(SelectionTab);
}

// Search

void MainWindow::createAdviceBox()
{
    adviceBox = std::make_unique<QMessageBox>();
    adviceCheckBox = new QCheckBox(tr("Don't show again"));
    adviceBox->setCheckBox(adviceCheckBox);
}

void MainWindow::showAdvice(const QString& settingsKey, const QString& text)
{
    if (!settings->value(settingsKey, true).toBool())
        return;
    adviceBox->setText(text);
    adviceBox->exec();
    if (adviceCheckBox->isChecked())
        settings->setValue(settingsKey, false);
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
    searchEdit->setClearButtonEnabled(true);
    layout->addWidget(searchEdit);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    connect(searchEdit, &QLineEdit::returnPressed, this, &MainWindow::searchInitiated);
}

QString MainWindow::getSearchQueryCondition()
{
    static const QString model = QStringLiteral("(?!\\d)(?:\\w|\\(|\\)|=)+?(?:-\\d+)*?");
    static const QString diameter = QStringLiteral("\\d+(?:[.,]\\d+)?");
    static const QString material = QStringLiteral("\\w+");
    static const QString className = QStringLiteral("\\w(?:\\w|\\s)*");
    const auto options =
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;
    static const QRegularExpression full(
        QStringLiteral("^(") + model + QStringLiteral(")?(?:[- ]?(") + diameter +
            QStringLiteral(")(?:(") + material + QStringLiteral(")(?:\\s+(") + className +
            QStringLiteral("))?)?)?$"),
        options);
    static const QRegularExpression modelOnly(QStringLiteral("^(") + model + QStringLiteral(")$"),
                                              options);
    static const QRegularExpression scheme(QStringLiteral("^\\s*сх(?:ема)?\\s*(\\d)\\s*$"),
                                           options);

    const QString text = searchEdit->text().trimmed();
    for (const QRegularExpression* pattern : {&full, &modelOnly}) {
        const QRegularExpressionMatch match = pattern->match(text);
        if (!match.hasMatch())
            continue;
        QStringList clauses;
        const QString modelText = match.captured(1);
        if (!modelText.isEmpty())
            clauses.append(QStringLiteral("mod.model LIKE '") + modelText.toUpper() +
                           QStringLiteral("%' \n"));
        QString number = match.captured(2);
        if (!number.isEmpty()) {
            number.replace(QLatin1Char(','), QLatin1Char('.'));
            // A number that is no catalogue size may still be part of a model name.
            if (!diameters.contains(number))
                continue;
            clauses.append(QStringLiteral("f.diameter = '") + number + QStringLiteral("' \n"));
        }
        const QString materialText = match.captured(3);
        if (!materialText.isEmpty())
            clauses.append(QStringLiteral("mat.material = '") + materialText.toUpper() +
                           QStringLiteral("' \n"));
        const QString classText = match.captured(4);
        if (!classText.isEmpty()) {
            const QRegularExpressionMatch schemeMatch = scheme.match(classText);
            if (schemeMatch.hasMatch())
                clauses.append(QStringLiteral("cl.class = 'Схема ") + schemeMatch.captured(1) +
                               QStringLiteral("' \n"));
            else
                clauses.append(QStringLiteral("cl.class LIKE '") + classText.left(1).toUpper() +
                               classText.mid(1).toLower() + QStringLiteral("%' \n"));
        }
        if (clauses.isEmpty())
            break;
        return clauses.join(QStringLiteral(" AND "));
    }
    return QStringLiteral("1 = 0");
}

void MainWindow::searchInitiated()
{
    baseCondition = getSearchQueryCondition();
    {
        const QSignalBlocker blocker(fansTree);
        fansTree->clearSelection();
    }
    updateUI(fanTableBaseQuery + baseCondition, false);
    tabWidget->setCurrentIndex(SelectionTab);
    showAdvice(QStringLiteral("MainWindow/ShowSearchAdvice"),
               tr("You may filter search result using checkboxes at the top."));
}

void MainWindow::goToSearch()
{
    searchEdit->setFocus();
    searchEdit->selectAll();
    if (!searchEdit->text().trimmed().isEmpty())
        searchInitiated();
}
