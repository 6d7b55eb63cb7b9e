#pragma once
// The demo office: document types, cities, users, persons with photographs,
// groups with members and two theory exams with pictures.

#include <QString>

class De1;

namespace SemillaDemo {
// Seeds an empty catalog (schema upgraded first) and the photograph store under
// the templates folder, whose ~pha, ~sia and ~fia folders it creates. Throws ErrorBD.
void sembrar(De1& de1, const QString& carpetaPlantillas);
} // namespace SemillaDemo
