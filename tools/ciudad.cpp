// Makes a city office's embedded catalog for the benchmarks:
//   tavelmo-city-catalog FILE [PERSONS]
// (1,000,000 persons unless told; an existing FILE is replaced).
#include "CatalogoCiudad.h"
#include "data/ActualizacionEsquema.h"
#include "data/De1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool numero = true;
    const qint64 personas = args.size() > 2 ? args.at(2).toLongLong(&numero) : 1000000;
    if (args.size() < 2 || args.size() > 3 || !numero || personas < 1) {
        std::fprintf(stderr, "uso: %s ARCHIVO [PERSONAS]\n", argv[0]);
        return 2;
    }
    const QString archivo = QFileInfo(args.at(1)).absoluteFilePath();
    QFile::remove(archivo);
    QElapsedTimer reloj;
    reloj.start();
    try {
        De1 de1;
        ConfigConexion c;
        c.archivoSqlite = archivo;
        de1.abrir(c);
        ActualizarEsquema(de1);
        ciudad::llenar(de1, {personas}, [&reloj](const QString& paso) {
            std::printf("%7.1f s  %s\n", double(reloj.elapsed()) / 1000.0, qPrintable(paso));
            std::fflush(stdout);
        });
        de1.cerrar();
    } catch (const ErrorBD& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texto()));
        return 1;
    }
    std::printf("%7.1f s  listo: %s, %.0f MB\n", double(reloj.elapsed()) / 1000.0,
                qPrintable(archivo), double(QFileInfo(archivo).size()) / 1e6);
    return 0;
}
