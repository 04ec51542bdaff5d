#include "SearchGrammar.h"

#include <QRegularExpression>

namespace SearchGrammar {

namespace {

const QRegularExpression::PatternOptions patternOptions =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

// Lazy, so that a number after the model is read as the size.
const QString model = QStringLiteral("(?!\\d)(?:\\w|\\(|\\)|=)+?(?:-\\d+)*?");
const QString diameter = QStringLiteral("\\d+(?:[.,]\\d+)?");
const QString material = QStringLiteral("\\w+");
const QString className = QStringLiteral("\\w(?:\\w|\\s)*");

} // namespace

QString condition(const QString& typed, const QStringList& diameters)
{
    static const QRegularExpression full(
        QStringLiteral("^(") + model + QStringLiteral(")?(?:[- ]?(") + diameter +
            QStringLiteral(")(?:(") + material + QStringLiteral(")(?:\\s+(") + className +
            QStringLiteral("))?)?)?$"),
        patternOptions);
    static const QRegularExpression modelOnly(QStringLiteral("^(") + model + QStringLiteral(")$"),
                                              patternOptions);
    static const QRegularExpression scheme(QStringLiteral("^\\s*сх(?:ема)?\\s*(\\d)\\s*$"),
                                           patternOptions);

    const QString text = typed.trimmed();
    for (const QRegularExpression* pattern : {&full, &modelOnly}) {
        const QRegularExpressionMatch match = pattern->match(text);
        if (!match.hasMatch())
            continue;
        QStringList clauses;
        const QString modelText = match.captured(1);
        if (!modelText.isEmpty())
            clauses.append(QStringLiteral("mod.model LIKE '") + modelText.toUpper() +
                           QStringLiteral("%' \n"));
        QString number = match.captured(2);
        if (!number.isEmpty()) {
            number.replace(QLatin1Char(','), QLatin1Char('.'));
            // A number that is no catalogue size may still be part of a model name.
            if (!diameters.contains(number))
                continue;
            clauses.append(QStringLiteral("f.diameter = '") + number + QStringLiteral("' \n"));
        }
        const QString materialText = match.captured(3);
        if (!materialText.isEmpty())
            clauses.append(QStringLiteral("mat.material = '") + materialText.toUpper() +
                           QStringLiteral("' \n"));
        const QString classText = match.captured(4);
        if (!classText.isEmpty()) {
            const QRegularExpressionMatch schemeMatch = scheme.match(classText);
            if (schemeMatch.hasMatch())
                clauses.append(QStringLiteral("cl.class = 'Схема ") + schemeMatch.captured(1) +
                               QStringLiteral("' \n"));
            else
                clauses.append(QStringLiteral("cl.class LIKE '") + classText.left(1).toUpper() +
                               classText.mid(1).toLower() + QStringLiteral("%' \n"));
        }
        if (clauses.isEmpty())
            break;
        return clauses.join(QStringLiteral(" AND "));
    }
    return QStringLiteral("1 = 0");
}

} // namespace SearchGrammar
