#include "EntornoPrueba.h"

#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUuid>

ConfigConexion EntornoPrueba::conexion(const QString& archivo) {
    ConfigConexion c;
    c.archivoSqlite = archivo;
    c.odbcSqlite = qEnvironmentVariable("TAVELMO_PRUEBA_ODBC");
    return c;
}

EntornoPrueba::EntornoPrueba(bool catalogo, bool filasIniciales) {
    qputenv("QUENVAR_ROOT", raiz().toLocal8Bit());
    QDir().mkpath(raiz() + QStringLiteral("/Quenvar"));
    QDir().mkpath(carpetaPrograma());
    QDir().mkpath(carpetaTrabajo());
    for (const char* sub : {"~pha", "~sia", "~fia"})
        QDir().mkpath(carpetaPlantillas() + u'/' + QString::fromLatin1(sub));
    // The program's own files are built beside the test executables.
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const char* f : {"Anonimo.jpg", "Pregunta.jpg", "Bien.wav", "wap.bin"})
        QFile::copy(bin.filePath(QString::fromLatin1(f)),
                    QDir(carpetaPrograma()).filePath(QString::fromLatin1(f)));
    rutas::fijarCarpetaPrograma(carpetaPrograma());
    rutas::fijarCarpetaPlantillas(carpetaPlantillas());
    rutas::fijarCarpetaTrabajo(carpetaTrabajo());
    ini::fijarRuta(rutas::archivoConfiguracion());
    if (catalogo) {
        try {
            de1_ = std::make_unique<De1>(QUuid::createUuid().toString());
            de1_->abrir(conexion(archivoCatalogo()));
            if (!filasIniciales) {
                Transaccion t(*de1_);
                for (const char* tabla : {"Documentos", "Configuracion"})
                    de1_->ejecutar(QStringLiteral("DELETE FROM %1").arg(QLatin1String(tabla)));
                de1_->ejecutar(QStringLiteral("DELETE FROM sqlite_sequence"));
                t.confirmar();
            }
            ActualizarEsquema(*de1_);
        } catch (const ErrorBD& e) {
            qFatal("No se pudo preparar el catálogo de prueba: %s", qPrintable(e.texto()));
        }
    }
}

EntornoPrueba::~EntornoPrueba() {
    de1_.reset();
    rutas::fijarCarpetaPrograma(QString());
    rutas::fijarCarpetaPlantillas(QString());
    rutas::fijarCarpetaTrabajo(QString());
    ini::fijarRuta(QString());
}

QString EntornoPrueba::raiz() const {
    return dir_.path() + QStringLiteral("/raiz");
}
QString EntornoPrueba::carpetaPrograma() const {
    return dir_.path() + QStringLiteral("/programa");
}
QString EntornoPrueba::carpetaPlantillas() const {
    return dir_.path() + QStringLiteral("/red/Templates");
}
QString EntornoPrueba::carpetaTrabajo() const {
    return dir_.path() + QStringLiteral("/trabajo");
}
QString EntornoPrueba::archivoCatalogo() const {
    return dir_.path() + QStringLiteral("/catalogo.sqlite");
}
QString EntornoPrueba::ruta(const QString& relativa) const {
    return dir_.filePath(relativa);
}

QByteArray leerArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool escribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size();
}
