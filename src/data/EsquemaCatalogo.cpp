#include "data/EsquemaCatalogo.h"

namespace {
using T = TipoColumna;

std::vector<DefTabla> construir() {
    return {
        {"Configuracion", {{"Item", T::Texto, 100}, {"Valor", T::Texto, 255}}},
        {"Items", {{"CodigoItem", T::Identidad}, {"DescripcionItem", T::Texto, 100}}},
        {"Responsables",
         {{"CodigoResponsable", T::Identidad}, {"NombreResponsable", T::Texto, 100}}},
        {"Usuarios",
         {{"CodigoUsuario", T::Identidad},
          {"NombreUsuario", T::Texto, 60},
          {"Eliminado", T::Booleano}}},
        {"Documentos", {{"CodigoDocumento", T::Identidad}, {"DescripcionDocumento", T::Texto, 60}}},
        {"Ciudades",
         {{"CodigoCiudad", T::Identidad},
          {"DescripcionCiudad", T::Texto, 60},
          {"Provincia", T::Entero}}},
        {"Personas",
         {{"CodigoPersona", T::Identidad},
          {"TipoDocumento", T::Entero},
          {"Documento", T::Texto, 20},
          {"NombrePersona", T::Texto, 100},
          {"Sexo", T::Texto, 1},
          {"EstadoCivil", T::Texto, 20},
          {"FechaNac", T::Fecha},
          {"Sangre", T::Texto, 5},
          {"Domicilio", T::Texto, 100},
          {"Ciudad", T::Texto, 60},
          {"Ocupacion", T::Texto, 60},
          {"Telefono", T::Texto, 30},
          {"Anteojos", T::Texto, 2},
          {"Celular", T::Texto, 30},
          {"EMail", T::Texto, 60},
          {"Huella", T::Texto, 255}}},
        {"Examenes",
         {{"CodigoExamen", T::EnteroCorto, 0, true},
          {"DescripcionExamen", T::Texto, 100},
          {"TipoExamen", T::Texto, 1},
          {"Disponible", T::Booleano},
          {"Ejecutable", T::Texto, 100}}},
        {"Preguntas",
         {{"CodigoPregunta", T::Identidad},
          {"Valoracion", T::Entero},
          {"Pregunta", T::Texto, 500},
          {"Foto", T::Binario},
          {"Tiempo", T::Entero},
          {"Tipo", T::Texto, 1},
          {"Orden", T::EnteroCorto},
          {"Ensayo", T::Booleano}}},
        {"Respuestas",
         {{"CodigoRespuesta", T::Identidad},
          {"Pregunta", T::Entero},
          {"Respuesta", T::Texto, 255},
          {"Correcta", T::Booleano},
          {"Orden", T::EnteroCorto}}},
        {"Carpetas",
         {{"CodigoCarpeta", T::Identidad},
          {"Persona", T::Entero},
          {"DescripcionCarpeta", T::Texto, 50},
          {"FechaCarpeta", T::Fecha},
          {"Bloq", T::Booleano},
          {"Resultado", T::Texto, 20},
          {"EdadCarpeta", T::Entero},
          {"Lugar", T::Entero},
          {"Empresa", T::Entero},
          {"NroCurso", T::Texto, 20},
          {"NroInforme", T::Entero},
          {"Observaciones", T::Texto, 255},
          {"TipoTramite", T::Texto, 50},
          {"Factura", T::Texto, 50},
          {"Licencia", T::Texto, 20},
          {"TipoExamen", T::Texto, 5},
          {"NumeroCarpetaCons", T::Texto, 20}}},
        {"DetalleExamenes",
         {{"CodigoDetalleExamen", T::Identidad},
          {"Carpeta", T::Entero},
          {"Fecha", T::Fecha},
          {"Examen", T::Entero},
          {"Resultado", T::Texto, 20},
          {"Responsable", T::Entero}}},
        {"Resultados",
         {{"DetalleExamen", T::Entero},
          {"Item", T::Entero},
          {"Resultado", T::Texto, 20},
          {"Valor", T::EnteroCorto},
          {"Percentil", T::EnteroCorto},
          {"Orden", T::EnteroCorto}}},
    };
}
} // namespace

const std::vector<DefTabla>& tablasEsperadas() {
    static const std::vector<DefTabla> tablas = construir();
    return tablas;
}

const QStringList& tiposDocumentoIniciales() {
    static const QStringList tipos = {
        QStringLiteral("Cédula de identidad"),
        QStringLiteral("Cédula de ciudadanía"),
        QStringLiteral("Documento nacional de identidad"),
        QStringLiteral("Cédula de extranjería"),
        QStringLiteral("Pasaporte"),
    };
    return tipos;
}
