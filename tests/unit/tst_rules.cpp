#include "CatalogueQueries.h"
#include "ComparisonView.h"
#include "DataSheet.h"
#include "FanCalculator.h"
#include "FanRecord.h"
#include "FanTableModel.h"
#include "FilterCondition.h"
#include "LinkPolicy.h"
#include "MainWindow.h"
#include "MatchCondition.h"
#include "PrintedTable.h"
#include "ReportPrinter.h"
#include "ScreenPlacement.h"
#include "SearchGrammar.h"
#include "TestSupport.h"

#include <QtSql>

using Types = QVector<QPair<int, int>>; // fan types as bounds in the class tree
using R = QRect;
using Rects = QList<QRect>;
Q_DECLARE_METATYPE(Rects)

// The tables of the pure rules, against SQLite's own answers where they are SQL. The catalogue's:
// the search grammar (arbitrary input is left to the fuzz target), the filter lists, the matching
// box and a fan table row read as a fan. The window's: links, data sheets, the printed table,
// screen places.
class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(catalogue.build(TestCatalogue::smallContent()));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(catalogue.catalogueFile());
        QVERIFY(db.open());
    }

    void cleanupTestCase() { QSqlDatabase::database().close(); }

    // Each row: inputs separated by "|" that all give the same condition.
    void condition_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("condition");
        const QString vkr = "mod.model LIKE 'ВКР%' \n", d4 = " AND f.diameter = '4' \n";
        const QString zh = vkr + d4 + " AND mat.material = 'Ж' \n";
        QTest::newRow("model") << QString("вкр") << vkr;
        QTest::newRow("size") << QString("ВКР-4|ВКР 4|ВКР4|  вкр-4  ") << vkr + d4;
        QTest::newRow("decimal") << QString("вкр-3,15|ВКР-3.15")
                                 << vkr + " AND f.diameter = '3.15' \n";
        QTest::newRow("size only") << QString("4") << "f.diameter = '4' \n";
        QTest::newRow("material") << QString("ВКР-4Ж|вкр-4ж") << zh;
        const QString cl = zh + " AND cl.class ";
        QTest::newRow("class") << QString("ВКР-4Ж крышные") << cl + "LIKE 'Крышные%' \n";
        QTest::newRow("two words")
            << QString("ВКР-4Ж КРЫШНЫЕ осевые") << cl + "LIKE 'Крышные осевые%' \n";
        QTest::newRow("scheme") << QString("ВКР-4Ж сх 5|ВКР-4Ж СХЕМА5") << cl + "= 'Схема 5' \n";
        QTest::newRow("not a size") << QString("ВКР-999") << "mod.model LIKE 'ВКР-999%' \n";
        QTest::newRow("series") << QString("ВР80-75") << "mod.model LIKE 'ВР80-75%' \n";
        QTest::newRow("series size") << QString("ВР80-75-4") << "mod.model LIKE 'ВР80-75%' \n" + d4;
        QTest::newRow("parentheses") << QString("ВКОП(Ф)-4") << "mod.model LIKE 'ВКОП(Ф)%' \n" + d4;
        QTest::newRow("nothing") << QString("999|4.0|ВКР-4 Ж|ВР 80-75||ВКР'|ВКР%") << "1 = 0";
    }

    void condition()
    {
        QFETCH(QString, typed);
        for (const QString& text : typed.split('|'))
            QTEST(SearchGrammar::condition(text, {"3.15", "4", "6.3"}), "condition");
    }

    // The lists (diameter, speed, power, material, nominal, temperature) under the root node,
    // after a check or an uncheck in the list `changed`; what SQLite then lists as materials.
    void filterCheckStates_data()
    {
        QTest::addColumn<int>("changed");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QStringList>("materials");
        // Fans of 3.15 or 4 dm: 1, 4 "О"; 6 "К"; 2 "Ж", made only for 400 °C (small_catalogue).
        QTest::newRow("uncheck keeps all") << 0 << false << d + t400 << QStringList{"К", "О"};
        QTest::newRow("check its own") << 5 << true << t400 << QStringList{"ДУ", "К", "О"};
        QTest::newRow("check another") << 0 << true << d << QStringList{"Ж", "К", "О"};
    }

    void filterCheckStates()
    {
        QFETCH(int, changed);
        QFETCH(bool, checked);
        const QString root = CatalogueQueries::treeNodeCondition(1, 30);
        const QStringList lists{d, "", "", "", "", t400};
        const QString condition = FilterCondition::checkStates(root, lists, changed, checked);
        QTEST(condition.mid(root.size()), "extra");
        QCOMPARE(FilterCondition::table(root, lists), root + d + t400);
        const QString materials = CatalogueQueries::filterValues("mat.material").arg(condition);
        QStringList listed;
        for (QSqlQuery q(materials); q.next();)
            listed << q.value(0).toString();
        QTEST(listed, "materials");
    }

    // Type bounds; pressure and airflow as (value, deviation %), a null point for off.
    void matchCondition_data()
    {
        QTest::addColumn<Types>("types");
        QTest::addColumn<QPointF>("pressure");
        QTest::addColumn<QPointF>("airflow");
        QTest::addColumn<QList<int>>("ids"); // SQLite's answer on the small catalogue
        QTest::addColumn<QString>("condition");
        auto range = [](const char* column, const char* low, const char* high) {
            return QString("AND f.%1_min <= '%3' AND f.%1_max >= '%2' \n").arg(column, low, high);
        };
        const QString vr = "((cl.leftValue >= '12' AND cl.rightValue <= '23')) \n";
        const QString two = "((cl.leftValue >= '6' AND cl.rightValue <= '11') OR \n"
                            "(cl.leftValue >= '12' AND cl.rightValue <= '23')) \n";
        const Types vkrVr{{6, 11}, {12, 23}};
        // ВКР and ВР; 500 Pa touches the ends of fans 1 (300-500) and 6 (500-800).
        QTest::newRow("pressure") << vkrVr << QPointF(500, 0) << QPointF() << QList<int>{1, 3, 4, 6}
                                  << two + range("p", "500", "500");
        // 4000 m³/h: 1 (1250.5-4000.5), 4, 5, 6 and 9, not 2 (1500-3000) nor 3 (5000-9000).
        QTest::newRow("airflow") << vkrVr << QPointF() << QPointF(4000, 0)
                                 << QList<int>{1, 4, 5, 6, 9} << two + range("q", "4000", "4000");
        // ВР; 500 ± 10 % is [450, 550], 4000 ± 5 % is [3800, 4200].
        QTest::newRow("both") << Types{{12, 23}} << QPointF(500, 10) << QPointF(4000, 5)
                              << QList<int>{1, 4}
                              << vr + range("p", "450", "550") + range("q", "3800", "4200");
        // 12.5 ± 10 % is [11.25, 13.75]; 1e6 ± 15 % is [850000, 1150000], to six digits.
        QTest::newRow("digits") << Types{{24, 29}} << QPointF(12.5, 10) << QPointF(1e6, 15)
                                << QList<int>{}
                                << "((cl.leftValue >= '24' AND cl.rightValue <= '29')) \n" +
                                       range("p", "11.25", "13.75") +
                                       range("q", "850000", "1.15e+06");
        QTest::newRow("neither") << Types{{6, 11}} << QPointF() << QPointF() << QList<int>{}
                                 << "'1' = '0' ";
        QTest::newRow("no type") << Types{} << QPointF(500, 0) << QPointF(4000, 0) << QList<int>{}
                                 << "'1' = '0' ";
    }

    void matchCondition()
    {
        QFETCH(Types, types);
        QFETCH(QPointF, pressure);
        QFETCH(QPointF, airflow);
        auto on = [](QPointF v) {
            return MatchCondition::Tolerance{!v.isNull(), v.x(), int(v.y())};
        };
        QLocale::setDefault(QLocale(QLocale::Russian)); // the SQL keeps its decimal point
        const QString condition = MatchCondition::condition(types, on(pressure), on(airflow));
        QLocale::setDefault(QLocale::c());
        QTEST(condition, "condition");
        QTEST(sqliteFanIds(catalogue.catalogueFile(), condition), "ids");
    }

    // Fan 4 of the small catalogue as the plot gets it: ВР80-75 in 4 dm (0.4 m), nominal 1.05, О
    // for 20 °C, 0.75 kW at 1400 rev/min.
    void fanRecord()
    {
        QSqlQuery query(MainWindow::fanTableBaseQuery + "f.id = 4");
        FanTableModel model;
        model.setQuery(query);
        const FanCalculator fan = FanRecord::fromRow(model, 0, 5);
        QString seen; // each followed by a blank
        QDebug(&seen).noquote() << fan.get_Id() << fan.get_D() << fan.get_temperature()
                                << fan.get_speed() << fan.get_nominal() << fan.get_steps()
                                << fan.get_material() << fan.get_className();
        QCOMPARE(seen + fan.get_Ncons_label_left(),
                 "4 0.4 20 1500 1.05 5 О Схема 5 ВР80-75-4-1.05Dn (0.75/1400) Ncons");
        // A new duty refreshes its columns, the last ones, in every row.
        model.setDuty({1000, 100});
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setDuty({2000, 200});
        QCOMPARE(changed.value(0).mid(0, 2),
                 (QVariantList{QVariant::fromValue(model.index(0, model.dutyColumn(0))),
                               QVariant::fromValue(model.index(0, model.columnCount() - 1))}));
    }

    void fanTableModel_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("mixed") << QStringLiteral(
            "SELECT 1 AS a, NULL AS b, '' AS c, x'00ff' AS d UNION ALL SELECT 2.5, 'ВР', NULL, x'' "
            "UNION ALL SELECT NULL, 4, 'ВР', 7");
        // Each text after one it begins or ends: the last text read may not stand for the next.
        QTest::newRow("texts") << QStringLiteral(
            "SELECT 'ВР80' UNION ALL SELECT 'ВР' UNION ALL SELECT 'ВР' UNION ALL SELECT '' "
            "UNION ALL SELECT 'ВР80'");
        QTest::newRow("paged") << QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
            "i + 1 FROM n WHERE i < 300) SELECT i, i * 0.5, "
            "'r' || (i % 7) FROM n");
    }

    // The fan table's model against the driver's own: every cell and label of the same type and
    // value, read from SQLite's statement (the driver's default precision) or through the driver
    // (a precision that turns decimals into integers).
    void fanTableModel()
    {
        QFETCH(QString, sql);
        for (const auto policy : {QSql::LowPrecisionDouble, QSql::LowPrecisionInt32}) {
            QSqlQuery theirs, ours;
            theirs.setNumericalPrecisionPolicy(policy);
            ours.setNumericalPrecisionPolicy(policy);
            ours.setForwardOnly(true);
            theirs.exec(sql);
            ours.exec(sql);
            QSqlQueryModel expected;
            expected.setQuery(theirs);
            while (expected.canFetchMore())
                expected.fetchMore();
            FanTableModel model;
            QAbstractItemModelTester tester(&model,
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset),
                labelled(&model, &QAbstractItemModel::headerDataChanged),
                theirsLabelled(&expected, &QAbstractItemModel::headerDataChanged);
            model.setQuery(ours);
            QCOMPARE(aboutToReset.count(), 1);
            QCOMPARE(model.rowCount(), expected.rowCount());
            QCOMPARE(model.columnCount(), expected.columnCount());
            for (const int section : {0, 1, -1, 99}) // out of range or not, labels of no duty
                QCOMPARE(model.setHeaderData(section, Qt::Horizontal, "B"),
                         expected.setHeaderData(section, Qt::Horizontal, "B"));
            QCOMPARE(labelled.count(), theirsLabelled.count());
            // Out of range too, where there are neither labels nor cells.
            for (int column = -1; column <= model.columnCount(); ++column) {
                QCOMPARE(model.headerData(column, Qt::Horizontal),
                         expected.headerData(column, Qt::Horizontal));
                for (int row = 0; row < model.rowCount(); ++row) {
                    for (const int role : {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole}) {
                        const QVariant a = model.index(row, column).data(role);
                        const QVariant b = expected.index(row, column).data(role);
                        QVERIFY(a.userType() == b.userType() && a.isNull() == b.isNull());
                        QCOMPARE(a, b);
                    }
                }
            }
        }
    }

    void links_data()
    {
        QTest::addColumn<QString>("rule");     // order page, description name, link in a data sheet
        QTest::addColumn<QString>("inputs");   // split at blanks; the folder is /opt/v/
        QTest::addColumn<QString>("expected"); // for each input, %1 standing for it
        // clang-format off
        QTest::newRow("order, web") << "order" << "https://vortel.example/o/2 HTTP://a.example" << "%1";
        QTest::newRow("order, refused") << "order" << "file:///bin/sh javascript:alert(1) http://[x " << "";
        QTest::newRow("pdf") << "pdf" << "vr80_75 a.b" << "file:///opt/v/pdf/%1.pdf";
        QTest::newRow("pdf, refused") << "pdf" << " ../x .. a/b a\\b c:x x# x?" << "";
        QTest::newRow("open, web, mail") << "open" << "https://vortel.example mailto:a@b.example" << "%1";
        QTest::newRow("open, relative") << "open" << "pdf/x.pdf" << "file:///opt/v/%1";
        QTest::newRow("open, file") << "open" << "file:///opt/v/pdf/../y.pdf" << "file:///opt/v/y.pdf";
        QTest::newRow("open, refused") << "open" << "../../etc/passwd file:///opt/vx/y file:/// "
                                                    "javascript:alert(1) ftp://a.example/x" << "";
        // clang-format on
    }

    void links()
    {
        QFETCH(QString, rule);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        for (const QString& input : inputs.split(' '))
            QCOMPARE(rule == "order" ? LinkPolicy::orderUrl(input)
                     : rule == "pdf" ? LinkPolicy::pdfLink("/opt/v/", input)
                                     : LinkPolicy::openableLink("/opt/v/", input).toString(),
                     expected.contains('%') ? expected.arg(input) : expected);
    }

    // The texts the window writes out. A data sheet: purpose, conditions, sizes, then the
    // description link, escaped; a name that leads out of the fragments' folder reads nothing and
    // gets the managers' phone instead.
    void texts()
    {
        const QString link = DataSheet::pdfParagraph("file:///p/a&b.pdf");
        QCOMPARE(DataSheet::page(
                     "a<b>", [](const QString& name) { return '[' + name + ']'; }, link),
                 "<link href='res/css/styles.css' type='text/css' rel='stylesheet' /><h1>a&lt;b&gt;"
                 "</h1>[res/a<b>/purpose.html][res/a<b>/cond.html][res/a<b>/sizes.html]<p>You can "
                 "see detailed information in our <a href=\"file:///p/a&amp;b.pdf\">catalog</a>");
        QCOMPARE(
            DataSheet::page("../a<b>", nullptr, ""),
            "Ask our managers about technical information on mark ../a&lt;b&gt;: tel. +7 (495) "
            "123-45-67");

        // Chosen columns and rows in the order given, texts on one line and escaped, empty cells
        // kept; then a translated stand-in with a quote stays one SQL string.
        QStandardItemModel model(3, 3);
        model.setHorizontalHeaderLabels({"Model", " Q,\n  m³/h ", "Material"});
        const QStringList cells{"ВР  80-75", "1", "О", "x", "2", "y", " ВКР\t<b>", "3", " "};
        for (int i = 0; i < cells.size(); ++i)
            model.setData(model.index(i / 3, i % 3), cells.at(i));
        QCOMPARE(PrintedTable::html(model, {2, 1, 0}, {2, 0}),
                 "<html>\n<head>\n<meta Content=\"Text/html\">\n</head>\n<body bgcolor=#FFFFFF>\n"
                 "<table border=1 cellspacing=0 cellpadding=2>\n<thead><tr bgcolor=#F0F0F0><th>"
                 "Material</th><th>Q, m³/h</th><th>Model</th></tr></thead>\n<tr><td>&nbsp;</td><td>"
                 "3</td><td>ВКР &lt;b&gt;</td></tr>\n<tr><td>О</td><td>1</td><td>ВР 80-75</td></tr>"
                 "\n</table>\n</body>\n</html>\n");
        // A printed document's title: the program, then at most five fans, the rest left out.
        const QStringList five{"a", "b", "c", "d", "e"};
        QCOMPARE(ReportPrinter::documentTitle("V", five + QStringList{"f"}) + '|' +
                     ReportPrinter::documentTitle("V", five) + '|' +
                     ReportPrinter::documentTitle("V", {}),
                 "V: a, b, c, d, e, …|V: a, b, c, d, e|V");

        struct Quoting : QTranslator
        {
            QString translate(const char*, const char* s, const char*, int) const override
            {
                return QByteArray(s) == "Ask manager" ? "Спроси'те" : QString();
            }
        } translator;
        QCoreApplication::installTranslator(&translator);
        const ComparisonView view("/");
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(view.queryText({"1", "2"}).contains("'Спроси''те'"));

        // A file read whole as UTF-8, up to a zero byte.
        QTemporaryFile file;
        QVERIFY(file.open() && file.write(QByteArrayLiteral("Вентилятор\r\nfirst\0second")) &&
                file.flush());
        QCOMPARE(MainWindow::readWholeFile(file.fileName()), "Вентилятор\r\nfirst");
    }

    void placement_data()
    {
        QTest::addColumn<bool>("dialog"); // else the main window
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<QRect>("saved");    // a dialog's position is its top left corner
        QTest::addColumn<QRect>("expected"); // the window falls back to 200, 200, 800 × 600
        const R one(0, 0, 1920, 1040), small(10, 20, 600, 400), back(200, 200, 800, 600);
        // The second of two screens bounds what lies on it; over both, the first one does.
        const Rects two{one, R(1920, 0, 1280, 200)}, none;
        // clang-format off
        QTest::newRow("just right of it") << false << Rects{one} << R(1920, 0, 90, 90) << back;
        QTest::newRow("no rectangle") << false << Rects{one} << R() << back;
        QTest::newRow("no screen") << false << none << small << back;
        QTest::newRow("larger") << false << Rects{one} << R(-5, 5, 3000, 2000) << R(-5, 5, 1920, 1040);
        QTest::newRow("on the second") << false << two << R(2000, 0, 1500, 300) << R(2000, 0, 1280, 200);
        QTest::newRow("over both") << false << two << R(1900, 0, 400, 300) << R(1900, 0, 400, 300);
        // A dialog: where it was, else at the preferred 250, 250, else 50, 50 into the first screen.
        QTest::newRow("dialog on the second") << true << two << R(3199, 199, 1, 1) << R(3199, 199, 1, 1);
        QTest::newRow("dialog, no screen") << true << none << R(10, 10, 1, 1) << R(250, 250, 1, 1);
        // clang-format on
    }

    void placement()
    {
        QFETCH(bool, dialog);
        QFETCH(Rects, screens);
        QFETCH(QRect, saved);
        namespace S = ScreenPlacement;
        QTEST(dialog ? QRect(S::dialogPosition(screens, saved.topLeft(), {250, 250}, {50, 50}),
                             QSize(1, 1))
                     : S::windowGeometry(screens, saved, {200, 200, 800, 600}),
              "expected");
    }

private:
    TestCatalogue catalogue;
    const QString d = " AND f.diameter IN ('3.15', '4')\n";
    const QString t400 = " AND mat.temperature IN ('20', '600')\n";
};

QTEST_MAIN(TestRules)
#include "tst_rules.moc"
