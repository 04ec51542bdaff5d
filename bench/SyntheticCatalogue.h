#pragma once

// Builds a large catalogue for the benchmarks from the demo catalogue: its classes, motors,
// materials and models, with its fans repeated. Needs VORTEL_SOURCE_DIR and VORTEL_PROGRAM_DIR.

#include <QFile>
#include <QString>

#include <sqlite3.h>

#include <cstdio>

// One SQL text run whole; an error is printed.
inline bool execSql(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error);
        sqlite3_free(error);
        return false;
    }
    return true;
}

// Into a new file `file`; false on any SQL error, which is printed.
inline bool buildCatalogue(const QString& file, int fanCount)
{
    QFile schema(QStringLiteral(VORTEL_SOURCE_DIR "/data/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(file).constData(), &db) != SQLITE_OK)
        return false;
    const bool ok =
        execSql(db, QString::fromUtf8(schema.readAll())) &&
        execSql(db, QStringLiteral("ATTACH '%1' AS demo")
                        .arg(QStringLiteral(VORTEL_PROGRAM_DIR "fans.dat"))) &&
        execSql(db, QStringLiteral("BEGIN")) &&
        execSql(db, QStringLiteral("INSERT INTO classes SELECT * FROM demo.classes")) &&
        execSql(db, QStringLiteral("INSERT INTO engines SELECT * FROM demo.engines")) &&
        execSql(db, QStringLiteral("INSERT INTO materials SELECT * FROM demo.materials")) &&
        execSql(db, QStringLiteral("INSERT INTO models SELECT * FROM demo.models")) &&
        execSql(db,
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1),"
                    " src AS (SELECT ROW_NUMBER() OVER (ORDER BY id) - 1 AS k, * FROM demo.fans)"
                    " INSERT INTO fans SELECT n.i, class_id, model_id, engine_id, material_id,"
                    " diameter, nominal, rev, q_min, q_max, p_min, p_max, length, depth, height,"
                    " weight, url FROM n JOIN src ON src.k = n.i % (SELECT COUNT(*) FROM src)")
                    .arg(fanCount)) &&
        execSql(db, QStringLiteral("COMMIT")) && execSql(db, QStringLiteral("DETACH demo")) &&
        execSql(db, QStringLiteral("ANALYZE"));
    sqlite3_close(db);
    return ok;
}
