#pragma once

#include <QString>
#include <QStringList>

// The program run without a window: `vortel --duties FILE [--top N] [--tolerance F]` ranks the
// catalogue's fans for every duty of a schedule file and writes the result to standard output.
namespace ScheduleCommand {

struct Options
{
    QString file;
    int top = 3;
    double tolerance = 0.10;
};

// Whether the command line asks for a schedule; looked at before any application object exists,
// so that no display is needed.
bool requested(int argc, char** argv);
// The options after the program's name; false with a translated message.
bool parseArguments(const QStringList& arguments, Options& options, QString& error);

// Runs the command with the catalogue of the program folder (ending in "/"): the process's exit
// code, 0 with the CSV on `out`, 2 for bad arguments or a bad schedule file, 1 for an unusable
// catalogue, the reason as one diagnostic on `err`.
int run(const QStringList& arguments, const QString& programFolder, QByteArray& out,
        QByteArray& err);

} // namespace ScheduleCommand
