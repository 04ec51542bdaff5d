#include "DutySchedule.h"

#include "Csv.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>

namespace DutySchedule {

namespace {

enum Column { Name, Q, P, T, Hours, ColumnCount };

const std::array<const char*, ColumnCount> columnNames{{"name", "q", "p", "t", "hours"}};

QString tr(const char* text)
{
    return QCoreApplication::translate("DutySchedule", text);
}

bool fail(Error& error, int line, const QString& message)
{
    error.line = line;
    error.message = message;
    return false;
}

// The delimiter is chosen by the header row: the first line that holds more than blanks.
QChar delimiterOf(const QString& text)
{
    for (const QStringRef& line : text.splitRef(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            return line.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    }
    return QLatin1Char(',');
}

} // namespace

bool read(const QString& text, Schedule& schedule, Error& error)
{
    schedule = Schedule();
    const Csv csv(delimiterOf(text));
    schedule.delimiter = csv.delimiter();
    QVector<Csv::Record> records;
    int badLine; // set when the parse fails
    if (!csv.parse(text, records, &badLine))
        return fail(error, badLine, tr("a quote is never closed"));
    if (records.isEmpty())
        return fail(error, 1, tr("no header row"));

    QStringList titles;
    for (const QString& field : records.first().fields)
        titles.append(field.trimmed().toLower());
    const int headerLine = records.first().line;
    std::array<int, ColumnCount> position;
    for (int c = 0; c < ColumnCount; ++c) {
        const QString name = QLatin1String(columnNames[c]);
        position[c] = titles.indexOf(name);
        if (titles.lastIndexOf(name) != position[c])
            return fail(error, headerLine, tr("the column \"%1\" is named twice").arg(name));
        if (position[c] < 0 && c <= P)
            return fail(error, headerLine, tr("no column \"%1\"").arg(name));
    }
    // A row needs its fields up to the rightmost column named.
    const int needed = *std::max_element(position.cbegin(), position.cend()) + 1;

    for (int r = 1; r < records.size(); ++r) {
        const Csv::Record& record = records.at(r);
        if (record.fields.size() < needed)
            return fail(error, record.line,
                        tr("%1 fields where %2 are needed").arg(record.fields.size()).arg(needed));
        Duty duty;
        duty.line = record.line;
        duty.name = record.fields.at(position[Name]).trimmed();
        // Each value with its default for an absent column or an empty cell, and whether it may
        // be what it is: airflow and pressure positive, hours not negative, a temperature above
        // absolute zero.
        struct Value
        {
            int column;
            double* target;
            bool (*valid)(double);
        };
        const Value values[] = {
            {Q, &duty.q,
             [](double v) {
                 return v > 0.0;
             }},
            {P, &duty.p,
             [](double v) {
                 return v > 0.0;
             }},
            {T, &duty.t,
             [](double v) {
                 return v > -273.0;
             }},
            {Hours, &duty.hours,
             [](double v) {
                 return v >= 0.0;
             }},
        };
        for (const Value& value : values) {
            const int at = position[value.column];
            const QString cell = at >= 0 ? record.fields.at(at).trimmed() : QString();
            if (cell.isEmpty() && value.column >= T)
                continue;
            const double number = csv.toNumber(cell);
            if (!std::isfinite(number) || !value.valid(number))
                return fail(error, record.line,
                            tr("\"%1\" in the column \"%2\" is not a valid number")
                                .arg(cell, QLatin1String(columnNames[value.column])));
            *value.target = number;
        }
        schedule.duties.append(duty);
    }
    return true;
}

bool readFile(const QString& fileName, Schedule& schedule, QString& problem)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = fileName + QLatin1String(": ") + file.errorString();
        return false;
    }
    Error error;
    if (!read(QString::fromUtf8(file.readAll()), schedule, error)) {
        problem = QStringLiteral("%1:%2: %3").arg(fileName).arg(error.line).arg(error.message);
        return false;
    }
    return true;
}

} // namespace DutySchedule
