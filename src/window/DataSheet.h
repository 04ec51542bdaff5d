#pragma once

#include <QString>

#include <functional>

// The data sheet page of one model, built from the HTML fragments kept for it beside the program.
namespace DataSheet {

// Reads a file below the program folder by its relative name; empty when it is missing.
using FragmentReader = std::function<QString(const QString& relativeName)>;

// The paragraph that links the model's description; it has no closing tag.
QString pdfParagraph(const QString& link);
// The page of `model`: stylesheet link, heading, purpose, conditions, sizes and `pdfParagraph`;
// only the line that refers to the managers when the model has no fragments.
QString page(const QString& model, const FragmentReader& read, const QString& pdfParagraph);

} // namespace DataSheet
