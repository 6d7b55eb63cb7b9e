#include "data/EsquemaCatalogo.h"

namespace {
using T = TipoColumna;
using namespace Qt::Literals::StringLiterals;

std::vector<DefTabla> construir() {
    return {
        {u"Configuracion"_s, {{u"Item"_s, T::Texto, 100}, {u"Valor"_s, T::Texto, 255}}},
        {u"Items"_s, {{u"CodigoItem"_s, T::Identidad}, {u"DescripcionItem"_s, T::Texto, 100}}},
        {u"Responsables"_s,
         {{u"CodigoResponsable"_s, T::Identidad}, {u"NombreResponsable"_s, T::Texto, 100}}},
        {u"Usuarios"_s,
         {{u"CodigoUsuario"_s, T::Identidad},
          {u"NombreUsuario"_s, T::Texto, 60},
          {u"Eliminado"_s, T::Booleano}}},
        {u"Documentos"_s,
         {{u"CodigoDocumento"_s, T::Identidad}, {u"DescripcionDocumento"_s, T::Texto, 60}}},
        {u"Ciudades"_s,
         {{u"CodigoCiudad"_s, T::Identidad},
          {u"DescripcionCiudad"_s, T::Texto, 60},
          {u"Provincia"_s, T::Entero}}},
        {u"Personas"_s,
         {{u"CodigoPersona"_s, T::Identidad},
          {u"TipoDocumento"_s, T::Entero},
          {u"Documento"_s, T::Texto, 20},
          {u"NombrePersona"_s, T::Texto, 100},
          {u"Sexo"_s, T::Texto, 1},
          {u"EstadoCivil"_s, T::Texto, 20},
          {u"FechaNac"_s, T::Fecha},
          {u"Sangre"_s, T::Texto, 5},
          {u"Domicilio"_s, T::Texto, 100},
          {u"Ciudad"_s, T::Texto, 60},
          {u"Ocupacion"_s, T::Texto, 60},
          {u"Telefono"_s, T::Texto, 30},
          {u"Anteojos"_s, T::Texto, 2},
          {u"Celular"_s, T::Texto, 30},
          {u"EMail"_s, T::Texto, 60},
          {u"Huella"_s, T::Texto, 255}}},
        {u"Examenes"_s,
         {{u"CodigoExamen"_s, T::EnteroCorto, 0, true},
          {u"DescripcionExamen"_s, T::Texto, 100},
          {u"TipoExamen"_s, T::Texto, 1},
          {u"Disponible"_s, T::Booleano},
          {u"Ejecutable"_s, T::Texto, 100}}},
        {u"Preguntas"_s,
         {{u"CodigoPregunta"_s, T::Identidad},
          {u"Valoracion"_s, T::Entero},
          {u"Pregunta"_s, T::Texto, 500},
          {u"Foto"_s, T::Binario},
          {u"Tiempo"_s, T::Entero},
          {u"Tipo"_s, T::Texto, 1},
          {u"Orden"_s, T::EnteroCorto},
          {u"Ensayo"_s, T::Booleano}}},
        {u"Respuestas"_s,
         {{u"CodigoRespuesta"_s, T::Identidad},
          {u"Pregunta"_s, T::Entero},
          {u"Respuesta"_s, T::Texto, 255},
          {u"Correcta"_s, T::Booleano},
          {u"Orden"_s, T::EnteroCorto}}},
        {u"Carpetas"_s,
         {{u"CodigoCarpeta"_s, T::Identidad},
          {u"Persona"_s, T::Entero},
          {u"DescripcionCarpeta"_s, T::Texto, 50},
          {u"FechaCarpeta"_s, T::Fecha},
          {u"Bloq"_s, T::Booleano},
          {u"Resultado"_s, T::Texto, 20},
          {u"EdadCarpeta"_s, T::Entero},
          {u"Lugar"_s, T::Entero},
          {u"Empresa"_s, T::Entero},
          {u"NroCurso"_s, T::Texto, 20},
          {u"NroInforme"_s, T::Entero},
          {u"Observaciones"_s, T::Texto, 255},
          {u"TipoTramite"_s, T::Texto, 50},
          {u"Factura"_s, T::Texto, 50},
          {u"Licencia"_s, T::Texto, 20},
          {u"TipoExamen"_s, T::Texto, 5},
          {u"NumeroCarpetaCons"_s, T::Texto, 20}}},
        {u"DetalleExamenes"_s,
         {{u"CodigoDetalleExamen"_s, T::Identidad},
          {u"Carpeta"_s, T::Entero},
          {u"Fecha"_s, T::Fecha},
          {u"Examen"_s, T::Entero},
          {u"Resultado"_s, T::Texto, 20},
          {u"Responsable"_s, T::Entero}}},
        {u"Resultados"_s,
         {{u"DetalleExamen"_s, T::Entero},
          {u"Item"_s, T::Entero},
          {u"Resultado"_s, T::Texto, 20},
          {u"Valor"_s, T::EnteroCorto},
          {u"Percentil"_s, T::EnteroCorto},
          {u"Orden"_s, T::EnteroCorto}}},
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
