#pragma once
// A test's own world: a temporary QUENVAR_ROOT with its configuration file, a
// temporary program folder holding the program's files, a working folder, and an
// embedded catalog.
//
// With TAVELMO_PRUEBA_ODBC set to an ODBC driver for SQLite (the second CTest run
// of the data tests sets it), every catalog a test opens is reached through Qt's
// ODBC plugin, the path the office's SQL Server catalog takes.

#include "data/De1.h"

#include <QTemporaryDir>
#include <memory>

class EntornoPrueba {
public:
    // With `catalogo` the embedded catalog is opened and its schema upgraded. Its
    // tables start empty, as in an office's catalog whose rows each test adds,
    // unless `filasIniciales` keeps the rows a new catalog is given.
    explicit EntornoPrueba(bool catalogo = true, bool filasIniciales = false);
    ~EntornoPrueba();

    QString raiz() const;              // QUENVAR_ROOT
    QString carpetaPrograma() const;   // with Anonimo.jpg, Pregunta.jpg, Bien.wav, wap.bin
    QString carpetaPlantillas() const; // with ~pha, ~sia, ~fia
    QString carpetaTrabajo() const;    // where the working image files go
    QString archivoCatalogo() const;
    De1& de1() { return *de1_; }

    // Path inside the temporary folder.
    QString ruta(const QString& relativa) const;

    // How tests reach an embedded catalog file: directly or through ODBC.
    static ConfigConexion conexion(const QString& archivo);

private:
    QTemporaryDir dir_;
    std::unique_ptr<De1> de1_;
};

// A file's bytes, empty when it cannot be read; a file written whole, false
// when it could not be.
QByteArray leerArchivo(const QString& ruta);
bool escribirArchivo(const QString& ruta, const QByteArray& datos);
