// Built only by the test include_roots.wrong_way, which expects the second include to fail: the
// engine sees its own headers and the text layer's, not those of the layers above it.
#include "engine/Language.h"
#include "settings/clsRegistry.h"
