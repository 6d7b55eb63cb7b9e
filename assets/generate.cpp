// Generates the program folder's files: the backdrop picture, the placeholder
// photograph, the default question picture and the end-of-question sound.
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
    if (!imagen.save(ruta, formato, 90)) {
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

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: tavelmo-assets CARPETA\n");
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
