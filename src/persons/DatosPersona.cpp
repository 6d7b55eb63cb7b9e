#include "persons/DatosPersona.h"

#include "app/Claves.h"
#include "app/Rutinas.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"

#include <QFileInfo>
#include <cmath>

namespace persona {

const QStringList& sexos() {
    static const QStringList l = {QStringLiteral("Masculino"), QStringLiteral("Femenino")};
    return l;
}

const QStringList& estadosCiviles() {
    static const QStringList l = {QStringLiteral("Sin Datos"),  QStringLiteral("Soltero"),
                                  QStringLiteral("Casado"),     QStringLiteral("Viudo"),
                                  QStringLiteral("Divorciado"), QStringLiteral("Otro")};
    return l;
}

const QStringList& gruposSangre() {
    static const QStringList l = {
        QStringLiteral("S/D"), QStringLiteral("0 +"),  QStringLiteral("0 -"),
        QStringLiteral("A +"), QStringLiteral("A -"),  QStringLiteral("B +"),
        QStringLiteral("B -"), QStringLiteral("AB +"), QStringLiteral("AB -")};
    return l;
}

const QStringList& anteojos() {
    static const QStringList l = {QStringLiteral("Si"), QStringLiteral("No")};
    return l;
}

std::optional<int> edad(const QDate& nacimiento, const QDate& hoy) {
    if (!nacimiento.isValid() || !hoy.isValid())
        return std::nullopt;
    return static_cast<int>(std::floor(static_cast<double>(nacimiento.daysTo(hoy)) / 365.25));
}

QString textoEdad(const QDate& nacimiento, const QDate& hoy) {
    return QString::number(edad(nacimiento, hoy).value_or(0)) + QStringLiteral(" años de edad.");
}

} // namespace persona

ConfiguracionPersona ConfiguracionPersona::leer(De1& de1) {
    ConfiguracionPersona c;
    const auto ajuste = [&de1](const QString& item) {
        return texto::Val(LeerConfiguracion(de1, item));
    };
    c.cifrasFijas = texto::Val(LeerIni(claves::kChkCifras)) == 1;
    c.cifras = texto::ValEntero(LeerIni(claves::kTxtCifras));
    c.chile = LeerIni(claves::kPais) == QStringLiteral("Chile");
    c.nuevasCiudades = ajuste(ajustes::kNuevasCiudades) == 1;
    c.exigeFoto = ajuste(ajustes::kExigeFoto) == 1;
    c.exigeFirma = ajuste(ajustes::kExigeFirma) != 0;
    c.exigeHuella = ajuste(ajustes::kExigeHuella) != 0;
    return c;
}

int ConfiguracionPersona::largoDocumento() const {
    if (chile)
        return 9;
    // A count of 0 or less would leave a box that takes nothing.
    if (cifrasFijas && cifras > 0)
        return qMin(cifras, persona::kAnchoDocumento);
    return persona::kAnchoDocumento;
}

QString ConfiguracionPersona::rotuloCiudad() const {
    return chile ? QStringLiteral("Municipalidad / Comuna") : QStringLiteral("Ciudad");
}

std::optional<FallaValidacion> ValidadorPersona::validar(DatosPersona& d) const {
    using Campo = FallaValidacion::Campo;
    using Gravedad = FallaValidacion::Gravedad;
    const auto falla = [](int n, const char* texto, Gravedad gravedad, Campo campo) {
        return FallaValidacion{n, QString::fromUtf8(texto), gravedad, campo};
    };

    if (!d.tipoDocumento)
        return falla(1, "Debe seleccionar el tipo de documento.", Gravedad::Advertencia,
                     Campo::TipoDocumento);
    d.documento = d.documento.trimmed();
    if (d.documento.isEmpty())
        return falla(2, "Debe ingresar el documento correctamente.", Gravedad::Error,
                     Campo::Documento);
    if (config_.cifrasFijas && d.documento.size() < config_.cifras)
        return falla(3, "Debe ingresar el documento correctamente.", Gravedad::Error,
                     Campo::Documento);
    d.nombre = NombrePropio(d.nombre);
    if (d.nombre.isEmpty())
        return falla(4, "Debe ingresar el nombre de la persona", Gravedad::Error, Campo::Nombre);
    if (d.sexo.isEmpty())
        return falla(5, "Debe seleccionar el sexo de la persona.", Gravedad::Error, Campo::Sexo);
    if (d.estadoCivil.isEmpty())
        return falla(6, "Debe seleccionar el estado civil.", Gravedad::Error, Campo::EstadoCivil);
    d.domicilio = NombrePropio(d.domicilio);
    if (d.domicilio.isEmpty())
        return falla(7, "Debe ingresar el domicilio.", Gravedad::Error, Campo::Domicilio);
    if (d.sangre.trimmed().isEmpty())
        return falla(8, "Debe seleccionar el grupo sanguineo de la persona.", Gravedad::Advertencia,
                     Campo::Sangre);
    if (d.anteojos.isEmpty())
        d.anteojos = persona::anteojos().at(1);
    if (d.ciudad.isEmpty())
        return falla(9, "Debe seleccionar la ciudad.", Gravedad::Advertencia, Campo::Ciudad);

    const auto falta = [](almacen::TipoImagen t) {
        return !QFileInfo(almacen::archivoTrabajo(t)).isFile();
    };
    if (config_.exigeFoto && falta(almacen::TipoImagen::Foto))
        return falla(10, "Debe ingresar la fotografía de la  persona.", Gravedad::Advertencia,
                     Campo::Ninguno);
    if (config_.exigeFirma && falta(almacen::TipoImagen::Firma))
        return falla(11, "Debe ingresar la firma de la  persona.", Gravedad::Advertencia,
                     Campo::Ninguno);
    if (config_.exigeHuella && falta(almacen::TipoImagen::Huella))
        return falla(12, "Debe ingresar las huellas digitales de la  persona.",
                     Gravedad::Advertencia, Campo::Ninguno);
    return std::nullopt;
}
