#pragma once
// A city office's catalog, made up reproducibly for the benchmarks: persons with
// Spanish names and national identity documents, groups of ten examinees, theory
// exams with their questions, and years of result folders, examinations and
// result items. Sizes follow the number of persons: a tenth as many groups, a
// hundredth as many exams, ten result rows per person.

#include <QString>
#include <algorithm>
#include <functional>

class De1;

namespace ciudad {

struct Tamano {
    qint64 personas = 1000000;
    qint64 grupos() const { return std::max<qint64>(1, personas / 10); }
    // Exam codes are 16-bit: at most 30000 exams.
    qint64 examenes() const { return std::clamp<qint64>(personas / 100, 1, 30000); }
    qint64 resultados() const { return personas * 10; }
};

// Fills an embedded catalog opened on `de1` whose tables exist and are empty
// (the schema upgraded), then builds the search indexes. Throws ErrorBD.
// `aviso` hears what is being done, for a progress line.
void llenar(De1& de1, const Tamano& tamano, const std::function<void(const QString&)>& aviso = {});

} // namespace ciudad
