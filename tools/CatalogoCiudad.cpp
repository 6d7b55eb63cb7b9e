#include "CatalogoCiudad.h"

#include "app/Claves.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "data/IndicesBusqueda.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <array>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace ciudad {

namespace {

// Surnames and first names with rough weights of how often they are borne, so
// that common ones are as common in the catalog as in a Spanish city.
struct Pesado {
    const char16_t* texto;
    int peso;
};

constexpr auto kApellidos = std::to_array<Pesado>({
    {u"García", 146},   {u"Rodríguez", 93},  {u"González", 92},  {u"Fernández", 90},
    {u"López", 87},     {u"Martínez", 83},   {u"Sánchez", 81},   {u"Pérez", 77},
    {u"Gómez", 49},     {u"Martín", 48},     {u"Jiménez", 39},   {u"Ruiz", 35},
    {u"Hernández", 35}, {u"Díaz", 34},       {u"Moreno", 33},    {u"Muñoz", 28},
    {u"Álvarez", 28},   {u"Romero", 23},     {u"Alonso", 19},    {u"Gutiérrez", 19},
    {u"Navarro", 18},   {u"Torres", 18},     {u"Domínguez", 17}, {u"Vázquez", 16},
    {u"Ramos", 16},     {u"Gil", 16},        {u"Ramírez", 15},   {u"Serrano", 15},
    {u"Blanco", 15},    {u"Molina", 14},     {u"Morales", 14},   {u"Suárez", 14},
    {u"Ortega", 14},    {u"Delgado", 13},    {u"Castro", 13},    {u"Ortiz", 13},
    {u"Rubio", 12},     {u"Marín", 12},      {u"Sanz", 12},      {u"Núñez", 12},
    {u"Iglesias", 11},  {u"Medina", 11},     {u"Garrido", 11},   {u"Cortés", 10},
    {u"Castillo", 10},  {u"Santos", 10},     {u"Lozano", 10},    {u"Guerrero", 10},
    {u"Cano", 10},      {u"Prieto", 10},     {u"Méndez", 9},     {u"Cruz", 9},
    {u"Calvo", 9},      {u"Gallego", 9},     {u"Vidal", 9},      {u"León", 9},
    {u"Márquez", 9},    {u"Herrera", 9},     {u"Peña", 8},       {u"Flores", 8},
    {u"Cabrera", 8},    {u"Campos", 8},      {u"Vega", 8},       {u"Fuentes", 8},
    {u"Carrasco", 8},   {u"Diez", 8},        {u"Caballero", 8},  {u"Reyes", 8},
    {u"Nieto", 7},      {u"Aguilar", 7},     {u"Pascual", 7},    {u"Santana", 7},
    {u"Herrero", 7},    {u"Lorenzo", 7},     {u"Montero", 7},    {u"Hidalgo", 7},
    {u"Giménez", 7},    {u"Ibáñez", 7},      {u"Ferrer", 7},     {u"Durán", 6},
    {u"Santiago", 6},   {u"Benítez", 6},     {u"Mora", 6},       {u"Vicente", 6},
    {u"Vargas", 6},     {u"Arias", 6},       {u"Carmona", 6},    {u"Crespo", 6},
    {u"Román", 6},      {u"Pastor", 6},      {u"Soto", 6},       {u"Sáez", 6},
    {u"Velasco", 6},    {u"Moya", 5},        {u"Soler", 5},      {u"Parra", 5},
    {u"Esteban", 5},    {u"Bravo", 5},       {u"Gallardo", 5},   {u"Rojas", 5},
    {u"Pardo", 4},      {u"Merino", 4},      {u"Franco", 4},     {u"Espinosa", 4},
    {u"Izquierdo", 4},  {u"Lara", 4},        {u"Rivas", 4},      {u"Silva", 4},
    {u"Rivera", 4},     {u"Casado", 4},      {u"Arroyo", 4},     {u"Redondo", 4},
    {u"Camacho", 4},    {u"Rey", 4},         {u"Vera", 4},       {u"Otero", 4},
    {u"Luque", 3},      {u"Galán", 3},       {u"Montes", 3},     {u"Ríos", 3},
    {u"Sierra", 3},     {u"Segura", 3},      {u"Carrillo", 3},   {u"Marcos", 3},
    {u"Marti", 3},      {u"Soriano", 3},     {u"Mendoza", 3},    {u"Robles", 3},
    {u"Bernal", 3},     {u"Vila", 3},        {u"Valero", 3},     {u"Palacios", 3},
    {u"Pozo", 2},       {u"Benito", 2},      {u"Andrés", 2},     {u"Guerra", 2},
    {u"Macías", 2},     {u"Varela", 2},      {u"Contreras", 2},  {u"Blázquez", 2},
    {u"Aranda", 2},     {u"Echeverría", 1},  {u"Goicoechea", 1}, {u"Urquijo", 1},
    {u"Iturriaga", 1},  {u"Zubizarreta", 1}, {u"Llorente", 1},   {u"Quiroga", 1},
    {u"Ybarra", 1},     {u"Xirau", 1},       {u"Zamora", 2},     {u"Zapata", 1},
});

constexpr auto kNombresHombre = std::to_array<Pesado>({
    {u"Antonio", 67},
    {u"Manuel", 61},
    {u"José", 60},
    {u"Francisco", 54},
    {u"David", 38},
    {u"Juan", 38},
    {u"José Antonio", 37},
    {u"Javier", 36},
    {u"Daniel", 34},
    {u"José Luis", 34},
    {u"Francisco Javier", 33},
    {u"Carlos", 32},
    {u"Jesús", 29},
    {u"Alejandro", 28},
    {u"Miguel", 25},
    {u"José Manuel", 25},
    {u"Rafael", 23},
    {u"Miguel Ángel", 22},
    {u"Pedro", 22},
    {u"Pablo", 21},
    {u"Ángel", 20},
    {u"Sergio", 19},
    {u"José María", 18},
    {u"Fernando", 17},
    {u"Jorge", 17},
    {u"Luis", 17},
    {u"Alberto", 16},
    {u"Juan Carlos", 15},
    {u"Álvaro", 15},
    {u"Adrián", 14},
    {u"Diego", 13},
    {u"Raúl", 13},
    {u"Iván", 12},
    {u"Rubén", 12},
    {u"Enrique", 12},
    {u"Óscar", 11},
    {u"Andrés", 11},
    {u"Ramón", 11},
    {u"Vicente", 10},
    {u"Joaquín", 9},
    {u"Santiago", 9},
    {u"Víctor", 9},
    {u"Mario", 8},
    {u"Eduardo", 8},
    {u"Roberto", 8},
    {u"Marcos", 7},
    {u"Jaime", 7},
    {u"Hugo", 6},
    {u"Íñigo", 2},
    {u"Xavier", 2},
    {u"Unai", 2},
    {u"Aitor", 2},
});

constexpr auto kNombresMujer = std::to_array<Pesado>({
    {u"María Carmen", 63},  {u"María", 60},         {u"Carmen", 42},  {u"Ana María", 30},
    {u"Laura", 29},         {u"María Pilar", 28},   {u"Josefa", 27},  {u"Isabel", 27},
    {u"María Dolores", 26}, {u"María Teresa", 25},  {u"Ana", 25},     {u"Marta", 24},
    {u"Cristina", 24},      {u"María Ángeles", 23}, {u"Lucía", 22},   {u"María Isabel", 21},
    {u"María José", 21},    {u"Francisca", 20},     {u"Antonia", 20}, {u"Dolores", 19},
    {u"Sara", 17},          {u"Paula", 17},         {u"Elena", 17},   {u"María Luisa", 16},
    {u"Raquel", 15},        {u"Rosa María", 15},    {u"Pilar", 14},   {u"Concepción", 13},
    {u"Manuela", 13},       {u"Mercedes", 12},      {u"Julia", 12},   {u"Beatriz", 11},
    {u"Nuria", 11},         {u"Silvia", 11},        {u"Irene", 10},   {u"Rocío", 10},
    {u"Alba", 10},          {u"Patricia", 10},      {u"Andrea", 9},   {u"Rosario", 9},
    {u"Inés", 7},           {u"Sofía", 7},          {u"Begoña", 4},   {u"Nerea", 4},
    {u"Ainhoa", 3},         {u"Noelia", 3},         {u"Iría", 2},     {u"Montserrat", 3},
});

constexpr std::array kCiudades = {
    u"Madrid",    u"Barcelona", u"Valencia",  u"Sevilla",  u"Zaragoza",    u"Málaga",
    u"Murcia",    u"Palma",     u"Bilbao",    u"Alicante", u"Córdoba",     u"Valladolid",
    u"Vigo",      u"Gijón",     u"Vitoria",   u"A Coruña", u"Granada",     u"Elche",
    u"Oviedo",    u"Badalona",  u"Cartagena", u"Terrassa", u"Jerez",       u"Sabadell",
    u"Móstoles",  u"Alcalá",    u"Pamplona",  u"Almería",  u"Fuenlabrada", u"Leganés",
    u"Santander", u"Burgos",    u"Castellón", u"Albacete", u"Getafe",      u"Salamanca",
    u"Logroño",   u"Huelva",    u"Badajoz",   u"Lleida",   u"Tarragona",   u"León",
    u"Cádiz",     u"Jaén",      u"Ourense",   u"Girona",   u"Lugo",        u"Cáceres",
};

constexpr std::array kCalles = {
    u"Calle Mayor",         u"Avenida de la Constitución",
    u"Calle Real",          u"Calle del Carmen",
    u"Plaza de España",     u"Calle San Juan",
    u"Calle de Alcalá",     u"Paseo de la Castellana",
    u"Calle Nueva",         u"Avenida de Andalucía",
    u"Calle de la Iglesia", u"Calle Cervantes",
    u"Calle Goya",          u"Ronda de Valencia",
    u"Camino Viejo",
};

constexpr std::array kOcupaciones = {
    u"Estudiante", u"Empleado",  u"Administrativo", u"Conductor", u"Comerciante",
    u"Docente",    u"Enfermero", u"Ingeniero",      u"Albañil",   u"Camarero",
    u"Autónomo",   u"Jubilado",  u"Agricultor",     u"Mecánico",  u"Sin ocupación",
};

constexpr std::array kSangre = {u"0+", u"A+", u"B+", u"AB+", u"0-", u"A-", u"B-", u"AB-"};
constexpr std::array kPesoSangre = {35, 36, 8, 3, 9, 7, 1, 1};
constexpr std::array kEstadoCivil = {u"Soltero", u"Casado", u"Divorciado", u"Viudo"};

// A generator whose sequence does not depend on the standard library: the same
// seed gives the same catalog everywhere.
class Azar {
public:
    explicit Azar(std::uint32_t semilla) : mt_(semilla) {}
    std::uint32_t hasta(std::uint32_t n) { return std::uint32_t(mt_() % n); }
    bool probabilidad(int porCiento) { return int(hasta(100)) < porCiento; }
    template <std::size_t N> QString elegir(const std::array<Pesado, N>& lista) {
        int total = 0;
        for (const Pesado& p : lista)
            total += p.peso;
        int r = int(hasta(std::uint32_t(total)));
        for (const Pesado& p : lista) {
            if (r < p.peso)
                return QString::fromUtf16(p.texto);
            r -= p.peso;
        }
        return QString::fromUtf16(lista.back().texto);
    }
    template <typename T, std::size_t N> const T& uno(const std::array<T, N>& lista) {
        return lista.at(hasta(std::uint32_t(N)));
    }

private:
    std::mt19937 mt_;
};

// The Spanish national identity document: eight digits and their check letter.
QString dni(std::uint32_t numero) {
    static const QString kLetras = u"TRWAGMYFPDXBNJZSQVHLCKE"_s;
    return u"%1%2"_s.arg(numero, 8, 10, QChar(u'0')).arg(kLetras.at(int(numero % 23)));
}

// Runs `sql` once per row; `filas` binds the row's values by position.
class Insercion {
public:
    Insercion(De1& de1, const QString& sql) : q_(de1.baseDatos()) {
        if (!q_.prepare(sql))
            throw ErrorBD(q_.lastError().text());
    }
    void fila(const QVariantList& valores) {
        for (int i = 0; i < valores.size(); ++i)
            q_.bindValue(i, valores.at(i));
        if (!q_.exec())
            throw ErrorBD(q_.lastError().text());
    }

private:
    QSqlQuery q_;
};

// A deterministic hash of a row number, for the rows made by SQL alone.
QString hash(const QString& expr) {
    return u"((%1) * 2654435761 % 4294967291)"_s.arg(expr);
}

void llenarPersonas(De1& de1, qint64 n, Azar& azar) {
    const Dialecto& d = de1.dialecto();
    Insercion ins(de1,
                  Dialecto::insertar(u"Personas"_s,
                                     {u"TipoDocumento"_s, u"Documento"_s, u"NombrePersona"_s,
                                      u"Sexo"_s, u"EstadoCivil"_s, u"FechaNac"_s, u"Sangre"_s,
                                      u"Domicilio"_s, u"Ciudad"_s, u"Ocupacion"_s, u"Telefono"_s,
                                      u"Anteojos"_s, u"Celular"_s, u"EMail"_s, u"Huella"_s}));
    // Documents are distinct: consecutive numbers from a random start, stepped by
    // a number prime to the range so they look scattered.
    const std::uint32_t base = 10000000;
    const std::uint32_t rango = 80000000;
    const std::uint32_t inicio = azar.hasta(rango);
    const QDate referencia(2024, 1, 1);
    for (qint64 i = 0; i < n; ++i) {
        const bool mujer = azar.probabilidad(50);
        const QString nombre = mujer ? azar.elegir(kNombresMujer) : azar.elegir(kNombresHombre);
        QString completo =
            azar.elegir(kApellidos) + u' ' + azar.elegir(kApellidos) + u", "_s + nombre;
        const std::uint32_t numero =
            base + std::uint32_t((inicio + std::uint64_t(i) * 7919) % rango);
        const QDate nacimiento = referencia.addDays(-qint64(6570 + azar.hasta(365 * 60)));
        const QString ciudad = QString::fromUtf16(azar.uno(kCiudades));
        int r = int(azar.hasta(100));
        std::size_t sangre = 0;
        while (sangre + 1 < kSangre.size() && r >= kPesoSangre.at(sangre))
            r -= kPesoSangre.at(sangre++);
        const QString celular = u"6%1"_s.arg(azar.hasta(100000000), 8, 10, QChar(u'0'));
        ins.fila({1, dni(numero), completo, mujer ? u"F"_s : u"M"_s,
                  QString::fromUtf16(azar.uno(kEstadoCivil)), d.fecha(nacimiento),
                  QString::fromUtf16(kSangre.at(sangre)),
                  u"%1, %2"_s.arg(QString::fromUtf16(azar.uno(kCalles))).arg(1 + azar.hasta(150)),
                  ciudad, QString::fromUtf16(azar.uno(kOcupaciones)),
                  azar.probabilidad(40)
                      ? QVariant(u"9%1"_s.arg(azar.hasta(100000000), 8, 10, QChar(u'0')))
                      : QVariant(),
                  azar.probabilidad(30) ? u"Si"_s : u"No"_s, celular,
                  azar.probabilidad(50) ? QVariant(u"%1@correo.es"_s.arg(celular)) : QVariant(),
                  u""_s});
    }
}

} // namespace

void llenar(De1& de1, const Tamano& tamano, const std::function<void(const QString&)>& aviso) {
    const auto decir = [&aviso](const QString& t) {
        if (aviso)
            aviso(t);
    };
    Azar azar(20240601);
    // Made once, read by nobody while it is made: a lost file is made again.
    de1.ejecutar(u"PRAGMA synchronous = OFF"_s);
    de1.ejecutar(u"PRAGMA cache_size = -262144"_s);
    indices::quitar(de1);
    const qint64 nPersonas = tamano.personas;
    const qint64 nGrupos = tamano.grupos();
    const qint64 nExamenes = tamano.examenes();
    const qint64 nResultados = tamano.resultados();
    const qint64 nCarpetas = std::max<qint64>(1, nResultados * 3 / 4);
    constexpr int kResponsables = 24;

    {
        Transaccion t(de1);
        decir(u"ciudades, responsables y usuarios"_s);
        for (const char16_t* c : kCiudades)
            de1.insertarSinIdentidad(
                u"Ciudades"_s,
                {{u"DescripcionCiudad"_s, QString::fromUtf16(c)}, {u"Provincia"_s, 1}});
        for (int i = 0; i < kResponsables; ++i) {
            const QString nombre = azar.elegir(kNombresHombre) + u' ' + azar.elegir(kApellidos);
            de1.insertarSinIdentidad(u"Responsables"_s, {{u"NombreResponsable"_s, nombre}});
            de1.insertarSinIdentidad(
                u"Usuarios"_s,
                {{u"NombreUsuario"_s, nombre}, {u"Eliminado"_s, de1.dialecto().booleano(false)}});
        }
        decir(u"personas"_s);
        llenarPersonas(de1, nPersonas, azar);
        t.confirmar();
    }
    // The rest is made by SQL alone from row numbers and a hash of them.
    const auto serie = [](qint64 n) {
        return u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "_s
            .arg(n);
    };
    Transaccion t(de1);
    decir(u"grupos"_s);
    de1.ejecutar(serie(nGrupos) +
                 u"INSERT INTO Grupos (CodigoGrupo, NroCurso, Responsable, Descripcion, Fecha) "
                 "SELECT i, 'C-' || substr('000000' || i, -6), 1 + %1 % %2, "
                 "CASE %1 % 4 WHEN 0 THEN 'Teórico mañana' WHEN 1 THEN 'Teórico tarde' "
                 "WHEN 2 THEN 'Recuperación' ELSE 'Curso intensivo' END || ' ' || "
                 "(1 + i % 40) || ' ' || CASE %1 % 3 WHEN 0 THEN 'Centro' WHEN 1 THEN 'Norte' "
                 "ELSE 'Sur' END, date('2019-01-01', '+' || (i * 2000 / %3) || ' days') FROM n"_s
                     .arg(hash(u"i"_s))
                     .arg(kResponsables)
                     .arg(nGrupos));
    decir(u"evaluados de los grupos"_s);
    de1.ejecutar(serie(nGrupos * 10) +
                 u"INSERT INTO GruposPersonas (Grupo, Persona, Remoto) "
                 "SELECT 1 + (i - 1) / 10, 1 + %1 % %2, "
                 "CASE WHEN (i - 1) / 10 % 5 = 0 THEN NULL ELSE 1 + (i - 1) % 10 END FROM n"_s
                     .arg(hash(u"i"_s))
                     .arg(nPersonas));
    decir(u"exámenes"_s);
    de1.ejecutar(serie(nExamenes) +
                 u"INSERT INTO Examenes (CodigoExamen, DescripcionExamen, TipoExamen, Disponible, "
                 "Ejecutable) SELECT i, 'Examen teórico ' || substr('00000' || i, -5), 'T', 1, "
                 "'Examen teórico ' || substr('00000' || i, -5) FROM n"_s);
    de1.ejecutar(
        serie(nExamenes * 10) +
        u"INSERT INTO Preguntas (CodigoPregunta, Valoracion, Pregunta, Foto, Tiempo, Tipo, "
        "Orden, Ensayo) SELECT i, 1 + (i - 1) / 10, '¿Qué indica la señal número ' || i "
        "|| '?', NULL, 16, 'T', 1 + (i - 1) % 10, 0 FROM n"_s);
    de1.ejecutar(serie(nExamenes * 30) +
                 u"INSERT INTO Respuestas (Pregunta, Respuesta, Correcta, Orden) "
                 "SELECT 1 + (i - 1) / 3, 'Respuesta ' || (1 + (i - 1) % 3), "
                 "CASE WHEN (i - 1) % 3 = %1 % 3 THEN 1 ELSE 0 END, 1 + (i - 1) % 3 FROM n"_s.arg(
                     hash(u"(i - 1) / 3"_s)));
    decir(u"carpetas"_s);
    // Folders in date order over five years, each person's scattered among them.
    const QString fecha = u"date('2019-01-01', '+' || (i * 1826 / %1) || ' days')"_s.arg(nCarpetas);
    de1.ejecutar(
        serie(nCarpetas) +
        u"INSERT INTO Carpetas (CodigoCarpeta, Persona, DescripcionCarpeta, FechaCarpeta, "
        "Bloq, Resultado, EdadCarpeta, Lugar, Empresa, NroCurso, NroInforme, "
        "Observaciones, TipoTramite, Factura, Licencia, TipoExamen, NumeroCarpetaCons) "
        "SELECT i, 1 + %1 % %2, 'Teorico ' || strftime('%d/%m/%Y', %3), %3, 0, "
        "CASE WHEN %1 % 10 < 7 THEN 'Aprobado' ELSE 'Reprobado' END, 18 + %1 % 60, 1, "
        "1, '', 0, '', 'Sin datos', '', 'N/A', 'G', 'T' || substr('00000000' || i, -8) FROM n"_s
            .arg(hash(u"i"_s))
            .arg(nPersonas)
            .arg(fecha));
    GuardarConfiguracion(de1, ajustes::kPrefijoCarpeta, u"T"_s);
    GuardarConfiguracion(de1, ajustes::kContadorCarpetas, QString::number(nCarpetas));
    decir(u"exámenes rendidos"_s);
    const QString carpeta = u"(1 + (i - 1) * 3 / 4)"_s;
    de1.ejecutar(serie(nResultados) +
                 u"INSERT INTO DetalleExamenes (CodigoDetalleExamen, Carpeta, Fecha, Examen, "
                 "Resultado, Responsable) SELECT i, %1, date('2019-01-01', '+' || (%1 * 1826 / "
                 "%2) || ' days'), 1 + %3 % %4, CASE WHEN %3 % 10 < 7 THEN 'Aprobado' ELSE "
                 "'Reprobado' END, 1 + %3 % %5 FROM n"_s.arg(carpeta)
                     .arg(nCarpetas)
                     .arg(hash(u"i"_s))
                     .arg(nExamenes)
                     .arg(kResponsables));
    decir(u"resultados"_s);
    const qint64 item = ObtenerCodigoItem(de1, u"Porcentaje de Respuestas"_s);
    de1.ejecutar(serie(nResultados) +
                 u"INSERT INTO Resultados (DetalleExamen, Item, Resultado, Valor, Percentil, "
                 "Orden) SELECT i, %1, CASE WHEN %2 % 10 < 7 THEN 'Aprobado' ELSE 'Reprobado' "
                 "END, 18 + %2 % 13, 12 - %2 % 13, 1 FROM n"_s.arg(item)
                     .arg(hash(u"i"_s)));
    t.confirmar();
    decir(u"índices de búsqueda"_s);
    Transaccion ti(de1);
    indices::crear(de1);
    ti.confirmar();
}

} // namespace ciudad
