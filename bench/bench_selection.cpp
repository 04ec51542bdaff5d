// Times every way of choosing and studying fans on a large synthetic catalogue, each beside the
// same SQL through the sqlite3 C API alone, so that the cost of the models and widgets shows
// beside the queries'. Also the peak memory of this process and the start-up of the program's
// window beside a bare Qt window's, each started as a process of its own.
//
// Usage: bench_selection [fan count] [rounds]   (default 100000 fans; 5 rounds, 1 from 1,000,000)

#include "BenchTiming.h"
#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "FanPlot.h"
#include "MainWindow.h"
#include "MainWindowProbe.h"
#include "SyntheticCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

// Steps through every row of every statement and reads each value in the type SQLite holds it
// in, as any client must; nothing is converted to text that is not text.
double timeRaw(const QString& file, const QStringList& statements)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QElapsedTimer timer;
    timer.start();
    volatile double sink = 0;
    for (const QString& sql : statements) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), text.size(), &stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
            continue;
        }
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    sink = sink + double(sqlite3_column_int64(stmt, c));
                    break;
                case SQLITE_FLOAT:
                    sink = sink + sqlite3_column_double(stmt, c);
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    sqlite3_column_text(stmt, c);
                    sink = sink + sqlite3_column_bytes(stmt, c);
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}

QString selectionConds(const QList<FanParameter*>& params)
{
    QString conds;
    for (const FanParameter* param : params)
        conds += param->getSelectionCond();
    return conds;
}

QStringList filterStatements(const QList<FanParameter*>& params, const QString& condition,
                             const FanParameter* skip = nullptr)
{
    QStringList statements;
    for (const FanParameter* param : params) {
        if (param != skip)
            statements.append(param->getAccessQuery().arg(condition));
    }
    return statements;
}

QString comparisonStatement(const QStringList& ids)
{
    return CatalogueQueries::comparison(
        CatalogueQueries::comparisonBase.arg(QStringLiteral("'Ask manager'")), ids);
}

// A new fan set: its table, six filter lists and the emptied comparison.
QStringList newSetStatements(const QList<FanParameter*>& params, const QString& condition)
{
    return QStringList{MainWindow::fanTableBaseQuery + condition} +
           filterStatements(params, condition) + QStringList{comparisonStatement({})};
}

long statusKilobytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Milliseconds from starting `program` to its line saying that its window was painted.
double timeStartup(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    double ms = -1;
    while (process.waitForReadyRead(60000)) {
        if (process.readAll().contains("painted")) {
            ms = timer.nsecsElapsed() / 1e6;
            break;
        }
    }
    process.waitForFinished(60000);
    return ms;
}

struct Figures
{
    std::vector<double> app;
    std::vector<double> raw;
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fanCount = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    const int rounds =
        argc > 2 ? QString::fromLatin1(argv[2]).toInt() : (fanCount >= 1000000 ? 1 : 5);

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString file = folder + QStringLiteral("fans.dat");
    QElapsedTimer build;
    build.start();
    if (!buildCatalogue(file, fanCount)) {
        std::fprintf(stderr, "could not build the catalogue\n");
        return 1;
    }
    std::printf("catalogue of %d fans built in %.0f ms; %d round(s)\n", fanCount,
                double(build.elapsed()), rounds);
    {
        QSettings ini(folder + QStringLiteral("vortel.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("MainWindow/ShowSearchAdvice"), false);
        ini.setValue(QStringLiteral("MainWindow/ShowMatchAdvice"), false);
        // A point that about one fan in twenty meets.
        ini.setValue(QStringLiteral("MainWindow/PMatchValue"), 800.0);
        ini.setValue(QStringLiteral("MainWindow/QMatchValue"), 5000.0);
    }
    QDir(folder).mkpath(QStringLiteral("lang"));
    QFile::copy(QStringLiteral(VORTEL_PROGRAM_DIR "lang/vortel_ru.qm"),
                folder + QStringLiteral("lang/vortel_ru.qm"));

    // Start-up first, while this process is still small; bare and program runs alternate.
    const QString benchDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    std::vector<double> bareStarts;
    std::vector<double> windowStarts;
    for (int i = 0; i < 5; ++i) {
        bareStarts.push_back(timeStartup(benchDir + QStringLiteral("bench_startup_bare"), {}));
        windowStarts.push_back(timeStartup(benchDir + QStringLiteral("bench_startup"), {folder}));
    }

    MainWindow window(folder);
    if (!window.isValid())
        return 1;
    window.resize(1280, 900);
    window.show();
    window.ssFanChosen(QString()); // the working page, with nothing chosen yet
    QApplication::processEvents();
    auto* tree = window.findChild<QTreeWidget*>();
    auto* table = window.findChild<QTableView*>();
    auto* plot = window.findChild<FanPlot*>();
    auto* searchEdit = window.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    QTreeWidgetItem* root = tree->topLevelItem(0);
    const QList<FanParameter*> params = MainWindowProbe::filters(window);
    FanParameter* diameter = params.first();

    // The fan type with the most fans.
    QTreeWidgetItem* type = nullptr;
    int typeRows = -1;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (int i = 0; i < root->childCount(); ++i) {
        const int left = root->child(i)->data(1, Qt::UserRole).toInt();
        const int right = root->child(i)->data(2, Qt::UserRole).toInt();
        const QByteArray sql = QStringLiteral("SELECT COUNT(*) FROM fans AS f INNER JOIN classes "
                                              "AS cl ON f.class_id = cl.id WHERE %1")
                                   .arg(CatalogueQueries::treeNodeCondition(left, right))
                                   .toUtf8();
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), sql.size(), &stmt, nullptr);
        if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) > typeRows) {
            typeRows = sqlite3_column_int(stmt, 0);
            type = root->child(i);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    searchEdit->setText(QStringLiteral("ВР80-75"));

    const char* names[] = {"root node (table + 6 lists)",
                           "fan type (table + 6 lists)",
                           "filter value unchecked (table + 5)",
                           "filter value checked again",
                           "search ВР80-75 (table + 6)",
                           "match 800 Pa, 5000 m3/h (table + 6)",
                           "select 10 rows (comparison each)",
                           "select 100 more rows at once",
                           "plot redraw, 110 fans"};
    std::map<std::string, Figures> figures;
    std::map<std::string, int> rows;
    long rssAfterRoot = 0;
    auto record = [&](const char* name, double appMs, const QStringList& sql) {
        Figures& f = figures[name];
        f.app.push_back(appMs);
        if (!sql.isEmpty())
            f.raw.push_back(timeRaw(file, sql));
        rows[name] = table->model()->rowCount();
    };

    for (int round = 0; round < rounds; ++round) {
        tree->setCurrentItem(nullptr);
        double ms = timeAction([&] { tree->setCurrentItem(root); });
        const QString rootCondition = MainWindowProbe::baseCondition(window);
        rssAfterRoot = std::max(rssAfterRoot, statusKilobytes("VmRSS:"));
        record(names[0], ms, newSetStatements(params, rootCondition));

        // The first diameter unchecked: the table, then the other five lists under every choice.
        const QString othersChecked =
            selectionConds(params).mid(diameter->getSelectionCond().size());
        ms = timeAction([&] { diameter->listWidget()->item(0)->setCheckState(Qt::Unchecked); });
        QString all = diameter->getSelectionCond() + othersChecked;
        record(names[2], ms,
               QStringList{MainWindow::fanTableBaseQuery + rootCondition + all} +
                   filterStatements(params, rootCondition + all, diameter) +
                   QStringList{comparisonStatement({})});

        // Checked again: the table under the lists as the uncheck left them, then the other
        // five lists under the diameter's own choice only.
        const QString othersAfter = selectionConds(params).mid(diameter->getSelectionCond().size());
        ms = timeAction([&] { diameter->listWidget()->item(0)->setCheckState(Qt::Checked); });
        all = diameter->getSelectionCond() + othersAfter;
        record(
            names[3], ms,
            QStringList{MainWindow::fanTableBaseQuery + rootCondition + all} +
                filterStatements(params, rootCondition + diameter->getSelectionCond(), diameter) +
                QStringList{comparisonStatement({})});

        ms = timeAction([&] { tree->setCurrentItem(type); });
        record(names[1], ms, newSetStatements(params, MainWindowProbe::baseCondition(window)));

        ms = timeAction([&] { window.searchInitiated(); });
        record(names[4], ms, newSetStatements(params, MainWindowProbe::baseCondition(window)));

        ms = timeAction([&] { window.matchButtonClicked(); });
        record(names[5], ms, newSetStatements(params, MainWindowProbe::baseCondition(window)));

        // Ten clicks on rows, each adding a fan to the plot and the comparison.
        QItemSelectionModel* selection = table->selectionModel();
        ms = timeAction([&] {
            for (int row = 0; row < 10; ++row) {
                selection->select(table->model()->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
                QApplication::processEvents();
            }
        });
        QStringList cmpSql;
        const QStringList ids = MainWindowProbe::comparedFanIds(window);
        for (int n = 1; n <= ids.size(); ++n)
            cmpSql.append(comparisonStatement(ids.mid(0, n)));
        record(names[6], ms, cmpSql);

        // A drag over a hundred rows: one selection change, a hundred fans more to compare.
        QItemSelection hundred(table->model()->index(10, 0),
                               table->model()->index(109, table->model()->columnCount() - 1));
        ms = timeAction([&] { selection->select(hundred, QItemSelectionModel::Select); });
        record(names[7], ms,
               QStringList{comparisonStatement(MainWindowProbe::comparedFanIds(window))});
        std::vector<double> redraws;
        for (int i = 0; i < 5; ++i)
            redraws.push_back(timeAction([&] {
                plot->updatePlot();
                plot->repaint();
            }));
        record(names[8], median(redraws), {});
        std::printf("round %d done, %d fans on the plot\n", round + 1, int(plot->fans().size()));
        std::fflush(stdout);
    }

    std::printf("\n%-38s %8s %10s %10s %6s\n", "action", "rows", "program", "SQL floor", "ratio");
    for (const char* name : names) {
        const Figures& f = figures[name];
        const double a = median(f.app);
        const double r = median(f.raw);
        if (f.raw.empty())
            std::printf("%-38s %8d %7.1f ms %10s %6s\n", name, rows[name], a, "-", "-");
        else
            std::printf("%-38s %8d %7.1f ms %7.1f ms %6.2f\n", name, rows[name], a, r,
                        r > 0 ? a / r : 0.0);
    }
    const double bare = median(bareStarts);
    const double started = median(windowStarts);
    std::printf("%-38s %8s %7.1f ms %7.1f ms %6.2f   (program vs bare Qt window)\n",
                "start-up to first paint", "", started, bare, bare > 0 ? started / bare : 0.0);
    std::printf("memory: VmRSS after the root node %ld MB, peak VmHWM %ld MB\n",
                rssAfterRoot / 1024, statusKilobytes("VmHWM:") / 1024);
    return 0;
}
