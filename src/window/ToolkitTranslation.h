#pragma once

#include <QString>

class QCoreApplication;

// The toolkit's own texts (standard buttons, print and file dialogs, text field menus) in the
// language of the program's translation.
class ToolkitTranslation
{
public:
    // Installs Qt's Russian translation, owned by `app`: the copy in the program folder's "lang/"
    // first, so that an installed program brings its own, else the one of the Qt installation.
    // False when neither can be loaded.
    static bool installRussian(const QString& programFolder, QCoreApplication* app);
    // Where the copy beside the program lies.
    static QString programCopy(const QString& programFolder);
};
