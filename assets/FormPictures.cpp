#include "FormPictures.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares a function and so must be used outside any namespace.
static void registerFormResources()
{
    Q_INIT_RESOURCE(qmv718_forms);
}

namespace qmv {

void initFormPictures()
{
    registerFormResources();
}

} // namespace qmv
