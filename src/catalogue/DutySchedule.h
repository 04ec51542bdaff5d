#pragma once

#include <QChar>
#include <QString>
#include <QVector>

// A schedule of duties as a design office keeps it: a CSV file with a header row naming the
// columns "name", "q" (m³/h), "p" (Pa, full pressure at the gas temperature), and optionally "t"
// (°C) and "hours" (per year), in any order and any letter case.
namespace DutySchedule {

struct Duty
{
    QString name;
    double q{};
    double p{};
    double t = 20.0; // the defaults of an absent column or an empty cell
    double hours = 0.0;
    int line{}; // where the duty stands in the file, 1 for the first line
};

struct Schedule
{
    // ";" when the header row holds one (then with a decimal comma), "," otherwise.
    QChar delimiter = QLatin1Char(',');
    QVector<Duty> duties;
};

struct Error
{
    int line{};
    QString message;
};

// The schedule in a file's text (a byte-order mark and empty lines allowed); false with the
// first fault's line and a translated message.
bool read(const QString& text, Schedule& schedule, Error& error);
// The schedule in a file; false with "FILE: reason" or "FILE:LINE: message".
bool readFile(const QString& fileName, Schedule& schedule, QString& problem);

} // namespace DutySchedule
