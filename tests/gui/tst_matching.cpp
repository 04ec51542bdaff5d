#include "MatchingWidget.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

// 1, 2 touch the ends of [85, 115] Pa, [850, 1150] m³/h; 3, 4 miss by one; 6 lies in the root.
const char* const catalogue[] = {
    "CREATE TABLE fans (id, leftValue INT, rightValue INT, p_min REAL, p_max REAL, q_min REAL, "
    "q_max REAL)",
    "INSERT INTO fans VALUES (1, 3, 4, 50, 85, 500, 850), (2, 3, 4, 115, 300, 1150, 3e3), "
    "(3, 3, 4, 116, 300, 900, 1e3), (4, 7, 8, 90, 110, 1151, 2e3), (6, 1, 10, 0, 1e3, 0, 1e4), "
    "(7, 7, 8, 100, 200, 1e3, 1200), (8, 3, 4, 1e5, 2e5, 1e6, 2e6), (9, 7, 8, 12, 14, 1e3, 2e3)"};
const QString both = "((cl.leftValue >= '2' AND cl.rightValue <= '5') OR \n"
                     "(cl.leftValue >= '6' AND cl.rightValue <= '9')) \n";
const QString pDef = "AND f.p_min <= '115' AND f.p_max >= '85' \n";   // 100 ± 15 %
const QString qDef = "AND f.q_min <= '1150' AND f.q_max >= '850' \n"; // 1000 ± 15 %

class TestMatching : public QObject
{
    Q_OBJECT
    QScopedPointer<MatchingWidget> box;
    // Airflow in grid row 0, pressure in row 1: switch, value, ±, deviation; then types, button.
    QGridLayout* grid() const { return static_cast<QGridLayout*>(box->layout()); }
    QWidget* at(int row, int column) const { return grid()->itemAtPosition(row, column)->widget(); }
    QString state() const // value, ± and deviation enabled in each row; airflow, pressure
    {
        QString bits;
        for (int cell = 0; cell < 6; ++cell)
            bits += at(cell / 3, cell % 3 + 1)->isEnabled() ? '1' : '0';
        return bits + QString(" %1 %2").arg(box->qMatchValue()).arg(box->pMatchValue());
    }
private slots:
    void initTestCase()
    {
        QSqlDatabase::addDatabase("QSQLITE").setDatabaseName(":memory:");
        for (const char* sql : catalogue)
            QVERIFY(QSqlQuery(sql, QSqlDatabase::database()).isActive());
    }
    void condition_data()
    {
        QTest::addColumn<QString>("input"); // pressure, deviation, airflow, deviation|unticked|...
        QTest::addColumn<QString>("ids");   // of the fans SQLite selects with the condition
        QTest::addColumn<QString>("condition");
        const QString def = "100 15 1000 15", nothing = "'1' = '0' ";
        QTest::newRow("worked example") << def << QString("1,2,7") << both + pDef + qDef;
        QTest::newRow("0 %, 99 %") << "100 0 1000 99" << QString("4,7") // 1000 ± 99 %: [10, 1990]
                                   << both + "AND f.p_min <= '100' AND f.p_max >= '100' \n"
                                             "AND f.q_min <= '1990' AND f.q_max >= '10' \n";
        QTest::newRow("pressure off") << def + "|Pressure :" << QString("1,2,3,7,9") << both + qDef;
        QTest::newRow("airflow off") << def + "|Airflow :" << QString("1,2,4,7") << both + pDef;
        QTest::newRow("both off") << def + "|Pressure :|Airflow :" << QString() << nothing;
        QTest::newRow("no fan type") << def + "|ВКР|ВО" << QString() << nothing;
        // 12.5 ± 10 % is [11.25, 13.75]; 1234.56 ± 7 % is [1148.1408, 1320.9792], to six digits.
        QTest::newRow("comma, ru") << "12,5 10 1234,56 7" << QString("9")
                                   << both + "AND f.p_min <= '13.75' AND f.p_max >= '11.25' \n"
                                             "AND f.q_min <= '1320.98' AND f.q_max >= '1148.14' \n";
        // Stored beyond the maxima: 1e5 ± 99 % is [1000, 199000]; 1e6 ± 15 %, [850000, 1.15e+06].
        QTest::newRow("clamped") << QString() << QString("8")
                                 << both + "AND f.p_min <= '199000' AND f.p_max >= '1000' \n"
                                           "AND f.q_min <= '1.15e+06' AND f.q_max >= '850000' \n";
    }
    void condition()
    {
        QFETCH(QString, input);
        QFETCH(QString, ids);
        QFETCH(QString, condition);
        box.reset(
            new MatchingWidget(1e5, 2e5, 150, 1e6, 2e6, 15, {"ВКР", "ВО"}, {2, 6}, {5, 9}, {}));
        box->setLocale(input.contains(',') ? QLocale(QLocale::Russian) : QLocale::c());
        QStringList unticked = input.split('|'), values = unticked.takeFirst().split(' ');
        for (int i = 0; i < values.size(); ++i) { // rows 1 then 0, columns 1 then 3
            QTest::keyClick(at(1 - i / 2, 1 + i % 2 * 2), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(at(1 - i / 2, 1 + i % 2 * 2), values[i]);
        }
        for (QAbstractButton* check : box->findChildren<QAbstractButton*>())
            if (unticked.contains(check->text()))
                QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(box->getQueryCondition(), condition);
        QSqlQuery query("SELECT group_concat(id) FROM fans f JOIN fans cl USING (id) WHERE \n" +
                        condition);
        QCOMPARE(query.next() ? query.value(0).toString() : "failed", ids);
    }
    void widget()
    {
        box.reset(new MatchingWidget(1e5, 0, 1, 1e6, 0, 1, {"", "", ""}, {1, 2, 3}, {1, 2, 3}, {}));
        auto* types = static_cast<QGridLayout*>(box->findChild<QGroupBox*>()->layout());
        QString cells, seen; // seen: the box as the main window finds it on each click
        for (int cell = 0; cell < 6; ++cell)
            cells += types->itemAtPosition(cell % 2, cell / 2) ? 'x' : '-';
        QCOMPARE(cells, "--xxx-"); // fan types two to a column from column 1
        QCOMPARE(grid()->columnStretch(1) + grid()->columnStretch(3), 2); // values and deviations
        QCOMPARE(at(1, 5), box->btMatch()); // over both rows, after the fan types
        connect(box->btMatch(), &QPushButton::clicked, box.data(), [&] { seen += state() + ';'; });
        QTest::keyClick(at(0, 0), Qt::Key_Space);
        box->setQPvalues(QPointF(2000, 250));
        QCOMPARE(state(), "000111 2000 250");
        box->matchCurrent();
        QTest::keyClick(at(1, 0), Qt::Key_Space);
        QCOMPARE(state(), "111000 2000 250");
        box->matchByPoint(QPointF(3000.5, 400));
        QCOMPARE(seen, "111111 2000 250;111111 3000.5 400;");
        for (int i = 0; i < 20; ++i) // up from 1 by 10 a step
            QTest::keyClick(at(i % 2, 3), Qt::Key_PageUp);
        QCOMPARE(box->qDeviationValue() + box->pDeviationValue(), 99 + 99);
    }
};
QTEST_MAIN(TestMatching)
#include "tst_matching.moc"
