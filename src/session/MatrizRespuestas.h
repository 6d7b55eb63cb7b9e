#pragma once
// The keys received in a session: one cell per examinee and question (both
// 0-based), each empty or holding the key as a one-character text.

#include <QString>
#include <vector>

class MatrizRespuestas {
public:
    MatrizRespuestas() = default;
    MatrizRespuestas(int evaluados, int preguntas) { reconstruir(evaluados, preguntas); }

    // Empties the matrix and gives it new bounds.
    void reconstruir(int evaluados, int preguntas);

    int evaluados() const { return evaluados_; }
    int preguntas() const { return preguntas_; }

    // Empty text for an empty cell or one outside the matrix.
    QString celda(int evaluado, int pregunta) const;
    // A later key replaces an earlier one; false outside the matrix.
    bool fijar(int evaluado, int pregunta, QChar tecla);

private:
    int evaluados_ = 0;
    int preguntas_ = 0;
    std::vector<char16_t> celdas_; // 0: no key
};
