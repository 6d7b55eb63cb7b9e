#include "persons/ventanas/CamaraQt.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "persons/CamaraSimulada.h"

#include <QCamera>
#include <QCameraFormat>
#include <QMediaFormat>
#include <QUrl>
#include <QVideoFrame>

CamaraQt::CamaraQt(QObject* padre) : Camara(padre) {
    sesion_.setVideoSink(&sumidero_);
    sesion_.setImageCapture(&foto_);
    sesion_.setRecorder(&grabadora_);
    connect(&sumidero_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& f) {
        ultimo_ = f.toImage();
        if (!ultimo_.isNull())
            Q_EMIT cuadro(ultimo_);
    });
    connect(&foto_, &QImageCapture::imageCaptured, this,
            [this](int, const QImage& img) { Q_EMIT capturada(img); });
    connect(&foto_, &QImageCapture::errorOccurred, this,
            [this](int, QImageCapture::Error, const QString& texto) { Q_EMIT error(texto); });
    connect(&grabadora_, &QMediaRecorder::errorOccurred, this,
            [this](QMediaRecorder::Error, const QString& texto) { Q_EMIT error(texto); });
    connect(&grabadora_, &QMediaRecorder::recorderStateChanged, this,
            [this](QMediaRecorder::RecorderState estado) {
                if (estado == QMediaRecorder::StoppedState && !rutaGrabacion_.isEmpty())
                    Q_EMIT grabacionTerminada(std::exchange(rutaGrabacion_, QString()));
            });
    connect(&medios_, &QMediaDevices::videoInputsChanged, this, &CamaraQt::entradasCambiadas);
}

CamaraQt::~CamaraQt() {
    if (grabando())
        grabadora_.stop();
    sesion_.setCamera(nullptr);
}

QList<DispositivoCamara> CamaraQt::dispositivos() const {
    QList<DispositivoCamara> lista;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        lista.append({d.id(), d.description()});
    return lista;
}

QByteArray CamaraQt::actual() const {
    return camara_ ? dispositivo_.id() : QByteArray();
}

bool CamaraQt::conectar(const QByteArray& id) {
    for (const QCameraDevice& d : QMediaDevices::videoInputs()) {
        if (d.id() != id)
            continue;
        sesion_.setCamera(nullptr);
        camara_ = std::make_unique<QCamera>(d);
        dispositivo_ = d;
        ultimo_ = QImage();
        connect(camara_.get(), &QCamera::errorOccurred, this,
                [this](QCamera::Error e, const QString& texto) {
                    if (e != QCamera::NoError)
                        Q_EMIT error(texto);
                });
        sesion_.setCamera(camara_.get());
        camara_->start();
        return true;
    }
    return false;
}

QList<FormatoCamara> CamaraQt::formatos() const {
    QList<FormatoCamara> lista;
    if (!camara_)
        return lista;
    for (const QCameraFormat& f : dispositivo_.videoFormats())
        lista.append({f.resolution(), f.maxFrameRate()});
    return lista;
}

int CamaraQt::formatoActual() const {
    if (!camara_)
        return -1;
    const QCameraFormat actual = camara_->cameraFormat();
    const QList<QCameraFormat> todos = dispositivo_.videoFormats();
    for (int i = 0; i < todos.size(); ++i)
        if (todos.at(i) == actual)
            return i;
    return -1;
}

void CamaraQt::fijarFormato(int indice) {
    const QList<QCameraFormat> todos = dispositivo_.videoFormats();
    if (!camara_ || indice < 0 || indice >= todos.size())
        return;
    camara_->setCameraFormat(todos.at(indice));
}

void CamaraQt::capturar() {
    if (foto_.isReadyForCapture()) {
        foto_.capture();
        return;
    }
    // Some back-ends take stills only from certain formats: the live picture is
    // what the operator saw anyway.
    const QImage img = ultimo_;
    QMetaObject::invokeMethod(
        this,
        [this, img] {
            if (img.isNull())
                Q_EMIT error(QStringLiteral("La cámara no entrega imagen."));
            else
                Q_EMIT capturada(img);
        },
        Qt::QueuedConnection);
}

bool CamaraQt::puedeGrabar() const {
    return camara_ != nullptr;
}

QString CamaraQt::grabar(const QString& rutaSinExtension) {
    if (!camara_ || grabando())
        return QString();
    QMediaFormat formato;
    const QList<QMediaFormat::FileFormat> admitidos =
        formato.supportedFileFormats(QMediaFormat::Encode);
    // AVI where the platform records it, else the nearest common container.
    QString extension;
    for (auto [f, ext] : {std::pair{QMediaFormat::AVI, "avi"},
                          {QMediaFormat::Matroska, "mkv"},
                          {QMediaFormat::MPEG4, "mp4"},
                          {QMediaFormat::WebM, "webm"}}) {
        if (admitidos.contains(f)) {
            formato.setFileFormat(f);
            extension = QString::fromLatin1(ext);
            break;
        }
    }
    if (extension.isEmpty()) {
        Q_EMIT error(QStringLiteral("Este equipo no puede grabar video."));
        return QString();
    }
    grabadora_.setMediaFormat(formato);
    rutaGrabacion_ = rutaSinExtension + u'.' + extension;
    grabadora_.setOutputLocation(QUrl::fromLocalFile(rutaGrabacion_));
    grabadora_.record();
    return rutaGrabacion_;
}

bool CamaraQt::grabando() const {
    return grabadora_.recorderState() != QMediaRecorder::StoppedState;
}

void CamaraQt::detenerGrabacion() {
    grabadora_.stop();
}

void CamaraQt::entradasCambiadas() {
    if (!camara_)
        return;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        if (d.id() == dispositivo_.id())
            return;
    if (grabando())
        grabadora_.stop();
    sesion_.setCamera(nullptr);
    camara_.reset();
    ultimo_ = QImage();
    Q_EMIT desconectada();
}

Camara* crearCamara(QObject* padre) {
    const bool simulada = LeerIni(claves::kCamara)
                              .trimmed()
                              .compare(QStringLiteral("Simulada"), Qt::CaseInsensitive) == 0;
    if (simulada)
        return new CamaraSimulada(padre);
    return new CamaraQt(padre);
}
