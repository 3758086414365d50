#include "HelpPages.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares a function and so must be used outside any namespace.
static void registerHelpResources()
{
    Q_INIT_RESOURCE(qmv718_help);
}

namespace qmv {

void initHelpPages()
{
    registerHelpResources();
}

} // namespace qmv
