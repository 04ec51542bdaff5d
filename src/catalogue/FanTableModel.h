#pragma once

#include "OperatingPoint.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QMap>
#include <QPointF>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>
#include <vector>

class QSqlQuery;
struct sqlite3_stmt;

// The fan table's rows, read whole from one query and kept column by column: numbers as plain
// 64-bit values, texts interned. Cells and headers read exactly as a QSqlQueryModel's would.
// Once a duty is set, the duty columns follow the query's, each row's solved when first read.
class FanTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FanTableModel(QObject* parent = nullptr);

    // Replaces the content with every row of the executed `query`, in one reset; a failed query
    // leaves the model without rows or columns.
    void setQuery(QSqlQuery& query);
    // The text of the query the rows came from.
    QString queryText() const { return statement; }
    // The position of a duty column (DutyColumns::Column) while a duty is set.
    int dutyColumn(int column) const { return int(columns.size()) + column; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

public slots:
    // The duty is an airflow in m³/h (x) and a pressure in Pa at 20 °C (y). The first one adds the
    // duty columns; they stay, for every later query, and each new duty refreshes them.
    void setDuty(const QPointF& duty);

private:
    // Where the fan of the row `row` runs through the duty, solved once per row and duty.
    const OperatingPoint& pointAt(int row) const;

    // What a cell read from the statement holds; a blob, and every cell read through the driver,
    // is kept as a variant.
    enum Kind : quint8 { Integer, Real, Text, Null, Other };

    struct Column
    {
        // One cell of the row `row`, as the driver gives it or straight from the statement.
        void append(const QVariant& value, int row);
        void append(sqlite3_stmt* statement, int column, int row);
        void finish();
        QVariant value(int row) const;

        void store(Kind kind, qint64 cell, int row);

        // One kind per row, only once the rows stop sharing the kind of the first.
        std::vector<quint8> kinds;
        Kind sharedKind = Null;
        // The integer, the real's bits or the index into `variants`.
        std::vector<qint64> cells;
        QVector<QVariant> variants;
        // While loading: where each text already is, by its bytes as SQLite holds them, and the
        // last one seen; rows of one model or class tend to come together, so the last text is
        // the likely one.
        QHash<QByteArray, qint64> byteIndex;
        QByteArray lastBytes;
        qint64 lastText = -1;
    };

    std::vector<Column> columns;
    int rows = 0;
    QStringList fieldNames;
    QString statement;
    // Labels set by setHeaderData, by section and role; they outlive a new query.
    QVector<QMap<int, QVariant>> headers;

    bool hasDuty = false;
    QPointF duty;
    // By row, once solved. They go with a new query or duty, so that only the rows read since are
    // solved again.
    mutable std::vector<std::optional<OperatingPoint>> solved;
};
