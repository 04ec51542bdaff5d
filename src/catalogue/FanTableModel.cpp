#include "FanTableModel.h"

#include "DutyColumns.h"
#include "FanCalculator.h"
#include "FanRecord.h"

#include <QColor>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

#include <cstring>

namespace {

qint64 realBits(double value)
{
    qint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double bitsReal(qint64 bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Whether the driver runs the same SQLite library as this program, so that its statements can
// be stepped from here.
bool driverSharesLibrary(const QSqlQuery& query)
{
    // Asked once: the program loads one SQLite driver.
    static const bool shared = [&query] {
        QSqlQuery version(query.driver()->createResult());
        return version.exec(QStringLiteral("SELECT sqlite_source_id()")) && version.next() &&
               version.value(0).toString() == QLatin1String(sqlite3_sourceid());
    }();
    return shared;
}

// The SQLite statement behind an executed query, when its rows can be read from it directly:
// the value of every cell is then the same as the driver's, without a variant made per cell.
sqlite3_stmt* directStatement(const QSqlQuery& query)
{
    const QSqlResult* result = query.result();
    // The driver's default precision, under which its variant types are the ones made here.
    if (!result || query.numericalPrecisionPolicy() != QSql::LowPrecisionDouble)
        return nullptr;
    const QVariant handle = result->handle();
    if (qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0 || !driverSharesLibrary(query))
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

} // namespace

FanTableModel::FanTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void FanTableModel::setQuery(QSqlQuery& query)
{
    beginResetModel();
    // The old rows go first, so that two results never take memory at once.
    columns.clear();
    rows = 0;
    solved.clear();
    fieldNames.clear();
    statement = query.lastQuery();
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        fieldNames.append(record.fieldName(i));
    const int count = fieldNames.size();
    columns.resize(count);
    if (query.isActive() && query.next()) {
        if (sqlite3_stmt* statement = directStatement(query)) {
            // The statement stands on the row the query has just returned.
            do {
                for (int column = 0; column < count; ++column)
                    columns[column].append(statement, column, rows);
                ++rows;
            } while (sqlite3_step(statement) == SQLITE_ROW);
        } else {
            do {
                for (int column = 0; column < count; ++column)
                    columns[column].append(query.value(column), rows);
                ++rows;
            } while (query.next());
        }
    }
    for (Column& column : columns)
        column.finish();
    endResetModel();
}

int FanTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int FanTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : dutyColumn(hasDuty ? DutyColumns::Count : 0);
}

QVariant FanTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const bool number = role == Qt::DisplayRole || role == Qt::EditRole;
    if (index.column() < int(columns.size()))
        return number ? columns[index.column()].value(index.row()) : QVariant();
    // Past the query's columns only the duty's, while there is a duty.
    const int column = index.column() - dutyColumn(0);
    if (number)
        return DutyColumns::value(pointAt(index.row()), column);
    if (role == Qt::ForegroundRole && DutyColumns::isAlarming(pointAt(index.row()), column))
        return QColor(Qt::red);
    return QVariant();
}

QVariant FanTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        // A label set for editing is the one shown, and the other way round.
        const QVariant label =
            headers.value(section).value(role == Qt::EditRole ? Qt::DisplayRole : role);
        if (label.isValid())
            return label;
        if (role == Qt::DisplayRole && section >= 0 && section < fieldNames.size())
            return fieldNames.at(section);
        if (role == Qt::DisplayRole && hasDuty && section >= dutyColumn(0))
            return DutyColumns::title(section - dutyColumn(0));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool FanTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                  int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return false;
    if (headers.size() <= section)
        headers.resize(columnCount());
    headers[section][role == Qt::EditRole ? Qt::DisplayRole : role] = value;
    emit headerDataChanged(orientation, section, section);
    return true;
}

void FanTableModel::setDuty(const QPointF& point)
{
    solved.clear();
    duty = point;
    if (!hasDuty) {
        beginInsertColumns(QModelIndex(), dutyColumn(0), dutyColumn(DutyColumns::Count - 1));
        hasDuty = true;
        endInsertColumns();
    } else if (rows > 0) {
        emit dataChanged(index(0, dutyColumn(0)),
                         index(rows - 1, dutyColumn(DutyColumns::Count - 1)));
    }
}

const OperatingPoint& FanTableModel::pointAt(int row) const
{
    if (solved.size() != size_t(rows))
        solved.assign(size_t(rows), std::nullopt);
    std::optional<OperatingPoint>& point = solved[size_t(row)];
    if (!point)
        point = OperatingPoint::solve(FanRecord::formulasFromRow(*this, row), duty.x(), duty.y());
    return *point;
}

void FanTableModel::Column::append(const QVariant& value, int row)
{
    // Only where the statement cannot be read directly: each cell kept as the driver gives it.
    store(Other, variants.size(), row);
    variants.append(value);
}

void FanTableModel::Column::append(sqlite3_stmt* statement, int column, int row)
{
    // The same variant types as the driver makes of each SQLite type.
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        store(Integer, sqlite3_column_int64(statement, column), row);
        break;
    case SQLITE_FLOAT:
        store(Real, realBits(sqlite3_column_double(statement, column)), row);
        break;
    case SQLITE_NULL:
        store(Null, 0, row);
        break;
    case SQLITE_BLOB:
        store(Other, variants.size(), row);
        variants.append(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                                   sqlite3_column_bytes(statement, column)));
        break;
    default: {
        // Texts are told apart by their UTF-8 bytes, which SQLite holds; only a text not seen
        // before is converted, by SQLite as for the driver.
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        if (lastText < 0 || lastBytes.size() != size ||
            std::memcmp(lastBytes.constData(), bytes, size_t(size)) != 0) {
            const auto found = byteIndex.constFind(QByteArray::fromRawData(bytes, size));
            if (found != byteIndex.constEnd()) {
                lastText = found.value();
                lastBytes = found.key();
            } else {
                lastBytes = QByteArray(bytes, size);
                const auto* text =
                    static_cast<const QChar*>(sqlite3_column_text16(statement, column));
                lastText = variants.size();
                variants.append(
                    QString(text, sqlite3_column_bytes16(statement, column) / int(sizeof(QChar))));
                byteIndex.insert(lastBytes, lastText);
            }
        }
        store(Text, lastText, row);
    }
    }
}

void FanTableModel::Column::store(Kind kind, qint64 cell, int row)
{
    if (row == 0)
        sharedKind = kind;
    else if (kinds.empty() && kind != sharedKind)
        kinds.assign(size_t(row), sharedKind);
    if (!kinds.empty())
        kinds.push_back(kind);
    cells.push_back(cell);
}

void FanTableModel::Column::finish()
{
    cells.shrink_to_fit();
    kinds.shrink_to_fit();
    variants.squeeze();
    byteIndex = QHash<QByteArray, qint64>();
    lastBytes = QByteArray();
    lastText = -1;
}

QVariant FanTableModel::Column::value(int row) const
{
    switch (kinds.empty() ? sharedKind : Kind(kinds[size_t(row)])) {
    case Integer:
        return QVariant(qlonglong(cells[size_t(row)]));
    case Real:
        return QVariant(bitsReal(cells[size_t(row)]));
    case Null:
        return QVariant(QVariant::String); // the driver's NULL
    default:
        return variants.at(int(cells[size_t(row)]));
    }
}
