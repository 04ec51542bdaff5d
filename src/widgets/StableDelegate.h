#pragma once

#include <QStyledItemDelegate>

// Shows the duty analysis's Stable number as "yes" or "no"; the cell keeps its number, so it
// sorts and exports as one.
class StableDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
};
