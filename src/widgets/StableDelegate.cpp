#include "StableDelegate.h"

#include "DutyColumns.h"

QString StableDelegate::displayText(const QVariant& value, const QLocale&) const
{
    return DutyColumns::stableText(value);
}
