#include "reportengine/report/qrquickrepbands.h"
