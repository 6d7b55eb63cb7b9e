#pragma once
// A test's own world: a temporary QUENVAR_ROOT with its configuration file, a
// temporary program folder holding the program's files, a working folder, and an
// embedded catalog.

#include "data/De1.h"

#include <QTemporaryDir>
#include <memory>

class EntornoPrueba {
public:
    // With `catalogo` the embedded catalog is opened and its schema upgraded.
    explicit EntornoPrueba(bool catalogo = true);
    ~EntornoPrueba();

    QString raiz() const;              // QUENVAR_ROOT
    QString carpetaPrograma() const;   // with Anonimo.jpg, Pregunta.jpg, Bien.wav, wap.bin
    QString carpetaPlantillas() const; // with ~pha, ~sia, ~fia
    QString carpetaTrabajo() const;    // where the working image files go
    QString archivoCatalogo() const;
    De1& de1() { return *de1_; }

    // Path inside the temporary folder.
    QString ruta(const QString& relativa) const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<De1> de1_;
};
