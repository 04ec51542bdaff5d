#include "SearchGrammar.h"

#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

// Whatever is typed into the search field, the condition must be one statement that SQLite
// accepts as it stands, made of the grammar's clauses with the typed text only inside quotes.
static void verify(bool ok, const char* what, const QString& condition)
{
    if (!ok) {
        std::fprintf(stderr, "%s:\n%s\n", what, condition.toUtf8().constData());
        std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static sqlite3* db = nullptr;
    if (!db) {
        QFile schema(QStringLiteral(VORTEL_SOURCE_DIR "/data/schema.sql"));
        verify(schema.open(QIODevice::ReadOnly) && sqlite3_open(":memory:", &db) == SQLITE_OK &&
                   sqlite3_exec(db, schema.readAll(), nullptr, nullptr, nullptr) == SQLITE_OK,
               "no catalogue schema", QString());
    }
    // Qt's regular expressions are not instrumented, so the fuzzer cannot see which piece of the
    // grammar an input reaches: inputs that start with byte 1 are read as the grammar's tokens.
    static const char* const tokens[] = {
        "ВКР", "вр", "Ф",  "ж",      "сх",     "схема", "Схема", "4",      "3", "15",  "6.3", "0",
        "-",   " ",  ",",  ".",      "(",      ")",     "=",     "_",      "%", "'",   "\"",  ";",
        "--",  "\t", "\n", "\u00a0", "\u2028", "ß",     "ŉ",     "\u0301", "१", "\x7f"};
    QString typed;
    for (size_t i = 1; size > 0 && data[0] == 1 && i < size; ++i)
        typed += QString::fromUtf8(tokens[data[i] % (sizeof tokens / sizeof *tokens)]);
    if (size == 0 || data[0] != 1)
        typed = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QString condition = SearchGrammar::condition(typed, {"3.15", "4", "6.3"});

    // With each quoted literal blanked out, only the grammar's own clauses may be left.
    static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
    static const QString clause =
        QStringLiteral("(?:mod\\.model LIKE|f\\.diameter =|mat\\.material =|cl\\.class "
                       "=|cl\\.class LIKE) 'L' \\n");
    static const QRegularExpression skeleton(
        QStringLiteral("^(?:1 = 0|%1(?: AND %1)*)$").arg(clause));
    const bool clauses = skeleton.match(QString(condition).replace(literal, "'L'")).hasMatch();
    verify(clauses && !condition.contains("''"), "not the grammar's clauses", condition);

    const QByteArray sql =
        "SELECT 1 FROM fans AS f INNER JOIN classes AS cl ON f.class_id = cl.id "
        "INNER JOIN engines AS e ON f.engine_id = e.id INNER JOIN materials AS mat "
        "ON f.material_id = mat.id INNER JOIN models AS mod ON f.model_id = mod.id "
        "WHERE\n" +
        condition.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int prepared =
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, &tail);
    verify(prepared == SQLITE_OK && statement, sqlite3_errmsg(db), condition);
    // One statement, and nothing after it that SQLite would run next.
    verify(QByteArray(tail).trimmed().isEmpty(), "a second statement", condition);
    sqlite3_finalize(statement);
    return 0;
}
