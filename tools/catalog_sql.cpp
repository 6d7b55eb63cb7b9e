// Prints the SQL Server script that creates the catalog's expected tables;
// sql/sqlserver/catalog.sql is this program's output.
#include "data/Dialecto.h"
#include "data/EsquemaCatalogo.h"

#include <cstdio>

int main() {
    const Dialecto sqlServer(Dialecto::Motor::SqlServer);
    std::printf("-- Tablas que el programa espera encontrar en el catálogo QuenvarMRX.\n"
                "-- Generado por tavelmo-catalog-sql; no editar a mano.\n"
                "-- Las tablas propias del programa (Grupos, GruposPersonas, SesionesExamen,\n"
                "-- PreguntasSesion, EvaluadosSesion y RespuestasSesion) las crea él mismo al "
                "iniciar.\n\n");
    for (const DefTabla& t : tablasEsperadas()) {
        std::printf("IF OBJECT_ID(N'%s', N'U') IS NULL\n    %s;\nGO\n\n", qPrintable(t.nombre),
                    qPrintable(sqlServer.crearTabla(t)));
    }
    return 0;
}
