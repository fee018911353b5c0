#include "reportengine/report/quickrep.h"
