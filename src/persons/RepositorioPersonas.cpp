#include "persons/RepositorioPersonas.h"

#include "app/Texto.h"
#include "persons/AlmacenImagenes.h"

#include <algorithm>
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
    Transaccion t(de1_);
    Ciudad c = buscarOAgregarCiudadEnTransaccion(nombre);
    t.confirmar();
    return c;
}

RepositorioPersonas::Ciudad
RepositorioPersonas::buscarOAgregarCiudadEnTransaccion(const QString& nombre) {
    const QString sql = de1_.dialecto().primeraFila(
        QStringLiteral("SELECT CodigoCiudad, DescripcionCiudad FROM Ciudades "
                       "WHERE DescripcionCiudad = ? ORDER BY CodigoCiudad"));
    QSqlQuery q = de1_.ejecutar(sql, {nombre});
    if (q.next())
        return {q.value(0).toLongLong(), q.value(1).toString(), false};
    q.finish();
    const qint64 codigo = de1_.insertar(
        QStringLiteral("Ciudades"),
        {{QStringLiteral("DescripcionCiudad"), nombre}, {QStringLiteral("Provincia"), 1}},
        QStringLiteral("CodigoCiudad"));
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
    const qint64 codigo = guardarEnTransaccion(datos);
    t.confirmar();
    return codigo;
}

qint64 RepositorioPersonas::guardarEnTransaccion(const DatosPersona& datos) {
    return de1_.insertar(QStringLiteral("Personas"), valoresFila(datos, de1_.dialecto()),
                         QStringLiteral("CodigoPersona"));
}

QList<PersonaListada> RepositorioPersonas::listarEn(const QString& select,
                                                    const QVariantList& valores) {
    // SQL Server takes at most 2100 parameters in a statement.
    constexpr qsizetype kPorConsulta = 200;
    QList<PersonaListada> r;
    for (qsizetype i = 0; i < valores.size(); i += kPorConsulta) {
        const QVariantList parte = valores.mid(i, kPorConsulta);
        QStringList marcas;
        for (qsizetype k = 0; k < parte.size(); ++k)
            marcas << QStringLiteral("?");
        QSqlQuery q = de1_.ejecutar(select.arg(marcas.join(QStringLiteral(", "))), parte);
        while (q.next())
            r.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
    }
    std::stable_sort(r.begin(), r.end(), [](const PersonaListada& a, const PersonaListada& b) {
        return a.codigo < b.codigo;
    });
    return r;
}

QList<PersonaListada> RepositorioPersonas::porDocumentos(const QStringList& documentos) {
    return listarEn(QStringLiteral("SELECT CodigoPersona, NombrePersona, Documento FROM Personas "
                                   "WHERE Documento IN (%1)"),
                    QVariantList(documentos.cbegin(), documentos.cend()));
}

QList<PersonaListada> RepositorioPersonas::porCodigos(const QList<qint32>& codigos) {
    return listarEn(QStringLiteral("SELECT CodigoPersona, NombrePersona, Documento FROM Personas "
                                   "WHERE CodigoPersona IN (%1)"),
                    QVariantList(codigos.cbegin(), codigos.cend()));
}

std::optional<FichaPersona> RepositorioPersonas::ficha(qint32 codigo) {
    QSqlQuery q = de1_.ejecutar(
        QStringLiteral("SELECT d.DescripcionDocumento, p.Sexo, p.FechaNac, p.Domicilio, "
                       "p.Ciudad, p.Telefono FROM Personas p LEFT JOIN Documentos d "
                       "ON d.CodigoDocumento = p.TipoDocumento WHERE p.CodigoPersona = ?"),
        {codigo});
    if (!q.next())
        return std::nullopt;
    return FichaPersona{q.value(0).toString(),           q.value(1).toString(),
                        Dialecto::leerFecha(q.value(2)), q.value(3).toString(),
                        q.value(4).toString(),           q.value(5).toString()};
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
