// Times the ways of choosing fans on a large synthetic catalogue and the same SQL through the
// sqlite3 C API alone, so that the cost of the models and widgets shows beside the queries'.
//
// Usage: bench_selection [fan count]   (default 100000)

#include "CatalogueQueries.h"
#include "FanParameter.h"
#include "MainWindow.h"
#include "MainWindowProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error);
        sqlite3_free(error);
        return false;
    }
    return true;
}

// The demo catalogue's classes, motors, materials and models, with its fans repeated.
bool buildCatalogue(const QString& file, int fanCount)
{
    QFile schema(QStringLiteral(VORTEL_SOURCE_DIR "/data/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(file).constData(), &db) != SQLITE_OK)
        return false;
    const bool ok =
        exec(db, QString::fromUtf8(schema.readAll())) &&
        exec(db, QStringLiteral("ATTACH '%1' AS demo")
                     .arg(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"))) &&
        exec(db, QStringLiteral("BEGIN")) &&
        exec(db, QStringLiteral("INSERT INTO classes SELECT * FROM demo.classes")) &&
        exec(db, QStringLiteral("INSERT INTO engines SELECT * FROM demo.engines")) &&
        exec(db, QStringLiteral("INSERT INTO materials SELECT * FROM demo.materials")) &&
        exec(db, QStringLiteral("INSERT INTO models SELECT * FROM demo.models")) &&
        exec(db, QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1),"
                     " src AS (SELECT ROW_NUMBER() OVER (ORDER BY id) - 1 AS k, * FROM demo.fans)"
                     " INSERT INTO fans SELECT n.i, class_id, model_id, engine_id, material_id,"
                     " diameter, nominal, rev, q_min, q_max, p_min, p_max, length, depth, height,"
                     " weight, url FROM n JOIN src ON src.k = n.i % (SELECT COUNT(*) FROM src)")
                     .arg(fanCount)) &&
        exec(db, QStringLiteral("COMMIT")) && exec(db, QStringLiteral("DETACH demo")) &&
        exec(db, QStringLiteral("ANALYZE"));
    sqlite3_close(db);
    return ok;
}

// Steps through every row of every statement, reading each column as the models would.
double timeRawOnce(const QString& file, const QStringList& statements)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QElapsedTimer timer;
    timer.start();
    for (const QString& sql : statements) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), text.size(), &stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
            continue;
        }
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sqlite3_column_text(stmt, c);
        }
        sqlite3_finalize(stmt);
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeRaw(const QString& file, const QStringList& statements)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i)
        times.push_back(timeRawOnce(file, statements));
    return median(times);
}

double timeRuns(int runs, const std::function<void()>& before, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
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

void report(const char* what, double app, double raw)
{
    std::printf("%-34s %9.1f ms   sqlite3 alone %9.1f ms   ratio %5.2f\n", what, app, raw,
                raw > 0 ? app / raw : 0.0);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fanCount = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    const int runs = 5;

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QElapsedTimer build;
    build.start();
    if (!buildCatalogue(folder + QStringLiteral("fans.dat"), fanCount)) {
        std::fprintf(stderr, "could not build the catalogue\n");
        return 1;
    }
    std::printf("catalogue of %d fans built in %.0f ms\n", fanCount, double(build.elapsed()));
    {
        QSettings ini(folder + QStringLiteral("vortel.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("MainWindow/ShowSearchAdvice"), false);
    }

    MainWindow window(folder);
    if (!window.isValid())
        return 1;
    auto* tree = window.findChild<QTreeWidget*>();
    auto* searchEdit = window.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    QTreeWidgetItem* root = tree->topLevelItem(0);
    const QList<FanParameter*> params = MainWindowProbe::filters(window);
    const QString file = folder + QStringLiteral("fans.dat");

    // Choosing the root: the whole catalogue into the table, then six filter lists.
    const double rootApp = timeRuns(
        runs,
        [&] {
            tree->clearSelection();
            tree->setCurrentItem(nullptr);
        },
        [&] { tree->setCurrentItem(root); });
    const QString rootCondition = MainWindowProbe::baseCondition(window);
    QStringList rootSql{MainWindow::fanTableBaseQuery + rootCondition};
    rootSql += filterStatements(params, rootCondition);
    report("root node (table + 6 lists)", rootApp, timeRaw(file, rootSql));

    // One uncheck in the diameter list: the table again, then five check-state queries.
    QListWidget* diameters = params.first()->listWidget();
    const double uncheckApp = timeRuns(
        runs,
        [&] {
            tree->setCurrentItem(nullptr);
            tree->setCurrentItem(root);
        },
        [&] { diameters->item(0)->setCheckState(Qt::Unchecked); });
    QString all;
    for (const FanParameter* param : params)
        all += param->getSelectionCond();
    QStringList uncheckSql{MainWindow::fanTableBaseQuery + rootCondition + all};
    uncheckSql += filterStatements(params, rootCondition + all, params.first());
    report("one filter uncheck (table + 5)", uncheckApp, timeRaw(file, uncheckSql));

    // A typed designation: the table and six lists for what it finds.
    searchEdit->setText(QStringLiteral("ВР80-75"));
    const double searchApp = timeRuns(
        runs, [] {}, [&] { window.searchInitiated(); });
    const QString searchCondition = MainWindowProbe::baseCondition(window);
    QStringList searchSql{MainWindow::fanTableBaseQuery + searchCondition};
    searchSql += filterStatements(params, searchCondition);
    report("search ВР80-75 (table + 6 lists)", searchApp, timeRaw(file, searchSql));
    return 0;
}
