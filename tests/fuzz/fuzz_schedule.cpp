#include "Csv.h"
#include "DutySchedule.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

// Whatever file is given as a schedule, reading it either refuses it at a line the file has,
// or gives duties a selection can use; and the duties written back read as the same duties.
static void verify(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

static bool usable(const DutySchedule::Duty& duty)
{
    return std::isfinite(duty.q) && duty.q > 0.0 && std::isfinite(duty.p) && duty.p > 0.0 &&
           std::isfinite(duty.t) && duty.t > -273.0 && std::isfinite(duty.hours) &&
           duty.hours >= 0.0;
}

// Every digit kept, so the text reads back as the very same number.
static QString exact(const Csv& csv, double value)
{
    return QString::number(value, 'g', 17).replace(QLatin1Char('.'), csv.decimalPoint());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const int lines = text.count(QLatin1Char('\n')) + 1;
    DutySchedule::Schedule schedule;
    DutySchedule::Error error;
    if (!DutySchedule::read(text, schedule, error)) {
        verify(error.line >= 1 && error.line <= lines, "refused at a line the file lacks");
        verify(!error.message.isEmpty(), "refused without a reason");
        return 0;
    }
    const Csv csv(schedule.delimiter);
    verify(csv.delimiter() == QLatin1Char(';') || csv.delimiter() == QLatin1Char(','),
           "another delimiter");
    int previous = 1;
    QString written = csv.line({"name", "q", "p", "t", "hours"});
    for (const DutySchedule::Duty& duty : schedule.duties) {
        verify(usable(duty), "a duty no selection can use");
        verify(duty.line > previous && duty.line <= lines, "lines out of order");
        previous = duty.line;
        written += csv.line({duty.name, exact(csv, duty.q), exact(csv, duty.p), exact(csv, duty.t),
                             exact(csv, duty.hours)});
    }

    DutySchedule::Schedule again;
    verify(DutySchedule::read(written, again, error), "written duties refused");
    verify(again.delimiter == schedule.delimiter, "another delimiter read back");
    verify(again.duties.size() == schedule.duties.size(), "another number of duties read back");
    for (int i = 0; i < again.duties.size(); ++i) {
        const DutySchedule::Duty& a = schedule.duties.at(i);
        const DutySchedule::Duty& b = again.duties.at(i);
        verify(a.name == b.name && a.q == b.q && a.p == b.p && a.t == b.t && a.hours == b.hours,
               "another duty read back");
    }
    return 0;
}
