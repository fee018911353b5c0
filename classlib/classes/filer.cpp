#include "classlib/classes/filer.h"

#include <algorithm>

TFiler::TFiler(TStream& Stream, int BufSize) : FStream(Stream), FBuffer(std::max(BufSize, 16)) {}
