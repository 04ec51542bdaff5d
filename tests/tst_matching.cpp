#include "MatchingWidget.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

const QString dbName = QStringLiteral("matching");

// Two fan types with the bounds of the worked example, each with one scheme below it. Against the
// default intervals [85, 115] Pa and [850, 1150] m³/h: fans 1 and 2 touch their ends, 3 misses
// the pressure and 4 the airflow by one unit, 5 misses both, 6 sits in no fan type; 8 lies near
// the maxima and 9 near 12.5 Pa.
const char* const catalogue[] = {
    "CREATE TABLE classes (id INTEGER PRIMARY KEY, class TEXT, leftValue INTEGER, "
    "rightValue INTEGER, level INTEGER)",
    "CREATE TABLE fans (id INTEGER PRIMARY KEY, class_id INTEGER, p_min REAL, p_max REAL, "
    "q_min REAL, q_max REAL)",
    "INSERT INTO classes VALUES (1, 'root', 1, 32, 0), (2, 'ВКР', 2, 15, 1), "
    "(3, 'Схема 1', 3, 4, 2), (4, 'ВО', 16, 31, 1), (5, 'Схема 2', 17, 18, 2)",
    "INSERT INTO fans VALUES (1, 3, 50, 85, 500, 850), (2, 3, 115, 300, 1150, 3000), "
    "(3, 3, 116, 300, 900, 1000), (4, 5, 90, 110, 1151, 2000), (5, 5, 10, 84, 100, 849), "
    "(6, 1, 0, 1000, 0, 10000), (7, 5, 100, 200, 1000, 1200), "
    "(8, 3, 100000, 120000, 1000000, 2000000), (9, 5, 13.75, 14, 1000, 1200)",
};

// The worked example: 100 Pa ± 15 % and 1000 m³/h ± 15 % on both types.
const QString both = QStringLiteral("((cl.leftValue >= '2' AND cl.rightValue <= '15') OR \n"
                                    "(cl.leftValue >= '16' AND cl.rightValue <= '31')) \n");
const QString pDefault = QStringLiteral("AND f.p_min <= '115' AND f.p_max >= '85' \n");
const QString qDefault = QStringLiteral("AND f.q_min <= '1150' AND f.q_max >= '850' \n");
const QString nothing = QStringLiteral("'1' = '0' ");

std::unique_ptr<MatchingWidget> makeBox(int typeCount = 2, double pValue = 100, int pDev = 15,
                                        double qValue = 1000, int qDev = 15)
{
    const QStringList names{"ВКР", "ВО", "ВР", "ВКОП", "Т5"};
    const QList<int> left{2, 16, 32, 40, 50}, right{15, 31, 39, 49, 59};
    return std::make_unique<MatchingWidget>(100000, pValue, pDev, 1000000, qValue, qDev,
                                            names.mid(0, typeCount), left.mid(0, typeCount),
                                            right.mid(0, typeCount), nullptr);
}

} // namespace

class TestMatching : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultsShown();
    void condition_data();
    void condition();
    void clampedAboveMaxima();
    void deviationsStopAt99();
    void switchGreysItsRow();
    void pointFillsValuesWithoutMatching();
    void matchByPointRechecksAndClicksOnce();
    void matchCurrentKeepsValues();
    void layout_data();
    void layout();

private:
    QWidget* at(int row, int column) const;
    QAbstractSpinBox* spinAt(int row, int column) const;
    QCheckBox* checkBox(const QString& text) const;
    void type(QAbstractSpinBox* spin, const QString& text);
    QString selectedIds(const QString& condition);

    std::unique_ptr<MatchingWidget> box;
};

void TestMatching::initTestCase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), dbName);
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery query(db);
    for (const char* sql : catalogue)
        QVERIFY2(query.exec(QString::fromUtf8(sql)), qPrintable(query.lastError().text()));
}

void TestMatching::init()
{
    QLocale::setDefault(QLocale::c());
    box = makeBox();
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
}

void TestMatching::cleanup()
{
    box.reset();
    QLocale::setDefault(QLocale::c());
}

QWidget* TestMatching::at(int row, int column) const
{
    QLayoutItem* item = static_cast<QGridLayout*>(box->layout())->itemAtPosition(row, column);
    return item ? item->widget() : nullptr;
}

QAbstractSpinBox* TestMatching::spinAt(int row, int column) const
{
    return qobject_cast<QAbstractSpinBox*>(at(row, column));
}

QCheckBox* TestMatching::checkBox(const QString& text) const
{
    for (QCheckBox* candidate : box->findChildren<QCheckBox*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

void TestMatching::type(QAbstractSpinBox* spin, const QString& text)
{
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Enter);
}

// SQLite's own answer to the condition, as the ids of the fans it selects.
QString TestMatching::selectedIds(const QString& condition)
{
    QSqlQuery query(QSqlDatabase::database(dbName));
    if (!query.exec("SELECT f.id FROM fans AS f INNER JOIN classes AS cl ON f.class_id = cl.id "
                    "WHERE \n" +
                    condition + "ORDER BY f.id"))
        return "error: " + query.lastError().text();
    QStringList ids;
    while (query.next())
        ids.append(query.value(0).toString());
    return ids.join(',');
}

void TestMatching::defaultsShown()
{
    QCOMPARE(box->title(), "Matching");
    QCOMPARE(spinAt(0, 1)->text(), "1000.00 m³/h");
    QCOMPARE(spinAt(0, 3)->text(), "15 %");
    QCOMPARE(spinAt(1, 1)->text(), "100.00 Pa");
    QCOMPARE(spinAt(1, 3)->text(), "15 %");
    QCOMPARE(box->btMatch()->text(), "Match");
    QCOMPARE(qobject_cast<QGroupBox*>(at(0, 4))->title(), "Fan types");
    for (const char* text : {"Airflow :", "Pressure :", "ВКР", "ВО"})
        QVERIFY2(checkBox(text) && checkBox(text)->isChecked(), text);
    QCOMPARE(box->getQueryCondition(), both + pDefault + qDefault);
}

void TestMatching::condition_data()
{
    QTest::addColumn<QString>("typed");    // pressure, its deviation, airflow, its deviation
    QTest::addColumn<QString>("unticked"); // texts of the check boxes the user unticks
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("ids");

    const QString defaults = "100 15 1000 15", none;
    QTest::newRow("worked example") << defaults << none << both + pDefault + qDefault << "1,2,7";
    QTest::newRow("0 %") << "100 0 1000 0" << none
                         << both + "AND f.p_min <= '100' AND f.p_max >= '100' \n"
                                   "AND f.q_min <= '1000' AND f.q_max >= '1000' \n"
                         << "7";
    // 100 ± 99 % is [1, 199]; 1000 ± 99 % is [10, 1990].
    QTest::newRow("99 %") << "100 99 1000 99" << none
                          << both + "AND f.p_min <= '199' AND f.p_max >= '1' \n"
                                    "AND f.q_min <= '1990' AND f.q_max >= '10' \n"
                          << "1,2,3,4,5,7,9";
    QTest::newRow("pressure off") << defaults << "Pressure :" << both + qDefault << "1,2,3,7,9";
    QTest::newRow("airflow off") << defaults << "Airflow :" << both + pDefault << "1,2,4,7";
    QTest::newRow("both off") << defaults << "Pressure :|Airflow :" << nothing << "";
    QTest::newRow("no fan type") << defaults << "ВКР|ВО" << nothing << "";
    QTest::newRow("second type") << defaults << "ВКР"
                                 << "((cl.leftValue >= '16' AND cl.rightValue <= '31')) \n" +
                                        pDefault + qDefault
                                 << "7";
    QTest::newRow("first type, pressure off")
        << defaults << "ВО|Pressure :"
        << "((cl.leftValue >= '2' AND cl.rightValue <= '15')) \n" + qDefault << "1,2,3";
    // 90 * 12.5 / 100 = 11.25, 110 * 12.5 / 100 = 13.75;
    // 93 * 1234.56 / 100 = 1148.1408 and 107 * 1234.56 / 100 = 1320.9792, to six digits.
    const QString fractions = both + "AND f.p_min <= '13.75' AND f.p_max >= '11.25' \n"
                                     "AND f.q_min <= '1320.98' AND f.q_max >= '1148.14' \n";
    QTest::newRow("fractions") << "12.5 10 1234.56 7" << none << fractions << "9";
    QTest::newRow("decimal comma") << "12,5 10 1234,56 7" << none << fractions << "9";
}

void TestMatching::condition()
{
    QFETCH(QString, typed);
    QFETCH(QString, unticked);
    QFETCH(QString, condition);
    QFETCH(QString, ids);

    if (typed.contains(',')) { // the spin boxes take the default locale when they are made
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        box = makeBox();
        box->show();
    }
    const QStringList values = typed.split(' ');
    QCOMPARE(values.size(), 4);
    const int cells[4][2] = {{1, 1}, {1, 3}, {0, 1}, {0, 3}}; // grid row, column of each
    for (int i = 0; i < 4; ++i)
        type(spinAt(cells[i][0], cells[i][1]), values.at(i));
    for (const QString& text : unticked.split('|', Qt::SkipEmptyParts)) {
        QCheckBox* check = checkBox(text);
        QVERIFY2(check, qPrintable(text));
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(!check->isChecked());
    }

    QCOMPARE(box->getQueryCondition(), condition);
    QCOMPARE(selectedIds(condition), ids);
}

void TestMatching::clampedAboveMaxima()
{
    box = makeBox(2, 250000, 150, 5e6, -5);
    QCOMPARE(box->pMatchValue(), 100000.0);
    QCOMPARE(box->qMatchValue(), 1000000.0);
    QCOMPARE(box->pDeviationValue(), 99);
    QCOMPARE(box->qDeviationValue(), 0);

    box->setQPvalues(QPointF(-3, -4));
    QCOMPARE(box->qMatchValue(), 0.0);
    QCOMPARE(box->pMatchValue(), 0.0);
    box->setQPvalues(QPointF(2e6, 3e5));
    type(spinAt(1, 3), "15");
    type(spinAt(0, 3), "15");
    // 1e5 ± 15 % is [85000, 115000]; 1e6 ± 15 % is [850000, 1150000], a million written 'g'.
    const QString condition = both + "AND f.p_min <= '115000' AND f.p_max >= '85000' \n"
                                     "AND f.q_min <= '1.15e+06' AND f.q_max >= '850000' \n";
    QCOMPARE(box->getQueryCondition(), condition);
    QCOMPARE(selectedIds(condition), "8");
}

void TestMatching::deviationsStopAt99()
{
    for (int row : {0, 1}) {
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(spinAt(row, 3), Qt::Key_PageUp);
        QCOMPARE(spinAt(row, 3)->text(), "99 %");
    }
    QCOMPARE(box->pDeviationValue(), 99);
    QCOMPARE(box->qDeviationValue(), 99);
}

void TestMatching::switchGreysItsRow()
{
    const auto enabled = [this](int row) {
        return QString("%1%2%3")
            .arg(at(row, 1)->isEnabled())
            .arg(at(row, 2)->isEnabled())
            .arg(at(row, 3)->isEnabled());
    };
    QCOMPARE(qobject_cast<QLabel*>(at(1, 2))->text(), "±");
    QTest::mouseClick(checkBox("Pressure :"), Qt::LeftButton);
    QCOMPARE(enabled(1), "000");
    QCOMPARE(enabled(0), "111");
    QTest::mouseClick(checkBox("Airflow :"), Qt::LeftButton);
    QCOMPARE(enabled(0), "000");
    QTest::mouseClick(checkBox("Pressure :"), Qt::LeftButton);
    QCOMPARE(enabled(1), "111");
    QCOMPARE(enabled(0), "000");
}

void TestMatching::pointFillsValuesWithoutMatching()
{
    QSignalSpy clicks(box->btMatch(), &QPushButton::clicked);
    QTest::mouseClick(checkBox("Pressure :"), Qt::LeftButton);
    box->setQPvalues(QPointF(2345.678, 321.5));
    QCOMPARE(spinAt(0, 1)->text(), "2345.68 m³/h");
    QCOMPARE(spinAt(1, 1)->text(), "321.50 Pa");
    QVERIFY(!checkBox("Pressure :")->isChecked());
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(box->btMatch(), Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void TestMatching::matchByPointRechecksAndClicksOnce()
{
    QStringList seen; // the condition as the main window would read it on the click
    connect(box->btMatch(), &QPushButton::clicked, box.get(),
            [&] { seen.append(box->getQueryCondition()); });
    QTest::mouseClick(checkBox("Pressure :"), Qt::LeftButton);
    QTest::mouseClick(checkBox("Airflow :"), Qt::LeftButton);

    box->matchByPoint(QPointF(2000, 250));
    // 250 ± 15 %: 85 * 250 / 100 = 212.5, 115 * 250 / 100 = 287.5; 2000 ± 15 % is [1700, 2300].
    QCOMPARE(seen, QStringList{both + "AND f.p_min <= '287.5' AND f.p_max >= '212.5' \n"
                                      "AND f.q_min <= '2300' AND f.q_max >= '1700' \n"});
    QVERIFY(at(0, 1)->isEnabled() && at(1, 3)->isEnabled());
}

void TestMatching::matchCurrentKeepsValues()
{
    QStringList seen;
    connect(box->btMatch(), &QPushButton::clicked, box.get(),
            [&] { seen.append(box->getQueryCondition()); });
    type(spinAt(1, 1), "250");
    QTest::mouseClick(checkBox("Pressure :"), Qt::LeftButton);
    QTest::mouseClick(checkBox("Airflow :"), Qt::LeftButton);

    box->matchCurrent();
    QCOMPARE(seen,
             QStringList{both + "AND f.p_min <= '287.5' AND f.p_max >= '212.5' \n" + qDefault});
    QCOMPARE(box->pMatchValue(), 250.0);
    QCOMPARE(box->qMatchValue(), 1000.0);
}

void TestMatching::layout_data()
{
    QTest::addColumn<int>("types");
    QTest::addColumn<QString>("cells"); // row,column of each fan type check box
    QTest::newRow("4 types") << 4 << "0,1 1,1 0,2 1,2";
    QTest::newRow("5 types") << 5 << "0,1 1,1 0,2 1,2 0,3";
}

void TestMatching::layout()
{
    QFETCH(int, types);
    QFETCH(QString, cells);
    box = makeBox(types);

    auto* grid = static_cast<QGridLayout*>(box->layout());
    QCOMPARE(qobject_cast<QCheckBox*>(at(0, 0))->text(), "Airflow :");
    QCOMPARE(qobject_cast<QCheckBox*>(at(1, 0))->text(), "Pressure :");
    QCOMPARE(qobject_cast<QLabel*>(at(0, 2))->text(), "±");
    QCOMPARE(spinAt(0, 1), box->findChildren<QDoubleSpinBox*>().at(1)); // airflow after pressure
    QStringList stretches;
    for (int column = 0; column < grid->columnCount(); ++column)
        stretches.append(QString::number(grid->columnStretch(column)));
    QCOMPARE(stretches.join(' '), "0 1 0 1 0 0");

    auto* typesBox = qobject_cast<QGroupBox*>(at(0, 4));
    QVERIFY(typesBox);
    int row, column, rowSpan, columnSpan;
    QStringList spans; // the fan types box and the button, each over both rows
    for (QWidget* widget : {static_cast<QWidget*>(typesBox), at(0, 5)}) {
        grid->getItemPosition(grid->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
        spans.append(QString("%1,%2 %3x%4").arg(row).arg(column).arg(rowSpan).arg(columnSpan));
    }
    QCOMPARE(spans.join(' '), "0,4 2x1 0,5 2x1");
    QCOMPARE(at(0, 5), box->btMatch());
    QCOMPARE(grid->rowCount(), 2);

    auto* typesGrid = static_cast<QGridLayout*>(typesBox->layout());
    QStringList found;
    for (QCheckBox* check : typesBox->findChildren<QCheckBox*>()) {
        typesGrid->getItemPosition(typesGrid->indexOf(check), &row, &column, &rowSpan, &columnSpan);
        found.append(QString("%1,%2").arg(row).arg(column));
    }
    QCOMPARE(found.join(' '), cells);
    QVERIFY(!typesGrid->itemAtPosition(0, 0) && !typesGrid->itemAtPosition(1, 0));
}

QTEST_MAIN(TestMatching)
#include "tst_matching.moc"
