#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

class QLabel;
class QListWidget;
class QSqlQuery;
class QVBoxLayout;

// One filter parameter: a titled list of check boxes, one per distinct catalogue value.
class FanParameter : public QObject
{
    Q_OBJECT

public:
    FanParameter(const QString& title, const QString& accessQuery, const QString& condPrefix,
                 int dataType);

    QString getSelectionCond() const;
    void fillWithData(QSqlQuery& query);
    void setCheckStates(QSqlQuery& query);
    QString dataToUserText(const QVariant& value) const;

    QListWidget* listWidget() const { return list; }
    const QString& getAccessQuery() const { return accessQuery; }
    QVBoxLayout* layout() const { return box; }

private:
    QVBoxLayout* box;
    QLabel* label;
    QListWidget* list;
    QString accessQuery;
    QString condPrefix;
    int dataType;
};
