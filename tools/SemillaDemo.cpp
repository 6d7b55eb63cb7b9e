#include "SemillaDemo.h"

#include "app/Claves.h"
#include "app/Rutas.h"
#include "data/ActualizacionEsquema.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "persons/AlmacenImagenes.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace {

const QStringList kNombres = {"Juan",   "María",   "José",  "Ana",    "Luis",  "Carmen", "Pedro",
                              "Rosa",   "Jorge",   "Lucía", "Diego",  "Elena", "Andrés", "Sofía",
                              "Martín", "Valeria", "Pablo", "Camila", "Tomás", "Isabel"};
const QStringList kApellidos = {"González", "Muñoz",     "Rojas", "Díaz",     "Pérez",
                                "Soto",     "Contreras", "Silva", "Martínez", "Sepúlveda",
                                "Morales",  "Rodríguez", "López", "Fuentes",  "Hernández"};

QImage retrato(int semilla) {
    QImage img(240, 300, QImage::Format_RGB32);
    img.fill(QColor::fromHsv((semilla * 37) % 360, 40, 235));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromHsv((semilla * 53) % 360, 90, 170));
    p.drawEllipse(QPointF(120, 110), 50 + semilla % 8, 58);
    p.drawRoundedRect(QRectF(30, 200, 180, 140), 60, 60);
    return img;
}

QByteArray imagenPregunta(int examen, int numero) {
    QImage img(177, 177, QImage::Format_RGB32);
    img.fill(QColor::fromHsv((examen * 90 + numero * 29) % 360, 60, 240));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor::fromHsv((numero * 47) % 360, 150, 200));
    p.drawRect(20 + numero * 3, 30, 80, 60);
    p.drawEllipse(QPointF(120, 120), 30, 30);
    p.end();
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "BMP");
    return bytes;
}

struct PreguntaDemo {
    const char* texto;
    QStringList respuestas;
    int correcta; // 1-based
};

const QList<PreguntaDemo> kTeoria1 = {
    {"¿Qué indica una luz roja fija en un semáforo?",
     {"Detenerse", "Avanzar con precaución", "Virar a la derecha"},
     1},
    {"¿Cuál es la velocidad máxima en zona urbana?",
     {"40 km/h", "50 km/h", "60 km/h", "70 km/h"},
     2},
    {"¿Qué debe hacer ante un peatón en el paso de cebra?",
     {"Tocar la bocina", "Acelerar", "Ceder el paso"},
     3},
    {"¿Cuándo debe usar las luces bajas?",
     {"Solo de noche", "Siempre que conduzca", "Nunca en ciudad"},
     2},
    {"¿Qué significa una señal triangular con borde rojo?",
     {"Prohibición", "Advertencia de peligro", "Información"},
     2},
    {"¿A qué distancia mínima debe seguir a otro vehículo?",
     {"Un metro", "La que permita detenerse a tiempo", "Cinco metros", "No hay distancia"},
     2},
    {"¿Está permitido usar el teléfono mientras conduce?",
     {"Sí, siempre", "Solo con manos libres", "Sí, en semáforos"},
     2},
    {"¿Qué indica la línea continua en el centro de la calzada?",
     {"Se puede adelantar", "Prohibido adelantar", "Estacionamiento"},
     2},
    {"¿Quién tiene preferencia en una rotonda?",
     {"Quien entra", "Quien circula en ella", "El vehículo más grande"},
     2},
    {"¿Qué debe hacer si se acerca una ambulancia con sirena?",
     {"Facilitar su paso", "Seguir igual", "Frenar en seco", "Acelerar"},
     1},
};

const QList<PreguntaDemo> kTeoria2 = {
    {"¿Qué documento debe portar al conducir?",
     {"Licencia de conducir", "Pasaporte", "Ninguno"},
     1},
    {"¿Cuál es el efecto del alcohol en la conducción?",
     {"Mejora los reflejos", "Disminuye los reflejos", "No tiene efecto"},
     2},
    {"¿Qué indica una señal circular azul?", {"Obligación", "Prohibición", "Peligro"}, 1},
    {"¿Cuándo se usa la luz intermitente?",
     {"Al cambiar de pista o virar", "Al estacionar siempre", "Nunca"},
     1},
    {"¿Qué hacer ante un neumático reventado?",
     {"Frenar bruscamente", "Sujetar firme el volante y reducir", "Virar rápido"},
     2},
    {"¿Dónde está prohibido estacionar?",
     {"Frente a un grifo", "En calles anchas", "En estacionamientos"},
     1},
    {"¿Qué significa la luz amarilla del semáforo?",
     {"Acelerar", "Prevención: detenerse si es seguro", "Avanzar siempre", "Virar"},
     2},
    {"¿Cuál es el uso del cinturón de seguridad?",
     {"Solo en carretera", "Obligatorio para todos los ocupantes", "Solo el conductor"},
     2},
    {"¿Qué hacer al ver un bus escolar detenido?",
     {"Adelantar rápido", "Reducir y extremar precaución", "Tocar la bocina"},
     2},
    {"¿Qué indica una flecha verde en el semáforo?",
     {"Virar en esa dirección", "Detenerse", "Retroceder"},
     1},
};

void sembrarExamen(De1& de1, int codigo, const QString& descripcion,
                   const QList<PreguntaDemo>& preguntas) {
    de1.insertarSinIdentidad(QStringLiteral("Examenes"), {{"CodigoExamen", codigo},
                                                          {"DescripcionExamen", descripcion},
                                                          {"TipoExamen", "T"},
                                                          {"Disponible", 1},
                                                          {"Ejecutable", descripcion}});
    int orden = 0;
    for (const PreguntaDemo& p : preguntas) {
        ++orden;
        const qint64 cp = de1.insertar(QStringLiteral("Preguntas"),
                                       {{"Valoracion", codigo},
                                        {"Pregunta", QString::fromUtf8(p.texto)},
                                        {"Foto", imagenPregunta(codigo, orden)},
                                        {"Tiempo", 16},
                                        {"Tipo", "T"},
                                        {"Orden", orden},
                                        {"Ensayo", 0}},
                                       QStringLiteral("CodigoPregunta"));
        for (int i = 0; i < p.respuestas.size(); ++i)
            de1.insertar(QStringLiteral("Respuestas"),
                         {{"Pregunta", cp},
                          {"Respuesta", p.respuestas.at(i)},
                          {"Correcta", i + 1 == p.correcta ? 1 : 0},
                          {"Orden", i + 1}},
                         QStringLiteral("CodigoRespuesta"));
    }
}

} // namespace

namespace SemillaDemo {

void sembrar(De1& de1, const QString& carpetaPlantillas) {
    ActualizarEsquema(de1);
    rutas::fijarCarpetaPlantillas(carpetaPlantillas);
    const QDir plantillas(carpetaPlantillas);
    for (const char* sub : {"~pha", "~sia", "~fia"})
        plantillas.mkpath(QString::fromLatin1(sub));

    Transaccion t(de1);
    // A new catalog already has the usual document types.
    for (const char* d : {"Cédula de identidad", "Pasaporte", "Licencia anterior"})
        if (!de1.valor(QStringLiteral("SELECT CodigoDocumento FROM Documentos WHERE "
                                      "DescripcionDocumento = ?"),
                       {QString::fromUtf8(d)})
                 .isValid())
            de1.insertar(QStringLiteral("Documentos"),
                         {{"DescripcionDocumento", QString::fromUtf8(d)}},
                         QStringLiteral("CodigoDocumento"));
    for (const char* c :
         {"Santiago", "Valparaíso", "Concepción", "La Serena", "Temuco", "Antofagasta"})
        de1.insertar(QStringLiteral("Ciudades"),
                     {{"DescripcionCiudad", QString::fromUtf8(c)}, {"Provincia", 1}},
                     QStringLiteral("CodigoCiudad"));
    for (const char* u : {"Operador Principal", "Carla Inostroza", "Ramón Vidal"})
        de1.insertar(QStringLiteral("Usuarios"),
                     {{"NombreUsuario", QString::fromUtf8(u)}, {"Eliminado", 0}},
                     QStringLiteral("CodigoUsuario"));
    de1.insertar(QStringLiteral("Usuarios"),
                 {{"NombreUsuario", "Usuario Retirado"}, {"Eliminado", 1}},
                 QStringLiteral("CodigoUsuario"));
    QList<qint64> responsables;
    for (const char* r : {"Operador Principal", "Carla Inostroza"})
        responsables << de1.insertar(QStringLiteral("Responsables"),
                                     {{"NombreResponsable", QString::fromUtf8(r)}},
                                     QStringLiteral("CodigoResponsable"));

    QList<qint64> personas;
    for (int i = 0; i < 40; ++i) {
        const QString nombre = kApellidos.at(i % kApellidos.size()) + u' ' +
                               kApellidos.at((i * 7 + 3) % kApellidos.size()) + u' ' +
                               kNombres.at(i % kNombres.size());
        const qint64 codigo = de1.insertar(
            QStringLiteral("Personas"),
            {{"TipoDocumento", 1},
             {"Documento", QString::number(10000000 + i * 137911)},
             {"NombrePersona", nombre},
             {"Sexo", i % 2 ? "F" : "M"},
             {"EstadoCivil", "Soltero"},
             {"FechaNac", de1.dialecto().fecha(QDate(1960 + i, 1 + i % 12, 1 + i % 28))},
             {"Sangre", "0 +"},
             {"Domicilio", QStringLiteral("Calle %1 %2").arg(kApellidos.at(i % 15)).arg(100 + i)},
             {"Ciudad", "Santiago"},
             {"Ocupacion", "Sin datos"},
             {"Telefono", "Sin datos"},
             {"Anteojos", i % 3 ? "No" : "Si"},
             {"Celular", "Sin datos"},
             {"EMail", "Sin datos"},
             {"Huella", ""}},
            QStringLiteral("CodigoPersona"));
        personas << codigo;
        // Most persons have a stored photograph; a few show the placeholder.
        if (i % 10 != 9) {
            const QString ruta = almacen::rutaGuardada(almacen::TipoImagen::Foto, codigo);
            QFile::remove(almacen::hacerEscribible(ruta));
            retrato(i).save(ruta, "JPG", 85);
        }
    }

    struct GrupoDemo {
        const char* curso;
        const char* descripcion;
        int desde, hasta;
    };
    const GrupoDemo grupos[] = {{"C-101", "Clase B mañana", 0, 8},
                                {"C-102", "Clase B tarde", 8, 20},
                                {"P-201", "Profesionales A2", 20, 26}};
    int g = 0;
    for (const GrupoDemo& gd : grupos) {
        const qint64 codigo =
            de1.insertar(QStringLiteral("Grupos"),
                         {{"NroCurso", gd.curso},
                          {"Responsable", responsables.at(g % responsables.size())},
                          {"Descripcion", QString::fromUtf8(gd.descripcion)},
                          {"Fecha", de1.dialecto().fecha(QDate::currentDate().addDays(-7 + g))}},
                         QStringLiteral("CodigoGrupo"));
        for (int i = gd.desde; i < gd.hasta; ++i)
            de1.insertar(QStringLiteral("GruposPersonas"),
                         {{"Grupo", codigo}, {"Persona", personas.at(i)}, {"Remoto", QVariant()}},
                         QStringLiteral("CodigoGrupoPersona"));
        ++g;
    }

    sembrarExamen(de1, 1, QStringLiteral("Teórico Clase B"), kTeoria1);
    sembrarExamen(de1, 2, QStringLiteral("Teórico Profesional"), kTeoria2);

    GuardarConfiguracion(de1, ajustes::kPrefijoCarpeta, QStringLiteral("T"));
    GuardarConfiguracion(de1, ajustes::kContadorCarpetas, QStringLiteral("0"));
    GuardarConfiguracion(de1, ajustes::kNuevasCiudades, QStringLiteral("1"));
    GuardarConfiguracion(de1, ajustes::kExigeFoto, QStringLiteral("0"));
    GuardarConfiguracion(de1, ajustes::kExigeFirma, QStringLiteral("0"));
    GuardarConfiguracion(de1, ajustes::kExigeHuella, QStringLiteral("0"));
    t.confirmar();
}

} // namespace SemillaDemo
