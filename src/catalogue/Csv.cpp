#include "Csv.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cmath>
#include <limits>

Csv::Csv(QChar delimiter) : separator(delimiter) {}

Csv Csv::forLanguage(const QString& language)
{
    return Csv(language.startsWith(QLatin1String("ru")) ? QLatin1Char(';') : QLatin1Char(','));
}

Csv Csv::forInterface()
{
    // The translation names its own language, so no other code needs to know which is loaded.
    return forLanguage(QCoreApplication::translate("Csv", "en", "code of the interface language"));
}

QChar Csv::decimalPoint() const
{
    return separator == QLatin1Char(';') ? QLatin1Char(',') : QLatin1Char('.');
}

QString Csv::field(const QString& text) const
{
    const bool quoted = text.contains(separator) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Csv::number(double value) const
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value);
    // Past six digits before the point 'g' would switch to an exponent some readers refuse.
    if (text.contains(QLatin1Char('e')))
        text = QString::number(text.toDouble(), 'f', 0);
    text.replace(QLatin1Char('.'), decimalPoint());
    return text;
}

QString Csv::line(const QStringList& fields) const
{
    QStringList quoted;
    for (const QString& text : fields)
        quoted.append(field(text));
    return quoted.join(separator) + QLatin1String("\r\n");
}

bool Csv::parse(const QString& text, QVector<Record>& records, int* badLine) const
{
    records.clear();
    int pos = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    int lineNumber = 1;
    while (pos < text.size()) {
        Record record{lineNumber, {}};
        QString current;
        bool inQuotes = false;
        bool recordEnded = false;
        for (; pos < text.size() && !recordEnded; ++pos) {
            const QChar c = text.at(pos);
            if (inQuotes) {
                if (c == QLatin1Char('"')) {
                    if (text.midRef(pos + 1).startsWith(QLatin1Char('"'))) {
                        current.append(c);
                        ++pos;
                    } else {
                        inQuotes = false;
                    }
                } else {
                    if (c == QLatin1Char('\n'))
                        ++lineNumber;
                    current.append(c);
                }
            } else if (c == QLatin1Char('"')) {
                inQuotes = true;
            } else if (c == separator) {
                record.fields.append(current);
                current.clear();
            } else if (c == QLatin1Char('\n')) {
                ++lineNumber;
                recordEnded = true;
            } else if (c != QLatin1Char('\r')) {
                current.append(c);
            }
        }
        if (inQuotes) {
            if (badLine)
                *badLine = record.line;
            return false;
        }
        record.fields.append(current);
        if (record.fields.size() > 1 || !record.fields.first().trimmed().isEmpty())
            records.append(record);
    }
    return true;
}

double Csv::toNumber(const QString& text) const
{
    QString plain = text.trimmed();
    if (decimalPoint() == QLatin1Char(','))
        plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

QByteArray Csv::encoded(const QString& text)
{
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool Csv::writeFile(const QString& fileName, const QString& text, QString& error)
{
    QSaveFile file(fileName);
    const QByteArray bytes = encoded(text);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        error = fileName + QLatin1String(": ") + file.errorString();
    return written;
}
