// The page's module: nothing of its own. The library's exports, listed once
// in include/quovant_exports.h, are kept and exported by the link options;
// this unit only gives the program a translation unit of its own.
#include "quovant.h"
