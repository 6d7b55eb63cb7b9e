#pragma once
// What the session benchmarks stand on: a receiver and a selection they drive, a
// program, working and configuration folder of their own, and an exam's rows.

#include "app/Ini.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/De1.h"
#include "groups/Seleccion.h"
#include "keypads/Receptor.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>

namespace banco {

// Delivers whatever report the benchmark hands it, as the receiver's thread would.
class ReceptorBanco : public Receptor {
public:
    void abrir() override {}
    void cerrar() override {}
    bool escribir(const QByteArray&) override { return false; }
    bool conectado() const override { return true; }
    void enviar(const QByteArray& r) { Q_EMIT leido(r); }
};

class SeleccionBanco : public Seleccion {
public:
    std::optional<Grupo> grupoSeleccionado() const override { return Grupo{}; }
    std::optional<qint32> examenSeleccionado() const override { return examen; }
    QList<Evaluado> evaluados() const override { return lista; }
    qint32 examen = 1;
    QList<Evaluado> lista;
};

// The program's, working and configuration folders inside `dir`.
inline void prepararCarpetas(const QTemporaryDir& dir) {
    qputenv("QUENVAR_ROOT", QDir(dir.path()).filePath(QStringLiteral("raiz")).toLocal8Bit());
    QDir().mkpath(dir.filePath(QStringLiteral("programa")));
    QDir().mkpath(dir.filePath(QStringLiteral("trabajo")));
    rutas::fijarCarpetaPrograma(dir.filePath(QStringLiteral("programa")));
    rutas::fijarCarpetaTrabajo(dir.filePath(QStringLiteral("trabajo")));
    ini::fijarRuta(rutas::archivoConfiguracion());
}

// `preguntas` questions of four answers each for the exam `valoracion`, each with
// `tiempo` seconds; `correcta(q)` is question q's right answer (1 to 4). Inside the
// caller's transaction.
inline void sembrarPreguntas(De1& db, int valoracion, int preguntas, int tiempo,
                             const std::function<QString(int)>& texto,
                             const std::function<int(int)>& correcta) {
    for (int q = 1; q <= preguntas; ++q) {
        const qint64 cp = db.insertar(QStringLiteral("Preguntas"),
                                      {{QStringLiteral("Valoracion"), valoracion},
                                       {QStringLiteral("Pregunta"), texto(q)},
                                       {QStringLiteral("Tiempo"), tiempo},
                                       {QStringLiteral("Orden"), q},
                                       {QStringLiteral("Ensayo"), 0}},
                                      QStringLiteral("CodigoPregunta"));
        for (int a = 1; a <= 4; ++a)
            db.insertar(QStringLiteral("Respuestas"),
                        {{QStringLiteral("Pregunta"), cp},
                         {QStringLiteral("Respuesta"), QStringLiteral("Respuesta %1").arg(a)},
                         {QStringLiteral("Correcta"), a == correcta(q) ? 1 : 0},
                         {QStringLiteral("Orden"), a}},
                        QStringLiteral("CodigoRespuesta"));
    }
}

// Opens (creating it when new) the embedded catalog `archivo`, its schema upgraded.
inline void abrirCatalogo(De1& db, const QString& archivo) {
    ConfigConexion c;
    c.archivoSqlite = archivo;
    db.abrir(c);
    ActualizarEsquema(db);
}

inline QString textoPregunta(int q) {
    return QStringLiteral("Pregunta %1").arg(q);
}

} // namespace banco
