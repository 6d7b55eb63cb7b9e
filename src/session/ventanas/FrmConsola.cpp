#include "session/ventanas/FrmConsola.h"

#include "app/Aplicacion.h"
#include "persons/AlmacenImagenes.h"
#include "session/TableroRespuestas.h"
#include "session/ventanas/NombresFrmConsola.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace n = nombres::frmConsola;

namespace {

const QSize kMiniatura(96, 96);
const QSize kFotoFicha(200, 200);
constexpr int kSeparacion = 6;
// A small room's cells stay cells, not panels.
const QSize kCeldaMaxima(200, 170);
// Below this a thumbnail says nothing: the cell shows the keypad alone.
constexpr int kMiniaturaMinima = 24;

const QString kEstiloApagada =
    QStringLiteral("QToolButton { background: #2b2b2b; color: #ffffff; border: 2px solid #5a5a5a; "
                   "border-radius: 4px; padding: 4px; }");
const QString kEstiloEncendida =
    QStringLiteral("QToolButton { background: #00c853; color: #000000; border: 2px solid #ffffff; "
                   "border-radius: 4px; padding: 4px; font-weight: bold; }");

// The stored photograph fitted into `tamano`; a grey card when there is none.
QPixmap foto(qint32 codigoPersona, const QSize& tamano) {
    const QImage img(almacen::fotoParaMostrar(codigoPersona));
    if (!img.isNull())
        return QPixmap::fromImage(
            img.scaled(tamano, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QPixmap vacia(tamano);
    vacia.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&vacia);
    p.setPen(Qt::white);
    p.drawText(vacia.rect(), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("Sin foto"));
    return vacia;
}

// Columns for n cells in `area` that give the largest cells, every cell in sight.
int columnasPara(int n, const QSize& area) {
    int mejor = 1;
    int lado = -1;
    for (int c = 1; c <= n; ++c) {
        const int filas = (n + c - 1) / c;
        const int ancho = (area.width() - kSeparacion * (c - 1)) / c;
        const int alto = (area.height() - kSeparacion * (filas - 1)) / filas;
        if (std::min(ancho, alto) > lado) {
            lado = std::min(ancho, alto);
            mejor = c;
        }
    }
    return mejor;
}

QString nombreCelda(const Evaluado& e, bool respondio) {
    return QStringLiteral("Control %1, %2: %3")
        .arg(textoControl(e.remoto), e.nombre,
             respondio ? QStringLiteral("respondió") : QStringLiteral("sin respuesta"));
}

} // namespace

// A tool window of the view, so the window manager keeps it above the full-screen view
// it belongs to (a plain window would go under it on a single screen).
FrmConsola::FrmConsola(TableroRespuestas& tablero, QWidget* parent)
    : QWidget(parent, Qt::Tool), tablero_(tablero) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Consola del examen - %1").arg(kTituloAplicacion));
    construir();
    connect(&tablero_, &TableroRespuestas::encendido, this, &FrmConsola::pintarCelda);
    connect(&tablero_, &TableroRespuestas::reiniciado, this, [this] {
        for (int k = 0; k < celdas_.size(); ++k)
            pintarCelda(k);
    });
    connect(&tablero_, &TableroRespuestas::cambiado, this, &FrmConsola::actualizarCuenta);
    actualizarCuenta();
}

void FrmConsola::construir() {
    auto* raiz = new QVBoxLayout(this);

    // Two rows, so that the console still fits when it shares the projector's screen.
    auto* cabecera = new QGridLayout;
    lblPregunta_ = new QLabel(QStringLiteral("Examen sin comenzar"), this);
    lblPregunta_->setObjectName(n::kPregunta);
    lblRespondidos_ = new QLabel(this);
    lblRespondidos_->setObjectName(n::kRespondidos);
    lblTiempo_ = new QLabel(QStringLiteral("Tiempo restante: -"), this);
    lblTiempo_->setObjectName(n::kTiempo);
    lblEstado_ = new QLabel(this);
    lblEstado_->setObjectName(n::kEstado);
    QFont grande = lblRespondidos_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    for (QLabel* l : {lblPregunta_, lblRespondidos_, lblTiempo_})
        l->setFont(grande);
    cabecera->addWidget(lblPregunta_, 0, 0);
    cabecera->addWidget(lblRespondidos_, 0, 1);
    cabecera->addWidget(lblTiempo_, 1, 0);
    cabecera->addWidget(lblEstado_, 1, 1);
    raiz->addLayout(cabecera);

    auto* cuerpo = new QHBoxLayout;
    // The cells are laid out by hand to fill this area: the whole room always in sight.
    rejilla_ = new QWidget(this);
    rejilla_->setMinimumSize(120, 90);
    rejilla_->installEventFilter(this);
    cuerpo->addWidget(rejilla_, 1);

    // Shown on demand only: the grid keeps the room otherwise.
    ficha_ = new QGroupBox(QStringLiteral("Ficha del evaluado"), this);
    auto* ficha = ficha_;
    ficha->setObjectName(n::kFicha);
    auto* columnaFicha = new QVBoxLayout(ficha);
    imgFicha_ = new QLabel(ficha);
    imgFicha_->setObjectName(n::kFotoFicha);
    imgFicha_->setFixedSize(kFotoFicha);
    imgFicha_->setAlignment(Qt::AlignCenter);
    imgFicha_->setAccessibleName(QStringLiteral("Fotografía del evaluado"));
    lblNombreFicha_ = new QLabel(ficha);
    lblNombreFicha_->setObjectName(n::kNombreFicha);
    lblNombreFicha_->setWordWrap(true);
    lblDocumentoFicha_ = new QLabel(ficha);
    lblDocumentoFicha_->setObjectName(n::kDocumentoFicha);
    lblControlFicha_ = new QLabel(ficha);
    lblControlFicha_->setObjectName(n::kControlFicha);
    columnaFicha->addWidget(imgFicha_, 0, Qt::AlignHCenter);
    columnaFicha->addWidget(lblNombreFicha_);
    columnaFicha->addWidget(lblDocumentoFicha_);
    columnaFicha->addWidget(lblControlFicha_);
    columnaFicha->addStretch(1);
    auto* cerrarFicha = new QPushButton(QStringLiteral("&Cerrar ficha"), ficha);
    cerrarFicha->setObjectName(n::kCerrarFicha);
    columnaFicha->addWidget(cerrarFicha);
    connect(cerrarFicha, &QPushButton::clicked, ficha, &QWidget::hide);
    ficha->setFixedWidth(kFotoFicha.width() + 40);
    ficha->hide();
    cuerpo->addWidget(ficha);
    raiz->addLayout(cuerpo, 1);

    auto* pie = new QHBoxLayout;
    cmdSiguiente_ = new QPushButton(QStringLiteral("&Siguiente pregunta"), this);
    cmdSiguiente_->setObjectName(n::kSiguiente);
    cmdOpciones_ = new QPushButton(QStringLiteral("&Opciones de sala..."), this);
    cmdOpciones_->setObjectName(n::kOpciones);
    cmdVolver_ = new QPushButton(QStringLiteral("&Volver al menú"), this);
    cmdVolver_->setObjectName(n::kVolver);
    pie->addWidget(cmdOpciones_);
    pie->addStretch(1);
    pie->addWidget(cmdSiguiente_);
    pie->addWidget(cmdVolver_);
    raiz->addLayout(pie);
    connect(cmdSiguiente_, &QPushButton::clicked, this, &FrmConsola::siguiente);
    connect(cmdOpciones_, &QPushButton::clicked, this, &FrmConsola::opciones);
    connect(cmdVolver_, &QPushButton::clicked, this, &FrmConsola::salida);

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    mostrarEstadoReceptor(false);
    resize(1000, 640);
}

void FrmConsola::fijarEvaluados(const QList<Evaluado>& evaluados) {
    qDeleteAll(celdas_);
    celdas_.clear();
    evaluados_ = evaluados;
    for (int k = 0; k < evaluados.size(); ++k) {
        const Evaluado& e = evaluados.at(k);
        auto* celda = new QToolButton(rejilla_);
        celda->setObjectName(n::kCelda);
        celda->setIcon(foto(e.codigoPersona, kMiniatura));
        celda->setToolTip(e.nombre);
        celda->installEventFilter(this);
        connect(celda, &QToolButton::clicked, this, [this, k] { mostrarFicha(k); });
        celda->show();
        celdas_.append(celda);
        pintarCelda(k);
    }
    repartirCeldas();
    actualizarCuenta();
}

void FrmConsola::repartirCeldas() {
    const auto n = int(celdas_.size());
    if (n == 0)
        return;
    const QSize area = rejilla_->size();
    const int columnas = columnasPara(n, area);
    const int filas = (n + columnas - 1) / columnas;
    const int ancho = std::clamp((area.width() - kSeparacion * (columnas - 1)) / columnas, 1,
                                 kCeldaMaxima.width());
    const int alto =
        std::clamp((area.height() - kSeparacion * (filas - 1)) / filas, 1, kCeldaMaxima.height());
    const QFontMetrics metricas = celdas_.first()->fontMetrics();
    const int renglon = metricas.height();
    // Padding and border of the cells' style.
    const int margen = 14;
    const int lado = std::min({ancho - margen, alto - margen - 2 * renglon, kMiniatura.width()});
    const bool conNombre = alto - margen >= 2 * renglon;
    for (int k = 0; k < n; ++k) {
        QToolButton* celda = celdas_.at(k);
        const Evaluado& e = evaluados_.at(k);
        celda->setGeometry((k % columnas) * (ancho + kSeparacion),
                           (k / columnas) * (alto + kSeparacion), ancho, alto);
        celda->setToolButtonStyle(lado >= kMiniaturaMinima ? Qt::ToolButtonTextUnderIcon
                                                           : Qt::ToolButtonTextOnly);
        celda->setIconSize(QSize(lado, lado));
        const QString control = textoControl(e.remoto);
        celda->setText(
            conNombre ? QStringLiteral("%1\n%2").arg(
                            control, metricas.elidedText(e.nombre, Qt::ElideRight, ancho - margen))
                      : control);
    }
}

void FrmConsola::pintarCelda(int evaluado) {
    if (evaluado < 0 || evaluado >= celdas_.size())
        return;
    const bool respondio = tablero_.respondio(evaluado);
    QToolButton* celda = celdas_.at(evaluado);
    celda->setStyleSheet(respondio ? kEstiloEncendida : kEstiloApagada);
    celda->setAccessibleName(nombreCelda(evaluados_.at(evaluado), respondio));
}

void FrmConsola::actualizarCuenta() {
    lblRespondidos_->setText(
        QStringLiteral("Respondieron: %1 de %2").arg(tablero_.respondidos()).arg(tablero_.total()));
    cmdSiguiente_->setEnabled(tablero_.siguienteDisponible());
}

void FrmConsola::mostrarPregunta(int pregunta, int total) {
    lblPregunta_->setText(QStringLiteral("Pregunta %1 de %2").arg(pregunta + 1).arg(total));
}

void FrmConsola::mostrarCuenta(qint64 cuenta) {
    lblTiempo_->setText(QStringLiteral("Tiempo restante: %1 s").arg(cuenta));
}

void FrmConsola::mostrarEstadoReceptor(bool conectado) {
    lblEstado_->setText(conectado ? QStringLiteral("Dispositivo conectado")
                                  : QStringLiteral("Dispositivo desconectado"));
}

void FrmConsola::fijarIniciada(bool iniciada) {
    cmdOpciones_->setEnabled(!iniciada);
}

void FrmConsola::mostrarFicha(int evaluado) {
    if (evaluado < 0 || evaluado >= evaluados_.size())
        return;
    const Evaluado& e = evaluados_.at(evaluado);
    imgFicha_->setPixmap(foto(e.codigoPersona, kFotoFicha));
    lblNombreFicha_->setText(e.nombre);
    lblDocumentoFicha_->setText(QStringLiteral("Documento: %1").arg(e.documento));
    lblControlFicha_->setText(QStringLiteral("Control: %1").arg(textoControl(e.remoto)));
    ficha_->show();
}

bool FrmConsola::reenviarTecla(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Space) {
        if (!e->isAutoRepeat())
            Q_EMIT espacio();
        return true;
    }
    if (e->key() == Qt::Key_Escape) {
        Q_EMIT salida();
        return true;
    }
    if (e->key() == Qt::Key_L) {
        if (!e->isAutoRepeat())
            Q_EMIT releer();
        return true;
    }
    return false;
}

bool FrmConsola::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == rejilla_ && evento->type() == QEvent::Resize)
        repartirCeldas();
    if (evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        // Space belongs to the exam even when a button has the focus; Enter presses it.
        if (reenviarTecla(tecla))
            return true;
        auto* boton = qobject_cast<QAbstractButton*>(objeto);
        if (boton && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
            boton->animateClick();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void FrmConsola::keyPressEvent(QKeyEvent* e) {
    if (!reenviarTecla(e))
        QWidget::keyPressEvent(e);
}

void FrmConsola::closeEvent(QCloseEvent* e) {
    // Closing the console is asking to leave the session; the session decides.
    e->ignore();
    Q_EMIT salida();
}
