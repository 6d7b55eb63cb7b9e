// Exam editor figures on the embedded catalog: an exam of 100 questions, each
// with its picture and 4 answers, stored as new, loaded for modification, and
// stored again over itself, and the editor window opened on it.
#include "Medicion.h"
#include "data/De1.h"
#include "exams/EdicionExamen.h"
#include "exams/RepositorioExamenes.h"
#include "exams/ventanas/FrmAddExamenes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

// A photo-sized picture, different for every question.
QImage imagen(int n) {
    QImage img(640, 480, QImage::Format_RGB32);
    img.fill(QColor::fromHsv(n * 37 % 360, 80, 230));
    QPainter p(&img);
    p.setBrush(QColor::fromHsv(n * 71 % 360, 160, 180));
    p.drawEllipse(QPoint(320, 240), 100 + n, 90);
    return img;
}

EdicionExamen examen(const QString& descripcion) {
    EdicionExamen e;
    e.descripcion = descripcion;
    for (int q = 1; q <= 100; ++q) {
        e.agregarPregunta(QStringLiteral("Pregunta número %1 del examen de prueba").arg(q));
        e.fijarFoto(imagen(q));
        for (int r = 1; r <= 4; ++r)
            e.agregarRespuesta(QStringLiteral("Respuesta %1 de la pregunta %2").arg(r).arg(q),
                               r == q % 4 + 1);
    }
    return e;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    De1 de1;
    ConfigConexion c;
    c.archivoSqlite = dir.filePath(QStringLiteral("catalogo.sqlite"));
    de1.abrir(c);
    RepositorioExamenes repo(de1);

    const int vueltas = 7;
    std::vector<double> nuevos, cargas, regrabados, ventanas;
    for (int i = 0; i < vueltas; ++i) {
        const EdicionExamen e = examen(QStringLiteral("Examen %1").arg(i));
        QElapsedTimer t;
        t.start();
        const qint32 codigo = repo.guardar(e, std::nullopt).codigoExamen;
        nuevos.push_back(medicion::ms(t));

        EdicionExamen cargado;
        t.restart();
        if (!repo.cargar(codigo, cargado) || cargado.preguntasListadas().size() != 100 ||
            cargado.respuestas().size() != 400)
            return 1;
        cargas.push_back(medicion::ms(t));

        t.restart();
        repo.guardar(cargado, codigo);
        regrabados.push_back(medicion::ms(t));

        t.restart();
        {
            FrmAddExamenes ventana(de1, ModoExamen::Modificar, codigo);
            ventana.show();
            ventanas.push_back(medicion::ms(t));
        }
    }
    const qint64 bytes =
        de1.valor(QStringLiteral("SELECT sum(length(Foto)) FROM Preguntas WHERE Valoracion = 1"))
            .toLongLong();
    std::printf("Examen de 100 preguntas con imagen y 4 respuestas (%.1f MB de imagenes)\n",
                static_cast<double>(bytes) / 1e6);
    std::printf("Guardar nuevo: mediana %.1f ms (meta < 1000 ms)\n", medicion::mediana(nuevos));
    std::printf("Cargar para modificar: mediana %.1f ms (meta < 500 ms)\n",
                medicion::mediana(cargas));
    std::printf("Abrir la ventana en modo 2 (carga incluida): mediana %.1f ms\n",
                medicion::mediana(ventanas));
    std::printf("Guardar modificado sobre si mismo: mediana %.1f ms\n",
                medicion::mediana(regrabados));
    return 0;
}
