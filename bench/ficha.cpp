// The examinee card: time to show a member's card (the stored photograph read,
// decoded and fitted to the box) over a 54-member roster, the first time each
// (the program's cache empty; the file in the system's cache) and again.
// Photographs as the capture window stores them (267 x 267) and as a scanner or
// another program might leave them (2000 x 2500).
#include "app/Ini.h"
#include "app/Rutas.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FichaEvaluado.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMiembros = 54;

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void imprimir(const char* que, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("  %-44s mediana %7.3f ms  máximo %7.3f ms\n", que, v[v.size() / 2], v.back());
}

// A face-like picture with noise, so the JPEG weighs what a photograph does.
QImage retrato(QSize tamano, quint32 semilla) {
    QImage img(tamano, QImage::Format_RGB32);
    QRandomGenerator azar(semilla);
    for (int y = 0; y < img.height(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int ruido = azar.bounded(40);
            fila[x] = qRgb(150 + ruido, 120 + ruido, 100 + ruido);
        }
    }
    QPainter p(&img);
    p.setBrush(QColor(220, 180, 150));
    p.drawEllipse(QRect(QPoint(tamano.width() / 4, tamano.height() / 6),
                        QSize(tamano.width() / 2, tamano.height() * 2 / 3)));
    return img;
}

void medir(const char* nombre, QSize tamano) {
    qint64 bytes = 0;
    for (int i = 1; i <= kMiembros; ++i) {
        const QString ruta =
            almacen::hacerEscribible(almacen::rutaGuardada(almacen::TipoImagen::Foto, i));
        QFile::remove(ruta);
        retrato(tamano, static_cast<quint32>(i)).save(ruta, "JPG", 85);
        bytes += QFileInfo(ruta).size();
    }
    std::printf("%s: %d fotografías de %d x %d (%.0f KB de media)\n", nombre, kMiembros,
                tamano.width(), tamano.height(), static_cast<double>(bytes) / kMiembros / 1024.0);
    FichaEvaluado ficha;
    ficha.show();
    std::vector<double> primera, otra;
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        for (int i = 1; i <= kMiembros; ++i) {
            QElapsedTimer t;
            t.start();
            ficha.mostrar(i, QStringLiteral("Evaluado %1").arg(i), QString::number(i));
            (vuelta == 0 ? primera : otra).push_back(ms(t));
        }
    }
    imprimir("primera vez (lectura, decodificación, escala)", primera);
    imprimir("de nuevo (ya leída)", otra);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("QUENVAR_ROOT", QFile::encodeName(dir.filePath(QStringLiteral("raiz"))));
    ini::fijarRuta(dir.filePath(QStringLiteral("QuenvarMRX.ini")));
    rutas::fijarCarpetaPlantillas(dir.filePath(QStringLiteral("Templates")));
    QDir().mkpath(dir.filePath(QStringLiteral("Templates/~pha")));

    std::printf("Ficha del evaluado (%d miembros, foto en %d x %d)\n", kMiembros,
                FichaEvaluado::kTamanoFoto.width(), FichaEvaluado::kTamanoFoto.height());
    medir("Como las guarda la captura", QSize(267, 267));
    medir("Grandes", QSize(2000, 2500));
    return 0;
}
