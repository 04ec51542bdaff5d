#include "ScheduleCommand.h"

#include "CatalogueQueries.h"
#include "Csv.h"
#include "DutySchedule.h"
#include "ScheduleSelection.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ScheduleCommand {

namespace {

const char* const dutiesOption = "--duties";

QString tr(const char* text)
{
    return QCoreApplication::translate("ScheduleCommand", text);
}

QByteArray diagnostic(const QString& text)
{
    return text.toUtf8() + '\n';
}

// The catalogue's fans, read through a read-only connection of their own.
bool loadFans(const QString& fileName, ScheduleSelection& selection, QString& error)
{
    const QString connection = QStringLiteral("schedule");
    bool loaded = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        // As in the window, a file that will not open shows itself at the query.
        db.open();
        loaded = selection.load(db, error);
    }
    QSqlDatabase::removeDatabase(connection);
    return loaded;
}

} // namespace

bool requested(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::strcmp(argument, dutiesOption) == 0;
    });
}

bool parseArguments(const QStringList& arguments, Options& options, QString& error)
{
    options = Options();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments.at(i);
        const bool known = name == QLatin1String(dutiesOption) || name == QLatin1String("--top") ||
                           name == QLatin1String("--tolerance");
        if (!known) {
            error = tr("unknown argument \"%1\"").arg(name);
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = tr("%1 needs a value").arg(name);
            return false;
        }
        const QString value = arguments.at(++i);
        bool ok; // set by every option below
        if (name == QLatin1String(dutiesOption)) {
            options.file = value;
            ok = !value.isEmpty();
        } else if (name == QLatin1String("--top")) {
            options.top = value.toInt(&ok);
            ok = ok && options.top >= 1;
        } else {
            // A Russian engineer may well type the decimal comma.
            options.tolerance =
                QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            ok = ok && std::isfinite(options.tolerance) && options.tolerance >= 0.0;
        }
        if (!ok) {
            error = tr("%1 \"%2\" is not a valid value").arg(name, value);
            return false;
        }
    }
    if (options.file.isEmpty())
        error = tr("%1 needs a value").arg(QLatin1String(dutiesOption));
    return !options.file.isEmpty();
}

int run(const QStringList& arguments, const QString& programFolder, QByteArray& out,
        QByteArray& err)
{
    Options options;
    QString error;
    if (!parseArguments(arguments, options, error)) {
        err = diagnostic(error);
        return 2;
    }

    DutySchedule::Schedule schedule;
    if (!DutySchedule::readFile(options.file, schedule, error)) {
        err = diagnostic(error);
        return 2;
    }

    const QString& catalogue = CatalogueQueries::catalogueFile;
    if (!QFileInfo::exists(programFolder + catalogue)) {
        err = diagnostic(QCoreApplication::translate("MainWindow", "Database file %1 is absent.")
                             .arg(catalogue));
        return 1;
    }
    ScheduleSelection selection;
    if (!loadFans(programFolder + catalogue, selection, error)) {
        err = diagnostic(error);
        return 1;
    }

    const QVector<ScheduleSelection::Row> rows =
        selection.select(schedule.duties, options.top, options.tolerance);
    // With a byte-order mark, as every CSV the program writes.
    out = Csv::encoded(selection.text(rows, schedule));
    return 0;
}

} // namespace ScheduleCommand
