#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Comma-separated text as spreadsheets read it (RFC 4180), in the two conventions engineers meet:
// ";" with a decimal comma where the comma is the decimal separator, "," with a point elsewhere.
class Csv
{
public:
    // One record of a read file, with the line it starts on (1 for the first).
    struct Record
    {
        int line;
        QStringList fields;
    };

    explicit Csv(QChar delimiter = QLatin1Char(','));
    // The convention of the interface's language: Russian spreadsheets split at ";".
    static Csv forLanguage(const QString& language);
    // The convention of the language the interface is translated into.
    static Csv forInterface();

    QChar delimiter() const { return separator; }
    QChar decimalPoint() const;

    // The text as one field: quoted where it holds the delimiter, a quote or a line break.
    QString field(const QString& text) const;
    // Six significant digits without an exponent, with this convention's decimal point; empty
    // for no number.
    QString number(double value) const;
    // The fields quoted where they must be, joined, ended by CR LF.
    QString line(const QStringList& fields) const;

    // The records of a text, a byte-order mark and wholly empty lines skipped; a quoted field
    // may span lines. False, with the line of the open quote, when a quote is never closed.
    bool parse(const QString& text, QVector<Record>& records, int* badLine = nullptr) const;
    // A number as this convention writes it (a decimal comma only with ";"); NaN if it is none.
    double toNumber(const QString& text) const;

    // UTF-8 after a byte-order mark, so that spreadsheets read it as UTF-8.
    static QByteArray encoded(const QString& text);
    // Writes the text encoded so, through a temporary file beside the target, so a failure
    // leaves the old file or none. The error, if any, names the file.
    static bool writeFile(const QString& fileName, const QString& text, QString& error);

private:
    QChar separator;
};
