// Runs a fuzz target's entry point over files and folders of inputs, so the
// inputs kept in the project are replayed by the ordinary tests, with any
// compiler and without libFuzzer.
#include "Comun.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {
void repetir(const std::filesystem::path& ruta, int& cuenta) {
    std::ifstream f(ruta, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(f),
                                  std::istreambuf_iterator<char>()};
    // Printed first, so a failing input names itself.
    std::fprintf(stderr, "%s\n", ruta.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++cuenta;
}
} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int cuenta = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path ruta(argv[i]);
        if (std::filesystem::is_directory(ruta)) {
            std::vector<std::filesystem::path> archivos;
            for (const auto& e : std::filesystem::directory_iterator(ruta))
                if (e.is_regular_file())
                    archivos.push_back(e.path());
            std::sort(archivos.begin(), archivos.end());
            for (const auto& a : archivos)
                repetir(a, cuenta);
        } else if (std::filesystem::is_regular_file(ruta)) {
            repetir(ruta, cuenta);
        }
        // A folder of regressions that nothing has filled yet is not there in git.
    }
    std::printf("%d entradas repetidas sin fallos\n", cuenta);
    return cuenta > 0 ? 0 : 1;
}
