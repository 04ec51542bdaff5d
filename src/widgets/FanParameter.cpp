#include "FanParameter.h"

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
    box->addWidget(label, 0);
    box->addWidget(list, 1);
}

QString FanParameter::getSelectionCond() const
{
    QStringList values;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        if (item->checkState() == Qt::Checked)
            values.append(QLatin1Char('\'') + item->data(Qt::UserRole).toString() +
                          QLatin1Char('\''));
    }
    return condPrefix + QLatin1Char('(') + values.join(QStringLiteral(", ")) +
           QStringLiteral(")\n");
}

void FanParameter::fillWithData(QSqlQuery& query)
{
    list->clear();
    while (query.next()) {
        const QVariant value = query.value(0);
        auto* item = new QListWidgetItem(dataToUserText(value));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, value);
        list->addItem(item);
    }
}

void FanParameter::setCheckStates(QSqlQuery& query)
{
    const QSignalBlocker blocker(list);
    const int count = list->count();
    for (int i = 0; i < count; ++i)
        list->item(i)->setCheckState(Qt::Unchecked);

    // The rows are an ordered subset of the list, so one pass over both is enough. A row whose
    // value is not in the list is skipped rather than walked past the list's end.
    int next = 0;
    while (next < count && query.next()) {
        const QString text = query.value(0).toString();
        int i = next;
        while (i < count && list->item(i)->data(Qt::UserRole).toString() != text)
            ++i;
        if (i < count) {
            list->item(i)->setCheckState(Qt::Checked);
            next = i + 1;
        }
    }
}

QString FanParameter::dataToUserText(const QVariant& value) const
{
    // The default locale is the system's; tests may pin it.
    const QLocale locale;
    switch (dataType) {
    case QVariant::Double:
        return locale.toString(value.toDouble(), 'g', 6);
    case QVariant::Int:
        return locale.toString(value.toInt());
    default:
        return value.toString();
    }
}
