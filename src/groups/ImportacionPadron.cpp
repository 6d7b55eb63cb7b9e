#include "groups/ImportacionPadron.h"

#include "app/Rutinas.h"
#include "data/De1.h"
#include "groups/Planilla.h"
#include "groups/RepositorioMiembros.h"
#include "persons/AlmacenImagenes.h"
#include "persons/RepositorioPersonas.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>

int PlanImportacion::contar(FilaImportacion::Estado estado) const {
    return int(std::count_if(filas.cbegin(), filas.cend(),
                             [estado](const FilaImportacion& f) { return f.estado == estado; }));
}

namespace importacion {

namespace {

enum class Campo {
    Documento,
    TipoDocumento,
    Nombre,
    Apellidos,
    Nombres,
    Sexo,
    EstadoCivil,
    FechaNac,
    Sangre,
    Domicilio,
    Ciudad,
    Ocupacion,
    Telefono,
    Celular,
    EMail,
    Anteojos,
};

const QHash<QString, Campo>& sinonimos() {
    static const QHash<QString, Campo> s = [] {
        QHash<QString, Campo> h;
        const auto poner = [&h](std::initializer_list<const char*> nombres, Campo c) {
            for (const char* n : nombres)
                h.insert(QString::fromLatin1(n), c);
        };
        poner({"documento", "nrodocumento", "nrodedocumento", "numerodocumento",
               "numerodedocumento", "nodocumento", "nodedocumento", "ndocumento", "numdocumento",
               "dni", "cedula", "rut", "ci", "nrodoc"},
              Campo::Documento);
        poner({"tipodocumento", "tipodedocumento", "tipodoc", "tipo"}, Campo::TipoDocumento);
        poner({"nombre", "apellidosynombres", "apellidoynombre", "apellidosynombre",
               "nombrepersona", "nombrecompleto", "nombreyapellido", "nombresyapellidos"},
              Campo::Nombre);
        poner({"apellidos", "apellido"}, Campo::Apellidos);
        poner({"nombres"}, Campo::Nombres);
        poner({"sexo", "genero"}, Campo::Sexo);
        poner({"estadocivil"}, Campo::EstadoCivil);
        poner({"fechanac", "fechadenacimiento", "fechanacimiento", "nacimiento", "fechadenac"},
              Campo::FechaNac);
        poner({"sangre", "gruposanguineo", "grupodesangre", "tiposanguineo"}, Campo::Sangre);
        poner({"domicilio", "direccion"}, Campo::Domicilio);
        poner({"ciudad", "municipalidadcomuna", "comuna", "municipalidad", "localidad"},
              Campo::Ciudad);
        poner({"ocupacion", "profesion"}, Campo::Ocupacion);
        poner({"telefono", "telefonofijo"}, Campo::Telefono);
        poner({"celular", "telefonocelular", "movil", "telefonomovil"}, Campo::Celular);
        poner({"email", "correo", "correoelectronico", "mail"}, Campo::EMail);
        poner({"anteojos", "usaanteojos", "lentes", "usalentes"}, Campo::Anteojos);
        return h;
    }();
    return s;
}

QString documentoClave(const QString& documento) {
    return documento.trimmed().toUpper();
}

// Persons stored under each document (the lowest code when several share one).
struct Registrada {
    qint32 codigo = 0;
    QString nombre;
    QString documento;
};
QHash<QString, Registrada> buscarDocumentos(De1& de1, const QStringList& documentos) {
    QHash<QString, Registrada> r;
    for (const PersonaListada& p : RepositorioPersonas(de1).porDocumentos(documentos)) {
        const QString k = documentoClave(p.documento);
        if (!r.contains(k))
            r.insert(k, {p.codigo, p.nombre, p.documento});
    }
    return r;
}

QSet<qint32> miembros(De1& de1, qint32 grupo) {
    QSet<qint32> m;
    for (const Evaluado& e : RepositorioMiembros(de1).evaluados(grupo))
        m.insert(e.codigoPersona);
    return m;
}

// Name -> (code, stored name) of a list looked up without regard to case or accents.
QHash<QString, ElementoLista> porClave(const QList<ElementoLista>& lista) {
    QHash<QString, ElementoLista> h;
    for (const ElementoLista& e : lista) {
        const QString k = clave(e.texto);
        if (!h.contains(k))
            h.insert(k, e);
    }
    return h;
}

QString conValor(const QString& mensaje, const QString& valor) {
    return valor.isEmpty() ? mensaje : mensaje + QStringLiteral(" (valor «%1»)").arg(valor);
}

// The longest text each free field takes, as the editor's boxes and the columns allow.
std::optional<QString> demasiadoLargo(const DatosPersona& d) {
    const std::pair<const QString*, std::pair<const char*, int>> campos[] = {
        {&d.nombre, {"Apellidos y nombres", persona::kAnchoNombre}},
        {&d.domicilio, {"Domicilio", persona::kAnchoDomicilio}},
        {&d.ciudad, {"Ciudad", persona::kAnchoCiudad}},
        {&d.ocupacion, {"Ocupación", persona::kAnchoOcupacion}},
        {&d.telefono, {"Teléfono", persona::kAnchoTelefono}},
        {&d.celular, {"Teléfono celular", persona::kAnchoTelefono}},
        {&d.email, {"Correo electrónico", persona::kAnchoEMail}},
    };
    for (const auto& [texto, campo] : campos)
        if (texto->size() > campo.second)
            return QStringLiteral("«%1» tiene más de %2 caracteres.")
                .arg(QString::fromUtf8(campo.first))
                .arg(campo.second);
    return std::nullopt;
}

} // namespace

QString clave(const QString& encabezado) {
    // Compatibility forms too: "Nº" reads as "No".
    const QString descompuesta = encabezado.normalized(QString::NormalizationForm_KD);
    QString r;
    r.reserve(descompuesta.size());
    for (const QChar c : descompuesta)
        if (c.isLetterOrNumber())
            r += c.toLower();
    return r;
}

QDate leerFecha(const QString& texto, bool fechas1904) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return QDate();
    bool esNumero = false;
    const double serie = t.toDouble(&esNumero);
    if (esNumero)
        return planilla::fechaSerial(serie, fechas1904);
    // A time after the date (as spreadsheets write date cells in text) is ignored.
    const QString fecha = t.section(u' ', 0, 0).section(u'T', 0, 0);
    for (const QString& formato :
         {QStringLiteral("d/M/yyyy"), QStringLiteral("d-M-yyyy"), QStringLiteral("d.M.yyyy"),
          QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d")}) {
        const QDate d = QDate::fromString(fecha, formato);
        if (d.isValid())
            return d;
    }
    return QDate();
}

std::variant<PlanImportacion, QString> preparar(De1& de1, const Planilla& planilla, qint32 grupo,
                                                std::optional<qint64> tipoDocumento) {
    PlanImportacion plan;
    qsizetype cabecera = 0;
    while (cabecera < planilla.filas.size() &&
           std::all_of(planilla.filas.at(cabecera).cbegin(), planilla.filas.at(cabecera).cend(),
                       [](const QString& c) { return c.trimmed().isEmpty(); }))
        ++cabecera;
    if (cabecera >= planilla.filas.size())
        return QStringLiteral("El archivo está vacío.");

    QHash<Campo, int> columnas;
    const QStringList& encabezados = planilla.filas.at(cabecera);
    for (int c = 0; c < encabezados.size(); ++c) {
        const auto it = sinonimos().constFind(clave(encabezados.at(c)));
        if (it == sinonimos().constEnd() || columnas.contains(*it)) {
            if (!encabezados.at(c).trimmed().isEmpty())
                plan.columnasIgnoradas << encabezados.at(c).trimmed();
            continue;
        }
        columnas.insert(*it, c);
    }
    if (!columnas.contains(Campo::Documento))
        return QStringLiteral("El archivo no tiene una columna «Documento» en su primera fila.");
    plan.columnaTipoDocumento = columnas.contains(Campo::TipoDocumento);

    RepositorioPersonas repositorio(de1);
    const ConfiguracionPersona config = ConfiguracionPersona::leer(de1);
    // Images cannot come with a file: the office's demand for them is checked
    // here, not against the capture windows' working files.
    ConfiguracionPersona sinImagenes = config;
    sinImagenes.exigeFoto = sinImagenes.exigeFirma = sinImagenes.exigeHuella = false;
    const ValidadorPersona validador(sinImagenes);
    const QHash<QString, ElementoLista> documentos = porClave(repositorio.documentos());
    const QHash<QString, ElementoLista> ciudades = porClave(repositorio.ciudades());

    const auto celda = [&columnas](const QStringList& fila, Campo campo) {
        const int c = columnas.value(campo, -1);
        return c >= 0 && c < fila.size() ? fila.at(c).trimmed() : QString();
    };

    QHash<QString, int> vistos; // document -> first line with it
    QStringList buscar;
    for (qsizetype i = cabecera + 1; i < planilla.filas.size(); ++i) {
        const QStringList& fila = planilla.filas.at(i);
        if (std::all_of(fila.cbegin(), fila.cend(),
                        [](const QString& c) { return c.trimmed().isEmpty(); }))
            continue;
        FilaImportacion f;
        f.linea = int(i + 1);
        DatosPersona& d = f.datos;
        d.documento = celda(fila, Campo::Documento);
        QString nombre = celda(fila, Campo::Nombre);
        const QString apellidos = celda(fila, Campo::Apellidos);
        const QString nombres = celda(fila, Campo::Nombres);
        if (nombre.isEmpty())
            nombre = (apellidos + u' ' + nombres).trimmed();
        d.nombre = nombre;
        plan.filas.append(f);
        const QString k = documentoClave(d.documento);
        if (!k.isEmpty() && !vistos.contains(k)) {
            vistos.insert(k, f.linea);
            buscar << d.documento;
        }
    }
    const QHash<QString, Registrada> registradas = buscarDocumentos(de1, buscar);
    const QSet<qint32> enGrupo = miembros(de1, grupo);

    using Estado = FilaImportacion::Estado;
    for (FilaImportacion& f : plan.filas) {
        const QStringList& fila = planilla.filas.at(f.linea - 1);
        DatosPersona& d = f.datos;
        const QString k = documentoClave(d.documento);
        if (!k.isEmpty() && vistos.value(k) != f.linea) {
            f.motivo =
                QStringLiteral("Documento repetido en el archivo (fila %1).").arg(vistos.value(k));
            continue;
        }
        if (const auto it = registradas.constFind(k);
            !k.isEmpty() && it != registradas.constEnd()) {
            f.persona = it->codigo;
            f.nombreRegistrado = it->nombre;
            f.estado = enGrupo.contains(it->codigo) ? Estado::EnGrupo : Estado::Existente;
            continue;
        }

        // A new person: the file's values in the editor's terms, then its checks.
        const QString tipo = celda(fila, Campo::TipoDocumento);
        if (tipo.isEmpty()) {
            d.tipoDocumento = tipoDocumento;
        } else if (const auto it = documentos.constFind(clave(tipo)); it != documentos.constEnd()) {
            d.tipoDocumento = it->codigo;
        } else {
            f.motivo = QStringLiteral("El tipo de documento «%1» no está registrado.").arg(tipo);
            continue;
        }
        const QString sexo = celda(fila, Campo::Sexo);
        const QString claveSexo = clave(sexo);
        if (claveSexo == u"m" || claveSexo == u"masculino" || claveSexo == u"hombre" ||
            claveSexo == u"varon")
            d.sexo = persona::sexos().at(0);
        else if (claveSexo == u"f" || claveSexo == u"femenino" || claveSexo == u"mujer")
            d.sexo = persona::sexos().at(1);
        const QString estadoCivil = celda(fila, Campo::EstadoCivil);
        d.estadoCivil = estadoCivil.isEmpty() ? persona::estadosCiviles().at(0) : QString();
        for (const QString& e : persona::estadosCiviles())
            if (!estadoCivil.isEmpty() && clave(e) == clave(estadoCivil))
                d.estadoCivil = e;
        const QString nacimiento = celda(fila, Campo::FechaNac);
        d.fechaNac = leerFecha(nacimiento, planilla.fechas1904);
        d.sangre = celda(fila, Campo::Sangre);
        if (d.sangre.isEmpty())
            d.sangre = persona::gruposSangre().at(0);
        d.domicilio = celda(fila, Campo::Domicilio);
        if (d.domicilio.isEmpty())
            d.domicilio = QStringLiteral("Sin Datos");
        const auto sinDatos = [](const QString& t) {
            return t.isEmpty() ? QStringLiteral("Sin datos") : t;
        };
        d.ocupacion = sinDatos(celda(fila, Campo::Ocupacion));
        d.telefono = sinDatos(celda(fila, Campo::Telefono));
        d.celular = sinDatos(celda(fila, Campo::Celular));
        d.email = sinDatos(celda(fila, Campo::EMail));
        const QString anteojos = clave(celda(fila, Campo::Anteojos));
        if (anteojos == u"si" || anteojos == u"s" || anteojos == u"1")
            d.anteojos = persona::anteojos().at(0);
        else if (anteojos == u"no" || anteojos == u"n" || anteojos == u"0")
            d.anteojos = persona::anteojos().at(1);
        else if (!anteojos.isEmpty()) {
            f.motivo = QStringLiteral("«Usa anteojos» debe ser Si o No (valor «%1»).")
                           .arg(celda(fila, Campo::Anteojos));
            continue;
        }
        const QString ciudad = celda(fila, Campo::Ciudad);
        if (const auto it = ciudades.constFind(clave(ciudad));
            !ciudad.isEmpty() && it != ciudades.constEnd()) {
            d.ciudad = it->texto;
        } else if (!ciudad.isEmpty() && config.nuevasCiudades) {
            QString nueva = ciudad.simplified();
            d.ciudad = NombrePropio(nueva);
            f.ciudadNueva = true;
        } else if (!ciudad.isEmpty()) {
            f.motivo = QStringLiteral("La ciudad «%1» no está registrada.").arg(ciudad);
            continue;
        }

        if (const std::optional<FallaValidacion> falla = validador.validar(d)) {
            using C = FallaValidacion::Campo;
            const QString valor = falla->campo == C::Sexo          ? sexo
                                  : falla->campo == C::EstadoCivil ? estadoCivil
                                                                   : QString();
            f.motivo = conValor(falla->mensaje, valor);
            continue;
        }
        if (d.documento.size() > config.largoDocumento()) {
            f.motivo = QStringLiteral("Debe ingresar el documento correctamente.");
            continue;
        }
        if (const auto largo = demasiadoLargo(d)) {
            f.motivo = *largo;
            continue;
        }
        if (!d.fechaNac.isValid() || d.fechaNac > QDate::currentDate()) {
            f.motivo =
                nacimiento.isEmpty()
                    ? QStringLiteral("Falta la fecha de nacimiento.")
                    : QStringLiteral("La fecha de nacimiento «%1» no es válida.").arg(nacimiento);
            continue;
        }
        if (config.exigeFoto) {
            f.motivo = QStringLiteral("Debe ingresar la fotografía de la  persona.");
            continue;
        }
        if (config.exigeFirma) {
            f.motivo = QStringLiteral("Debe ingresar la firma de la  persona.");
            continue;
        }
        if (config.exigeHuella) {
            f.motivo = QStringLiteral("Debe ingresar las huellas digitales de la  persona.");
            continue;
        }
        f.estado = Estado::Nueva;
    }
    return plan;
}

std::variant<PlanImportacion, QString> prepararArchivo(De1& de1, const QString& ruta, qint32 grupo,
                                                       std::optional<qint64> tipoDocumento) {
    auto leida = planilla::leer(ruta);
    if (auto* error = std::get_if<QString>(&leida))
        return *error;
    return preparar(de1, std::get<Planilla>(leida), grupo, tipoDocumento);
}

ResultadoImportacion importar(De1& de1, qint32 grupo, const PlanImportacion& plan) {
    using Estado = FilaImportacion::Estado;
    ResultadoImportacion r;
    RepositorioPersonas personas(de1);
    Transaccion t(de1);
    QStringList nuevos;
    for (const FilaImportacion& f : plan.filas)
        if (f.estado == Estado::Nueva)
            nuevos << f.datos.documento;
    const QHash<QString, Registrada> registradas = buscarDocumentos(de1, nuevos);
    QSet<QString> ciudadesAgregadas;

    for (const FilaImportacion& f : plan.filas) {
        ResultadoImportacion::Miembro m;
        m.documento = f.datos.documento;
        if (f.estado == Estado::Invalida)
            continue;
        if (f.estado == Estado::Nueva) {
            const auto it = registradas.constFind(documentoClave(f.datos.documento));
            if (it != registradas.constEnd()) {
                m.persona = it->codigo;
                m.nombre = it->nombre;
            } else {
                if (f.ciudadNueva && !ciudadesAgregadas.contains(clave(f.datos.ciudad))) {
                    ciudadesAgregadas.insert(clave(f.datos.ciudad));
                    personas.buscarOAgregarCiudadEnTransaccion(f.datos.ciudad);
                }
                m.persona = qint32(personas.guardarEnTransaccion(f.datos));
                m.nombre = f.datos.nombre;
                ++r.creadas;
            }
        } else {
            m.persona = f.persona;
            m.nombre = f.nombreRegistrado;
        }
        r.miembros.append(m);
    }
    QList<qint32> codigos;
    codigos.reserve(r.miembros.size());
    for (const ResultadoImportacion::Miembro& m : std::as_const(r.miembros))
        codigos << m.persona;
    r.agregadas = int(RepositorioMiembros(de1).agregarEnTransaccion(grupo, codigos).size());
    t.confirmar();
    return r;
}

} // namespace importacion
