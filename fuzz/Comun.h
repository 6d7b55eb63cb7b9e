#pragma once
// What the fuzz targets share: the entry points libFuzzer calls, and the check
// that stops on a broken property so the input is kept as a crash.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

#define EXIGIR(condicion)                                                                          \
    do {                                                                                           \
        if (!(condicion)) {                                                                        \
            std::fprintf(stderr, "%s:%d: no se cumple %s\n", __FILE__, __LINE__, #condicion);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
