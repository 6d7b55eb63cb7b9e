// Fills a fresh embedded catalog and image store with the demo office's data.
#include "SemillaDemo.h"
#include "data/De1.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "uso: tavelmo-seed CATALOGO.sqlite CARPETA_PLANTILLAS\n");
        return 2;
    }
    De1 de1;
    ConfigConexion c;
    c.archivoSqlite = QString::fromLocal8Bit(argv[1]);
    try {
        de1.abrir(c);
        SemillaDemo::sembrar(de1, QString::fromLocal8Bit(argv[2]));
    } catch (const ErrorBD& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        return 1;
    }
    return 0;
}
