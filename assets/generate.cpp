// Generates the program folder's files: the backdrop picture, the placeholder
// photograph, the default question picture and the end-of-question sound; with
// --iconos, the desktop icon at the sizes desktops look for.
#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

bool guardar(const QImage& imagen, const QString& ruta, const char* formato) {
    // PNG is lossless, so its "quality" only trades size for time: take the smallest.
    const int calidad = qstrcmp(formato, "PNG") == 0 ? 0 : 90;
    if (!imagen.save(ruta, formato, calidad)) {
        std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(ruta));
        return false;
    }
    return true;
}

QImage fondo() {
    QImage img(1920, 1080, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, img.height());
    g.setColorAt(0, QColor(22, 64, 112));
    g.setColorAt(1, QColor(8, 24, 48));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 18), 2));
    for (int x = -img.height(); x < img.width(); x += 48)
        p.drawLine(x, img.height(), x + img.height(), 0);
    return img;
}

QImage anonimo() {
    QImage img(240, 300, QImage::Format_RGB32);
    img.fill(QColor(226, 230, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 160, 175));
    p.drawEllipse(QPointF(120, 110), 52, 60);
    QPainterPath cuerpo;
    cuerpo.moveTo(20, 300);
    cuerpo.cubicTo(30, 200, 210, 200, 220, 300);
    p.drawPath(cuerpo);
    return img;
}

QImage pregunta() {
    QImage img(400, 400, QImage::Format_RGB32);
    img.fill(QColor(245, 246, 248));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 90, 160), 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(200, 200), 160, 160);
    QFont f("DejaVu Sans", 160, QFont::Bold);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return img;
}

// A short two-note chime, 16-bit mono PCM.
QByteArray sonido() {
    const int frecuencia = 22050;
    const int muestras = frecuencia * 35 / 100;
    QByteArray pcm;
    QDataStream d(&pcm, QIODevice::WriteOnly);
    d.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < muestras; ++i) {
        const double t = double(i) / frecuencia;
        const double tono = i < muestras / 2 ? 880.0 : 1320.0;
        const double envolvente = std::exp(-6.0 * t);
        d << qint16(std::lround(12000.0 * envolvente * std::sin(2 * M_PI * tono * t)));
    }
    QByteArray wav;
    QDataStream w(&wav, QIODevice::WriteOnly);
    w.setByteOrder(QDataStream::LittleEndian);
    w.writeRawData("RIFF", 4);
    w << quint32(36 + pcm.size());
    w.writeRawData("WAVEfmt ", 8);
    w << quint32(16) << quint16(1) << quint16(1) << quint32(frecuencia) << quint32(frecuencia * 2)
      << quint16(2) << quint16(16);
    w.writeRawData("data", 4);
    w << quint32(pcm.size());
    wav.append(pcm);
    return wav;
}

// A rounded tile with an answer sheet, one answer marked: drawn on a 256 grid and
// scaled, so every size is drawn rather than resampled.
QImage icono(int lado) {
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 256.0, lado / 256.0);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, QColor(38, 98, 164));
    g.setColorAt(1, QColor(14, 44, 86));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setBrush(QColor(250, 250, 252));
    p.drawRoundedRect(QRectF(52, 36, 152, 184), 16, 16);
    for (int i = 0; i < 3; ++i) {
        const double y = 82 + i * 46;
        const bool marcada = i == 1;
        p.setPen(QPen(marcada ? QColor(30, 150, 80) : QColor(150, 160, 175), 8));
        p.setBrush(marcada ? QColor(30, 150, 80) : Qt::transparent);
        p.drawEllipse(QPointF(88, y), 14, 14);
        p.setPen(QPen(QColor(150, 160, 175), 12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(120, y), QPointF(176, y));
    }
    return img;
}

bool iconos(const QDir& dir, const QString& nombre) {
    bool ok = true;
    for (int lado : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString carpeta = dir.filePath(QStringLiteral("%1x%1/apps").arg(lado));
        QDir().mkpath(carpeta);
        ok = guardar(icono(lado), QDir(carpeta).filePath(nombre + QStringLiteral(".png")), "PNG") &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--iconos")
        return iconos(QDir(QString::fromLocal8Bit(argv[2])), QString::fromLocal8Bit(argv[3])) ? 0
                                                                                              : 1;
    if (argc < 2) {
        std::fprintf(stderr, "uso: tavelmo-assets CARPETA | --iconos CARPETA NOMBRE\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    bool ok = guardar(fondo(), dir.filePath("wap.bin"), "PNG");
    ok = guardar(anonimo(), dir.filePath("Anonimo.jpg"), "JPG") && ok;
    ok = guardar(pregunta(), dir.filePath("Pregunta.jpg"), "JPG") && ok;
    QFile wav(dir.filePath("Bien.wav"));
    ok = wav.open(QIODevice::WriteOnly) && wav.write(sonido()) > 0 && ok;
    return ok ? 0 : 1;
}
