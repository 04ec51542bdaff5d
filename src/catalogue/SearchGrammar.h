#pragma once

#include <QString>
#include <QStringList>

// The grammar of the search field: a typed designation (model, size, material, class or scheme)
// becomes an SQL condition on the fan table. Pure, so its cases need no window.
namespace SearchGrammar {

// The condition for `typed`; `diameters` are the catalogue's sizes as text ("4", "3.15").
// Anything the grammar cannot read, or a size the catalogue lacks, gives the always-false "1 = 0".
QString condition(const QString& typed, const QStringList& diameters);

} // namespace SearchGrammar
