// How the start-up children say that their window is painted: one line
// "SHOWN <peak RSS in KiB>" on standard output, read by the benchmark.
#pragma once

#include <sys/resource.h>

#include <cstdio>

namespace bench {

inline void reportShown()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("SHOWN %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
}

} // namespace bench
