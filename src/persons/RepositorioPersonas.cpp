#include "persons/RepositorioPersonas.h"

#include "app/Texto.h"
#include "persons/AlmacenImagenes.h"

#include <limits>
#include <optional>

QList<ElementoLista> RepositorioPersonas::lista(const QString& sql) {
    QList<ElementoLista> r;
    QSqlQuery q = de1_.ejecutar(sql);
    while (q.next())
        r.append({q.value(0).toLongLong(), q.value(1).toString()});
    return r;
}

QList<ElementoLista> RepositorioPersonas::documentos() {
    return lista(QStringLiteral("SELECT CodigoDocumento, DescripcionDocumento FROM Documentos "
                                "ORDER BY DescripcionDocumento"));
}

QList<ElementoLista> RepositorioPersonas::ciudades() {
    return lista(QStringLiteral(
        "SELECT CodigoCiudad, DescripcionCiudad FROM Ciudades ORDER BY DescripcionCiudad"));
}

RepositorioPersonas::Ciudad RepositorioPersonas::buscarOAgregarCiudad(const QString& nombre) {
    const QString sql = de1_.dialecto().primeraFila(
        QStringLiteral("SELECT CodigoCiudad, DescripcionCiudad FROM Ciudades "
                       "WHERE DescripcionCiudad = ? ORDER BY CodigoCiudad"));
    Transaccion t(de1_);
    QSqlQuery q = de1_.ejecutar(sql, {nombre});
    if (q.next()) {
        Ciudad c{q.value(0).toLongLong(), q.value(1).toString(), false};
        q.finish();
        t.confirmar();
        return c;
    }
    q.finish();
    const qint64 codigo = de1_.insertar(
        QStringLiteral("Ciudades"),
        {{QStringLiteral("DescripcionCiudad"), nombre}, {QStringLiteral("Provincia"), 1}},
        QStringLiteral("CodigoCiudad"));
    t.confirmar();
    return {codigo, nombre, true};
}

Columnas RepositorioPersonas::valoresFila(const DatosPersona& d, const Dialecto& dialecto) {
    return {
        {QStringLiteral("TipoDocumento"),
         d.tipoDocumento ? QVariant(*d.tipoDocumento) : QVariant()},
        {QStringLiteral("Documento"), d.documento},
        {QStringLiteral("NombrePersona"), d.nombre},
        {QStringLiteral("Sexo"), texto::Izquierda(d.sexo, 1)},
        {QStringLiteral("EstadoCivil"), d.estadoCivil},
        {QStringLiteral("FechaNac"), dialecto.fecha(d.fechaNac)},
        {QStringLiteral("Sangre"), texto::Izquierda(d.sangre.trimmed(), persona::kAnchoSangre)},
        {QStringLiteral("Domicilio"), d.domicilio},
        {QStringLiteral("Ciudad"), d.ciudad},
        {QStringLiteral("Ocupacion"), d.ocupacion},
        {QStringLiteral("Telefono"), d.telefono},
        {QStringLiteral("Anteojos"), d.anteojos},
        {QStringLiteral("Celular"), d.celular},
        {QStringLiteral("EMail"), d.email},
        {QStringLiteral("Huella"), QStringLiteral("")},
    };
}

qint64 RepositorioPersonas::guardar(const DatosPersona& datos) {
    Transaccion t(de1_);
    const qint64 codigo =
        de1_.insertar(QStringLiteral("Personas"), valoresFila(datos, de1_.dialecto()),
                      QStringLiteral("CodigoPersona"));
    t.confirmar();
    return codigo;
}

RepositorioPersonas::Lote RepositorioPersonas::buscar(CampoPersona campo, const QString& texto,
                                                      qint32 desde, int cuantas) {
    // A short text is tried a window of codes at a time, and the trigram index's
    // candidates are checked: a few rounds per batch keep a keystroke's cost
    // bounded, the list asks for the rest.
    constexpr int kVentanasPorLote = 2;
    const QString columna = campo == CampoPersona::Nombre ? QStringLiteral("NombrePersona")
                                                          : QStringLiteral("Documento");
    const Dialecto& d = de1_.dialecto();
    Lote lote;
    lote.hasta = desde;
    std::optional<qint64> ultima;
    for (int vuelta = 0; vuelta < kVentanasPorLote; ++vuelta) {
        const int faltan = cuantas - int(lote.filas.size());
        const qint64 inicio = lote.hasta;
        const Dialecto::Condicion c =
            d.contiene(indices::personas(), columna, texto, lote.hasta, false, faltan);
        QSqlQuery q = de1_.ejecutar(
            d.primerasFilas(QStringLiteral("SELECT CodigoPersona, NombrePersona, Documento FROM "
                                           "Personas WHERE %1 ORDER BY CodigoPersona")
                                .arg(c.sql),
                            faltan),
            c.parametros);
        int leidas = 0;
        while (q.next()) {
            PersonaListada p{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()};
            ++leidas;
            lote.hasta = p.codigo;
            if (!c.verificar || Dialecto::contieneTexto(
                                    campo == CampoPersona::Nombre ? p.nombre : p.documento, texto))
                lote.filas.append(std::move(p));
        }
        if (c.ventana == 0) {
            // Rows the index offered that do not hold the text leave the batch
            // short; the next one starts past them.
            lote.fin = leidas < faltan;
            if (lote.fin || lote.filas.size() == cuantas)
                return lote;
            continue;
        }
        if (leidas == faltan) {
            lote.fin = false;
            return lote;
        }
        // The whole window was read: the next one starts past it.
        lote.hasta =
            qint32(std::min<qint64>(inicio + c.ventana, std::numeric_limits<qint32>::max()));
        if (!ultima)
            ultima =
                de1_.valor(QStringLiteral("SELECT max(CodigoPersona) FROM Personas")).toLongLong();
        if (lote.hasta >= *ultima) {
            lote.fin = true;
            return lote;
        }
    }
    lote.fin = false;
    return lote;
}

QStringList RepositorioPersonas::guardarImagenes(qint64 codigoPersona) {
    QStringList fallas;
    for (almacen::TipoImagen t :
         {almacen::TipoImagen::Foto, almacen::TipoImagen::Firma, almacen::TipoImagen::Huella}) {
        const QString falla = almacen::guardarPendiente(t, codigoPersona);
        if (!falla.isEmpty())
            fallas << falla;
    }
    return fallas;
}
