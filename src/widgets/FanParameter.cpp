#include "FanParameter.h"

#include "FilterCondition.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QVBoxLayout>

FanParameter::FanParameter(const QString& title, const QString& accessQuery,
                           const QString& condPrefix, int dataType)
    : box(new QVBoxLayout)
    , label(new QLabel(title))
    , list(new QListWidget)
    , accessQuery(accessQuery)
    , condPrefix(condPrefix)
    , dataType(dataType)
{
    // The layout takes the label and the list; whoever adds the layout to a widget owns them all.
    // The list, expanding, takes the spare height.
    box->addWidget(label);
    box->addWidget(list);
}

QString FanParameter::getSelectionCond() const
{
    QStringList checked;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        if (item->checkState() == Qt::Checked)
            checked.append(item->data(Qt::UserRole).toString());
    }
    return FilterCondition::selection(condPrefix, checked);
}

void FanParameter::fillWithData(QSqlQuery& query)
{
    list->clear();
    while (query.next()) {
        const QVariant value = query.value(0);
        auto* item = new QListWidgetItem(dataToUserText(value));
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, value);
        list->addItem(item);
    }
}

void FanParameter::setCheckStates(QSqlQuery& query)
{
    QStringList listed;
    for (int i = 0; i < list->count(); ++i)
        listed.append(list->item(i)->data(Qt::UserRole).toString());
    QStringList allowed;
    while (query.next())
        allowed.append(query.value(0).toString());

    const QVector<bool> checked = FilterCondition::checkedValues(listed, allowed);
    const QSignalBlocker blocker(list);
    for (int i = 0; i < checked.size(); ++i)
        list->item(i)->setCheckState(checked.at(i) ? Qt::Checked : Qt::Unchecked);
}

QString FanParameter::dataToUserText(const QVariant& value) const
{
    // The default locale is the system's; tests may pin it.
    const QLocale locale;
    switch (dataType) {
    case QVariant::Double:
        return locale.toString(value.toDouble());
    case QVariant::Int:
        return locale.toString(value.toInt());
    default:
        return value.toString();
    }
}
