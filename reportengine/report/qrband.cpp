#include "reportengine/report/qrband.h"
