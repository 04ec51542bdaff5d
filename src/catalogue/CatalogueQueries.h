#pragma once

#include <QString>
#include <QStringList>

class QSqlQuery;

// Every SQL text the program sends to the catalogue, kept together so that the column
// positions read elsewhere and the table aliases used by condition fragments stay in one place.
namespace CatalogueQueries {

// Coefficients a1..a7 and b1..b7 of one model.
constexpr int coefficientCount = 7;

// Columns of the fan table query, by position.
enum FanColumn {
    FanId,
    FanClassId,
    FanModelId,
    FanEngineId,
    FanMaterialId,
    FanTemperature,
    FanA1,
    FanB1 = FanA1 + coefficientCount,
    FanPhiMin = FanB1 + coefficientCount,
    FanPhiMax,
    FanB,
    FanC,
    FanRealSpeed,
    FanModel,
    FanDiameter,
    FanNominal,
    FanMaterial,
    FanClass,
    FanPower,
    FanSpeed,
    FanRev,
    FanQ,
    FanP,
    FanColumnCount
};

// Columns of the class tree query, by position.
enum TreeColumn { TreeId, TreeClass, TreeLeft, TreeRight, TreeLevel };

// Columns of the comparison query, by position.
enum CmpColumn {
    CmpModel,
    CmpDiameter,
    CmpSpeed,
    CmpPower,
    CmpQ,
    CmpP,
    CmpLength,
    CmpDepth,
    CmpHeight,
    CmpWeight,
    CmpUrl,
    CmpPdf,
    CmpId,
    CmpColumnCount
};

// The fan table query up to and including WHERE; a condition is appended to it.
const QString& fanTableBase();
// The catalogue's file name beside the program.
extern const QString catalogueFile;
// What standard error says of a query that failed: its text and the driver's reason.
QString failure(const QSqlQuery& query);
extern const QString tree;
extern const QString searchDiameters;
// Holds %1 for the quoted text that stands in for a missing dimension or weight.
extern const QString comparisonBase;

// The distinct values of one filter column under the condition %1.
QString filterValues(const QString& column);
// The condition that lists the fans of a class-tree node.
QString treeNodeCondition(int left, int right);
QString comparison(const QString& baseQuery, const QStringList& ids);
// The condition that lists the fans of these ids.
QString fanIdsCondition(const QStringList& ids);
QString techInfoModels(const QStringList& ids);
QString descriptionPdf(int fanId);

} // namespace CatalogueQueries
