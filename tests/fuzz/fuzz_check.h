#pragma once
// What the fuzz targets share: a check that stops the run with a message.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, what)                                                                \
  do {                                                                                        \
    if (!(cond)) {                                                                            \
      std::fprintf(stderr, "fuzz check failed at %s:%d: %s (%s)\n", __FILE__, __LINE__, what, \
                   #cond);                                                                    \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)
