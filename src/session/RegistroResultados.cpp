#include "session/RegistroResultados.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "persons/DatosPersona.h"
#include "session/Calificacion.h"
#include "session/DiarioSesion.h"
#include "session/MatrizRespuestas.h"
#include "session/PreguntasExamen.h"
#include "session/SesionExamen.h"

#include <QLocale>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

RegistroResultados::RegistroResultados(De1& de1, qint32 responsable, QDate hoy)
    : de1_(de1), responsable_(responsable), hoy_(hoy) {}

QString RegistroResultados::descripcionCarpeta() const {
    return QStringLiteral("Teorico ") + QLocale::system().toString(hoy_, QLocale::ShortFormat);
}

QString RegistroResultados::numeroCarpeta(const QString& prefijo, qint64 n) {
    return prefijo + texto::Derecha(QStringLiteral("00000000000") + QString::number(n), 8);
}

qint32 RegistroResultados::codigoItem() {
    if (!item_)
        item_ = ObtenerCodigoItem(de1_, kItemPorcentaje);
    return *item_;
}

QString RegistroResultados::tomarNumero() {
    // The counter row is already locked by this transaction (see bloquearContador).
    // Read so that a failure throws: taken as 0 it would hand out a used number.
    const QVariant valor = de1_.valor(de1_.dialecto().primeraFila(QStringLiteral(
                                          "SELECT Valor FROM Configuracion WHERE Item = ?")),
                                      {ajustes::kContadorCarpetas});
    const double leido = valor.isNull() ? 0.0 : texto::Val(valor.toString());
    const qint64 n = qint64(std::max(0.0, std::trunc(std::min(leido, 1e15)))) + 1;
    GuardarConfiguracion(de1_, ajustes::kContadorCarpetas, QString::number(n));
    return numeroCarpeta(LeerConfiguracion(de1_, ajustes::kPrefijoCarpeta), n);
}

void RegistroResultados::bloquearContador() {
    // Writing the counter row first makes this transaction its only writer until
    // it ends: two workstations storing at once take their folder numbers one
    // after the other and never the same one, and never both add the result item.
    de1_.ejecutar(QStringLiteral("UPDATE Configuracion SET Valor = Valor WHERE Item = ?"),
                  {ajustes::kContadorCarpetas});
    // Looked up afresh in each transaction: an item added by one that was rolled
    // back is gone. Outside any examinee's savepoint, so that a rolled-back
    // examinee does not take it with him.
    item_ = ObtenerCodigoItem(de1_, kItemPorcentaje);
}

bool RegistroResultados::guardar(qint32 persona, qint32 examen, const Calificacion& c) {
    Transaccion t(de1_);
    bloquearContador();
    if (!guardarEnTransaccion(persona, examen, c))
        return false;
    t.confirmar();
    return true;
}

bool RegistroResultados::guardarEnTransaccion(qint32 persona, qint32 examen,
                                              const Calificacion& c) {
    const qint32 item = codigoItem();
    const Dialecto& d = de1_.dialecto();

    QSqlQuery p = de1_.ejecutar(
        QStringLiteral("SELECT CodigoPersona, FechaNac FROM Personas WHERE CodigoPersona = ?"),
        {persona});
    if (!p.next())
        return false;
    const std::optional<int> edad = ::persona::edad(Dialecto::leerFecha(p.value(1)), hoy_);
    p.finish();
    const QVariant edadCarpeta = edad ? QVariant(*edad) : QVariant();

    // The folder of the day: by its date and the "Teorico " description, so that a
    // change of the short date format during the day does not open a second one;
    // the exact description catches folders whose date column was left empty.
    const QString descripcion = descripcionCarpeta();
    QSqlQuery f = de1_.ejecutar(
        d.primeraFila(QStringLiteral(
            "SELECT CodigoCarpeta, NumeroCarpetaCons FROM Carpetas WHERE Persona = ? AND "
            "((FechaCarpeta >= ? AND FechaCarpeta < ? AND DescripcionCarpeta LIKE ?) "
            "OR DescripcionCarpeta = ?) ORDER BY CodigoCarpeta")),
        {persona, d.fecha(hoy_), d.fecha(hoy_.addDays(1)), QStringLiteral("Teorico %"),
         descripcion});
    std::optional<qint64> carpeta;
    bool tieneNumero = false;
    if (f.next()) {
        carpeta = f.value(0).toLongLong();
        tieneNumero = !f.value(1).isNull();
    }
    f.finish();

    // Empty text, not null: other programs read these columns as text.
    const QString vacio = QString::fromLatin1("");
    const Columnas columnas = {
        {QStringLiteral("DescripcionCarpeta"), descripcion},
        {QStringLiteral("FechaCarpeta"), d.fecha(hoy_)},
        {QStringLiteral("Bloq"), d.booleano(false)},
        {QStringLiteral("Resultado"), c.veredicto},
        {QStringLiteral("EdadCarpeta"), edadCarpeta},
        {QStringLiteral("Lugar"), 1},
        {QStringLiteral("Empresa"), 1},
        {QStringLiteral("NroCurso"), vacio},
        {QStringLiteral("NroInforme"), 0},
        {QStringLiteral("Observaciones"), vacio},
        {QStringLiteral("TipoTramite"), QStringLiteral("Sin datos")},
        {QStringLiteral("Factura"), vacio},
        {QStringLiteral("Licencia"), QStringLiteral("N/A")},
        {QStringLiteral("TipoExamen"), QStringLiteral("G")},
    };
    if (carpeta) {
        QStringList asignaciones;
        QVariantList valores;
        for (const auto& [nombre, valor] : columnas) {
            asignaciones << nombre + QStringLiteral(" = ?");
            valores << valor;
        }
        if (!tieneNumero) {
            asignaciones << QStringLiteral("NumeroCarpetaCons = ?");
            valores << tomarNumero();
        }
        valores << *carpeta;
        de1_.ejecutar(QStringLiteral("UPDATE Carpetas SET %1 WHERE CodigoCarpeta = ?")
                          .arg(asignaciones.join(QStringLiteral(", "))),
                      valores);
    } else {
        Columnas nueva = columnas;
        nueva.prepend({QStringLiteral("Persona"), persona});
        nueva.append({QStringLiteral("NumeroCarpetaCons"), tomarNumero()});
        carpeta = de1_.insertar(QStringLiteral("Carpetas"), nueva, QStringLiteral("CodigoCarpeta"));
    }

    const qint64 detalle = de1_.insertar(QStringLiteral("DetalleExamenes"),
                                         {{QStringLiteral("Carpeta"), *carpeta},
                                          {QStringLiteral("Fecha"), d.fecha(hoy_)},
                                          {QStringLiteral("Examen"), examen},
                                          {QStringLiteral("Resultado"), c.veredicto},
                                          {QStringLiteral("Responsable"), responsable_}},
                                         QStringLiteral("CodigoDetalleExamen"));
    ultimoDetalle_ = detalle;
    de1_.insertarSinIdentidad(QStringLiteral("Resultados"),
                              {{QStringLiteral("DetalleExamen"), detalle},
                               {QStringLiteral("Item"), item},
                               {QStringLiteral("Resultado"), c.veredicto},
                               {QStringLiteral("Valor"), c.correctas},
                               {QStringLiteral("Percentil"), c.incorrectas},
                               {QStringLiteral("Orden"), 1}});
    return true;
}

ResultadoGuardado
GuardarSesion(De1& de1, qint32 examen, qint32 responsable, const QList<qint32>& personas,
              const QList<PreguntaExamen>& preguntas, const MatrizRespuestas& matriz, QDate hoy,
              const std::optional<QList<int>>& lugares, SesionRegistrada* registrada) {
    ResultadoGuardado r;
    if (preguntas.isEmpty())
        return r;
    const int n = int(personas.size());
    r.registroEscrito =
        EscribirIniLote(EntradasRegistroRespuestas(matriz, n, int(preguntas.size())));

    QList<int> pendientes;
    if (lugares) {
        for (int k : *lugares)
            if (k >= 0 && k < n)
                pendientes << k;
    } else {
        for (int k = 0; k < n; ++k)
            pendientes << k;
    }
    auto fallar = [&r](const QList<int>& lugaresFallidos, const ErrorBD& e) {
        r.fallidos << lugaresFallidos;
        if (r.errorBD.isEmpty())
            r.errorBD = e.texto();
    };

    const Dialecto& d = de1.dialecto();
    const QString punto = QStringLiteral("Evaluado");
    RegistroResultados registro(de1, responsable, hoy);
    SesionRegistrada propia;
    SesionRegistrada& sesion = registrada ? *registrada : propia;
    RegistroRespuestas respuestas(de1, preguntas, matriz);
    QList<int> escritos;
    try {
        // One commit for the roster (one disk flush, not one per examinee); a
        // savepoint per examinee keeps each one's rows whole.
        Transaccion t(de1);
        registro.bloquearContador();
        const bool sesionNueva = !sesion.codigo;
        if (sesionNueva) {
            // Under the counter's lock: another pass storing the same journal waits here.
            if (const std::optional<qint64> previa =
                    RegistroRespuestas::sesionDelDiario(de1, sesion.diario)) {
                r.yaRegistrada = true;
                r.sesion = previa;
                return r;
            }
        }
        const qint64 codigoSesion =
            sesionNueva
                ? respuestas.crearSesion(sesion.grupo, examen, responsable,
                                         QDateTime(hoy, QTime::currentTime()), sesion.diario)
                : *sesion.codigo;
        for (const int k : pendientes) {
            const Calificacion c = Calificar(preguntas, matriz, k);
            de1.ejecutar(d.puntoGuardado(punto));
            try {
                const bool guardado = registro.guardarEnTransaccion(personas.at(k), examen, c);
                if (guardado)
                    respuestas.guardarEvaluado(codigoSesion, sesion.grupo, k, personas.at(k),
                                               registro.ultimoDetalle(), c);
                if (!d.liberarPunto(punto).isEmpty())
                    de1.ejecutar(d.liberarPunto(punto));
                if (guardado)
                    escritos << k;
                else
                    r.sinPersona << k;
            } catch (const ErrorBD& e) {
                // When even the rollback fails the connection is gone: the rest fails too.
                de1.ejecutar(d.volverAPunto(punto));
                if (!d.liberarPunto(punto).isEmpty())
                    de1.ejecutar(d.liberarPunto(punto));
                fallar({k}, e);
            }
        }
        if (sesionNueva && escritos.isEmpty())
            respuestas.descartarSesion(codigoSesion);
        t.confirmar();
        r.guardados = int(escritos.size());
        if (!escritos.isEmpty() || !sesionNueva) {
            sesion.codigo = codigoSesion;
            r.sesion = codigoSesion;
        }
    } catch (const ErrorBD& e) {
        // Nothing of this pass reached the catalog.
        QList<int> todos;
        for (int k : pendientes)
            if (!r.fallidos.contains(k) && !r.sinPersona.contains(k))
                todos << k;
        fallar(todos, e);
        std::sort(r.fallidos.begin(), r.fallidos.end());
    }
    return r;
}

ResultadoGuardado GuardarDiario(De1& de1, const LecturaDiario& lectura,
                                const std::optional<QList<int>>& lugares,
                                SesionRegistrada* registrada) {
    const IdentidadDiario& i = lectura.identidad;
    const QList<PreguntaExamen> preguntas = CargarPreguntas(de1, i.examen);
    const MatrizRespuestas matriz = SesionExamen::matrizDelDiario(lectura, int(preguntas.size()));
    SesionRegistrada propia;
    propia.grupo = i.grupo;
    propia.diario = i.identidad;
    // The examination took place the day it started, whenever it is stored.
    const QDate dia = i.inicio.isValid() ? i.inicio.date() : QDate::currentDate();
    return GuardarSesion(de1, i.examen, i.responsable, i.personas, preguntas, matriz, dia, lugares,
                         registrada ? registrada : &propia);
}
