// Times the selection for a duty schedule on a large synthetic catalogue: the fans read once
// through the fan table's query, then every duty against every fan. Beside it, the time SQLite
// itself takes to step through the same rows once, and how many pairs of a duty and a fan the
// airflow bound settled without root finding.
//
// Usage: bench_schedule [duty count] [fan count]   (default 1000 duties, 100000 fans)

#include "CatalogueQueries.h"
#include "DutySchedule.h"
#include "ScheduleSelection.h"
#include "SyntheticCatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

// Milliseconds SQLite takes to step through the fan table's rows, every column read once.
double sqliteRead(const QString& file, int* rows)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = (CatalogueQueries::fanTableBase() + QStringLiteral("1 = 1\n")).toUtf8();
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    *rows = 0;
    double sink = 0.0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < CatalogueQueries::FanColumnCount; ++column)
            sink += sqlite3_column_type(statement, column) == SQLITE_TEXT
                        ? sqlite3_column_bytes(statement, column)
                        : sqlite3_column_double(statement, column);
        ++*rows;
    }
    sqlite3_finalize(statement);
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return sink == -1.0 ? 0.0 : ms;
}

// Duties near the catalogue's own fans, as a building's systems would be: a fan's point somewhere
// in its range, the airflow a little below it, at the temperature of the fan's execution or 20 °C.
QVector<DutySchedule::Duty> schedule(const ScheduleSelection& selection, int count)
{
    QRandomGenerator random(17);
    QVector<DutySchedule::Duty> duties;
    const auto& fans = selection.fans();
    for (int i = 0; i < count && !fans.isEmpty(); ++i) {
        const ScheduleSelection::Fan& fan = fans.at(int(random.bounded(fans.size())));
        const double phi =
            fan.formulas.get_phi_min() +
            random.generateDouble() * (fan.formulas.get_phi_max() - fan.formulas.get_phi_min());
        DutySchedule::Duty duty;
        duty.name = QString::number(i + 1);
        duty.t = random.bounded(4) == 0 ? fan.formulas.get_temperature() : 20;
        duty.q = fan.formulas.Q(phi) * (0.9 + 0.1 * random.generateDouble());
        duty.p = fan.formulas.P(phi) * (fan.formulas.get_temperature() + 273.0) / (duty.t + 273.0) *
                 (0.8 + 0.2 * random.generateDouble());
        duty.hours = 4000;
        duties.append(duty);
    }
    return duties;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int dutyCount = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000;
    const int fanCount = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 100000;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("fans.dat"));
    if (!buildCatalogue(file, fanCount)) {
        std::fprintf(stderr, "could not build the catalogue\n");
        return 1;
    }

    int rows = 0;
    const double sqliteMs = sqliteRead(file, &rows);

    ScheduleSelection selection;
    QElapsedTimer timer;
    timer.start();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QString error;
        if (!db.open() || !selection.load(db, error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    const double loadMs = timer.nsecsElapsed() / 1e6;

    const QVector<DutySchedule::Duty> duties = schedule(selection, dutyCount);
    ScheduleSelection::Counts counts;
    timer.restart();
    const QVector<ScheduleSelection::Row> result = selection.select(duties, 3, 0.10, &counts);
    const double selectMs = timer.nsecsElapsed() / 1e6;
    int unmet = 0;
    for (const ScheduleSelection::Row& row : result)
        unmet += row.rank == 0;

    const qint64 solved = counts.pairs - counts.bounded - counts.pressureBounded;
    std::printf("%d duties x %d fans with a motor; %d duties met by no fan\n\n", duties.size(),
                selection.fans().size(), unmet);
    std::printf("%-44s %10.1f ms\n", "SQLite steps through the rows once", sqliteMs);
    std::printf("%-44s %10.1f ms\n", "the fans read once (Qt's driver, models)", loadMs);
    std::printf("%-44s %10.1f ms  (%.2f us per duty and fan)\n", "every duty against every fan",
                selectMs, selectMs * 1e3 / std::max(1.0, double(duties.size()) * rows));
    const double share = counts.pairs ? 100.0 / counts.pairs : 0.0;
    std::printf("\npairs of a duty and a fan rated hot enough: %lld\n", counts.pairs);
    std::printf("kept out of root finding by the airflow bound: %lld (%.1f %%), then by the "
                "pressure bound: %lld (%.1f %%)\n",
                counts.bounded, counts.bounded * share, counts.pressureBounded,
                counts.pressureBounded * share);
    std::printf("solved: %lld (%.1f %%, %.2f us each)\n", solved, solved * share,
                solved ? selectMs * 1e3 / solved : 0.0);
    return 0;
}
