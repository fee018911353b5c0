#include "controls_test_util.h"

namespace controls_test {
IMPLEMENT_CLASS(THostWindow)
}  // namespace controls_test
