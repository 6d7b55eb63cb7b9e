#include "session/ventanas/ReanudacionSesion.h"

#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "exams/RepositorioExamenes.h"
#include "groups/RepositorioGrupos.h"
#include "groups/RepositorioMiembros.h"
#include "groups/Seleccion.h"
#include "persons/RepositorioPersonas.h"
#include "session/DiarioSesion.h"
#include "session/PreguntasExamen.h"
#include "session/RegistroRespuestas.h"
#include "session/RegistroResultados.h"
#include "session/SesionExamen.h"
#include "session/ventanas/FrmInteligencia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <algorithm>

namespace reanudacion {

namespace {

const QString kTitulo = QStringLiteral("Examen interrumpido");

// The journal's group, exam and roster as the session window reads them.
class SeleccionDiario : public Seleccion {
public:
    std::optional<Grupo> grupoSeleccionado() const override { return grupo; }
    std::optional<qint32> examenSeleccionado() const override { return examen; }
    QList<Evaluado> evaluados() const override { return lista; }

    std::optional<Grupo> grupo;
    qint32 examen = 0;
    QList<Evaluado> lista;
};

QString rutaDe(const Opciones& o) {
    return o.ruta.isEmpty() ? DiarioSesion::rutaPredeterminada() : o.ruta;
}

// Kept beside under another name: nothing a room answered is ever lost.
void apartar(const QString& ruta) {
    const QString aparte = ruta + QStringLiteral(".descartado");
    QFile::remove(aparte);
    if (!QFile::rename(ruta, aparte))
        QFile::remove(ruta);
}

void informar(QWidget* padre, const QString& texto, Dialogos::Icono icono) {
    Dialogos::actual().mensaje(padre, texto, icono, kTitulo);
}

// The roster in the journal's order, each with his name and keypad where the
// catalog still has them.
QList<Evaluado> rosterDelDiario(De1& de1, const IdentidadDiario& i, int& faltan) {
    QHash<qint32, Evaluado> miembros;
    if (i.grupo)
        for (const Evaluado& e : RepositorioMiembros(de1).evaluados(i.grupo))
            miembros.insert(e.codigoPersona, e);
    QHash<qint32, PersonaListada> personas;
    for (const PersonaListada& p : RepositorioPersonas(de1).porCodigos(i.personas))
        personas.insert(p.codigo, p);
    QList<Evaluado> lista;
    faltan = 0;
    for (qsizetype k = 0; k < i.personas.size(); ++k) {
        const qint32 codigo = i.personas.at(k);
        Evaluado e = miembros.value(codigo);
        e.codigoPersona = codigo;
        if (const auto p = personas.constFind(codigo); p != personas.cend()) {
            e.nombre = p->nombre;
            e.documento = p->documento;
        } else {
            ++faltan;
            e.nombre = QStringLiteral("Evaluado %1").arg(k + 1);
        }
        lista << e;
    }
    return lista;
}

Desenlace calificarYGuardar(De1& de1, QWidget* padre, const LecturaDiario& lectura,
                            const QList<Evaluado>& roster, const QString& ruta) {
    SesionRegistrada registrada;
    registrada.grupo = lectura.identidad.grupo;
    registrada.diario = lectura.identidad.identidad;
    std::optional<QList<int>> lugares;
    int guardados = 0;
    for (;;) {
        ResultadoGuardado r;
        if (!intentarBD(padre, QStringLiteral("No se pudieron leer las preguntas del examen."),
                        [&] { r = GuardarDiario(de1, lectura, lugares, &registrada); }))
            return Desenlace::Fallido;
        guardados += r.guardados;
        if (r.fallidos.isEmpty())
            break;
        QStringList nombres;
        for (int k : r.fallidos)
            nombres << (k < roster.size() ? roster.at(k).nombre
                                          : QStringLiteral("Evaluado %1").arg(k + 1));
        const Dialogos::Respuesta otra = Dialogos::actual().mensaje(
            padre,
            QStringLiteral("No se pudieron guardar los resultados de:\n%1\n\n%2\n\n"
                           "¿Desea intentarlo nuevamente?")
                .arg(nombres.join(u'\n'), r.errorBD),
            Dialogos::Icono::Critico, kTitulo, Dialogos::Botones::SiNo);
        if (otra != Dialogos::Respuesta::Si)
            break;
        lugares = r.fallidos;
    }
    QFile::remove(ruta);
    informar(padre,
             QStringLiteral("Se guardaron los resultados de %1 evaluado(s) con las teclas "
                            "recibidas hasta la interrupción.")
                 .arg(guardados),
             Dialogos::Icono::Informacion);
    return Desenlace::Guardado;
}

} // namespace

bool hayDiario(const QString& ruta) {
    return QFileInfo::exists(ruta.isEmpty() ? DiarioSesion::rutaPredeterminada() : ruta);
}

Desenlace ofrecerReanudacion(De1& de1, QWidget* ventanaPrincipal, Receptor& receptor,
                             const Opciones& opciones) {
    const QString ruta = rutaDe(opciones);
    if (!QFileInfo::exists(ruta))
        return Desenlace::SinDiario;
    const std::optional<LecturaDiario> lectura = leerDiario(ruta);
    if (!lectura) {
        // Not even the session's first record is whole: it had not started.
        apartar(ruta);
        return Desenlace::SinDiario;
    }
    const IdentidadDiario& i = lectura->identidad;

    std::optional<qint64> guardada;
    QString grupo;
    QString examen;
    int preguntas = 0;
    int faltan = 0;
    QList<Evaluado> roster;
    if (!intentarBD(ventanaPrincipal,
                    QStringLiteral("No se pudo leer el examen interrumpido en este puesto."), [&] {
                        guardada = RegistroRespuestas::sesionDelDiario(de1, i.identidad);
                        if (guardada)
                            return;
                        grupo = i.grupo ? RepositorioGrupos(de1).descripcion(i.grupo) : QString();
                        examen = RepositorioExamenes(de1).descripcion(i.examen);
                        preguntas = int(CargarPreguntas(de1, i.examen).size());
                        roster = rosterDelDiario(de1, i, faltan);
                    }))
        return Desenlace::Fallido;
    if (guardada) {
        QFile::remove(ruta);
        informar(ventanaPrincipal,
                 QStringLiteral("El examen interrumpido en este puesto ya estaba guardado; "
                                "se eliminó su diario."),
                 Dialogos::Icono::Informacion);
        return Desenlace::YaGuardado;
    }
    const QString inicio = QLocale().toString(i.inicio, QLocale::ShortFormat);
    const QString aparte = QDir::toNativeSeparators(ruta + QStringLiteral(".descartado"));
    if (preguntas == 0) {
        apartar(ruta);
        informar(ventanaPrincipal,
                 QStringLiteral("Un examen quedó interrumpido en este puesto (iniciado el %1), "
                                "pero su examen (código %2) ya no existe o no tiene preguntas: "
                                "no se puede reanudar ni calificar.\n\nSu diario se guardó "
                                "aparte en %3.")
                     .arg(inicio)
                     .arg(i.examen)
                     .arg(aparte),
                 Dialogos::Icono::Exclamacion);
        return Desenlace::Fallido;
    }

    qint64 teclas = 0;
    SesionExamen::matrizDelDiario(*lectura, preguntas, &teclas);
    const int pregunta = std::min(lectura->preguntaReanudar(), preguntas - 1);
    QString texto =
        QStringLiteral("Un examen quedó interrumpido en este puesto.\n\n"
                       "Grupo: %1\nExamen: %2\nIniciado: %3\nPregunta en curso: %4 de %5\n"
                       "Teclas recibidas: %6")
            .arg(grupo.isEmpty() ? QStringLiteral("(sin grupo)") : grupo,
                 examen.isEmpty() ? QStringLiteral("(sin nombre)") : examen, inicio)
            .arg(pregunta + 1)
            .arg(preguntas)
            .arg(teclas);
    if (lectura->colaIgnorada)
        texto += QStringLiteral("\n\nEl final del diario estaba dañado y se ignoró; se usa todo "
                                "lo recibido antes.");
    if (faltan > 0)
        texto += QStringLiteral("\n\n%1 de los %2 evaluados ya no están registrados: no se "
                                "guardarán sus resultados.")
                     .arg(faltan)
                     .arg(i.personas.size());
    texto += QStringLiteral("\n\n¿Qué desea hacer?");
    const std::optional<int> eleccion = Dialogos::actual().opciones(
        ventanaPrincipal, texto, Dialogos::Icono::Pregunta, kTitulo,
        {QStringLiteral("Reanudar el examen"), QStringLiteral("Calificar y guardar lo recibido"),
         QStringLiteral("Descartar")});
    if (!eleccion)
        return Desenlace::Aplazado;

    switch (*eleccion) {
    case 0: {
        SeleccionDiario seleccion;
        seleccion.examen = i.examen;
        seleccion.lista = roster;
        if (i.grupo)
            seleccion.grupo = Grupo{i.grupo, QString(), i.inicio.date(), grupo, QString()};
        FrmInteligencia ventana(de1, seleccion, receptor, i.responsable, ventanaPrincipal);
        if (opciones.preparar)
            opciones.preparar(ventana);
        if (!ventana.reanudar(*lectura, ruta))
            return Desenlace::Fallido;
        if (opciones.abrirModal)
            opciones.abrirModal(ventana);
        else
            ventana.exec();
        return Desenlace::Reanudado;
    }
    case 1:
        return calificarYGuardar(de1, ventanaPrincipal, *lectura, roster, ruta);
    default:
        apartar(ruta);
        return Desenlace::Descartado;
    }
}

} // namespace reanudacion
