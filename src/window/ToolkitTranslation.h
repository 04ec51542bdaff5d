#pragma once

#include <QString>

class QCoreApplication;

// The toolkit's own texts (standard buttons, print and file dialogs, text field menus) in the
// language of the program's translation.
class ToolkitTranslation
{
public:
    // Installs Qt's Russian translation, owned by `app`, from the copy that the build puts in the
    // program folder's "lang/", so that an installed program brings its own. False without it.
    static bool installRussian(const QString& programFolder, QCoreApplication* app);
};
