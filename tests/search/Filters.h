// Search filters for the tests: a few chosen types with "all files" off.
#pragma once

#include "SearchRules.h"

namespace quarvel::search::test {

inline SearchFilter OnlyTypes(bool exe, bool dll = false, bool ico = false) {
    SearchFilter filter;
    filter.allFiles = filter.drv = filter.ocx = filter.scr = filter.cur = filter.ani = false;
    filter.exe = exe;
    filter.dll = dll;
    filter.ico = ico;
    return filter;
}

} // namespace quarvel::search::test
