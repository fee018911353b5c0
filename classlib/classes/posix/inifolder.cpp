// Natively there is no Windows folder; bare names stay in the current folder.
#include "classlib/classes/inifolder.h"

#include "classlib/system/fileutils.h"

namespace inifolder {

AnsiString SystemWindowsFolder() { return GetCurrentDir(); }

}  // namespace inifolder
