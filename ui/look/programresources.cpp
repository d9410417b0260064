#include "programresources.h"

#include <QtGlobal>

// Outside any namespace, as the macro needs.
void initProgramResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(fonts);
}
