#pragma once
// What every benchmark measures with: elapsed times, the median and percentiles
// of a series, the process's processor time, a wait that keeps events flowing.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace medicion {

inline double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

inline double segundos(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

// The figure below which the share `p` (0 to 1) of the series lies: 0.5 the
// median, 1 the greatest; 0 for an empty series.
inline double percentil(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

inline double mediana(std::vector<double> v) {
    return percentil(std::move(v), 0.5);
}

struct Cifras {
    double minimo = 1e9, mediana = 0, maximo = 0;
};

// `paso` run `veces` times: the least, median and greatest milliseconds.
inline Cifras medir(int veces, const std::function<void()>& paso) {
    std::vector<double> v;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer t;
        t.start();
        paso();
        v.push_back(ms(t));
    }
    return {percentil(v, 0), percentil(v, 0.5), percentil(v, 1)};
}

// User and system processor time of the process so far.
inline double segundosCpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for `milisegundos`.
inline void esperar(int milisegundos) {
    QEventLoop bucle;
    QTimer::singleShot(milisegundos, &bucle, &QEventLoop::quit);
    bucle.exec();
}

} // namespace medicion
