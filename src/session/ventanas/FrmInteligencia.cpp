#include "session/ventanas/FrmInteligencia.h"

#include "app/Aplicacion.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/ventanas/Dialogos.h"
#include "app/ventanas/RutinasVentana.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "exams/FotoPregunta.h"
#include "keypads/Receptor.h"
#include "session/Calificacion.h"
#include "session/DiarioSesion.h"
#include "session/PantallasSala.h"
#include "session/RegistroResultados.h"
#include "session/Reloj.h"
#include "session/SesionExamen.h"
#include "session/TableroRespuestas.h"
#include "session/ventanas/FrmConsola.h"
#include "session/ventanas/FrmOpcionesSala.h"
#include "session/ventanas/FrmResultados.h"
#include "session/ventanas/Lector.h"
#include "session/ventanas/LecturaEnVoz.h"
#include "session/ventanas/NombresFrmInteligencia.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUuid>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>

namespace n = nombres::frmInteligencia;

namespace {

// Type sizes as parts of the view's height, for reading from the back of a room.
constexpr int kAltoPorTitulo = 18;
constexpr int kAltoPorPregunta = 16;
constexpr int kAltoPorRespuesta = 20;
constexpr int kAltoPorCuenta = 9;
constexpr int kAltoPorCabecera = 40;

// White on black, with strong colours for what the room looks for.
const QColor kFondo(Qt::black);
const QColor kTexto(Qt::white);
const QColor kResalte(0xff, 0xd6, 0x00);    // title, countdown and its bar
const QColor kNumeracion(0x00, 0xe5, 0xff); // the answers' numbers

void ponerTamano(QWidget* w, int pixeles, bool negrita = false) {
    QFont f = w->font();
    f.setPixelSize(std::max(pixeles, 8));
    f.setBold(negrita);
    w->setFont(f);
}

void colorear(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

// A top-level window onto `pantalla` with frame `marco`, full screen or not. A
// window already full screen leaves that state first, or it would stay where it is.
void llevarA(QWidget* w, QScreen* pantalla, const QRect& marco, bool completa) {
    const Qt::WindowStates estado = w->windowState();
    if (estado & Qt::WindowFullScreen)
        w->setWindowState(estado & ~Qt::WindowFullScreen);
    w->setScreen(pantalla);
    w->setGeometry(marco);
    if (completa)
        w->setWindowState(w->windowState() | Qt::WindowFullScreen);
}

bool mismaLista(const QList<Evaluado>& a, const QList<Evaluado>& b) {
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a.at(i).codigoPersona != b.at(i).codigoPersona || a.at(i).remoto != b.at(i).remoto ||
            a.at(i).nombre != b.at(i).nombre)
            return false;
    return true;
}

} // namespace

FrmInteligencia::FrmInteligencia(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                                 qint32 responsable, QWidget* parent)
    : QDialog(parent), de1_(de1), seleccion_(seleccion), receptor_(receptor),
      responsable_(responsable), relojPropio_(std::make_unique<RelojMonotono>()),
      sesion_(std::make_unique<SesionExamen>(de1, *relojPropio_)),
      tablero_(std::make_unique<TableroRespuestas>()) {
    setObjectName(n::kVentana);
    setWindowTitle(kTituloAplicacion);
    construir();
    consola_ = new FrmConsola(*tablero_, this);
    evaluados_ = seleccion_.evaluados();
    tablero_->fijarEvaluados(int(evaluados_.size()));
    consola_->fijarEvaluados(evaluados_);
    leerOpciones();
    connect(consola_, &FrmConsola::espacio, this, &FrmInteligencia::pulsarEspacio);
    connect(consola_, &FrmConsola::salida, this, &FrmInteligencia::solicitarSalida);
    connect(consola_, &FrmConsola::releer, this, [this] { voz_->releer(); });
    connect(consola_, &FrmConsola::siguiente, this, &FrmInteligencia::siguientePregunta);
    connect(consola_, &FrmConsola::opciones, this, &FrmInteligencia::abrirOpciones);
    // Modal to its opener only: the simulated keypad panel, a window of its own,
    // must keep taking clicks while this one runs.
    setWindowModality(Qt::WindowModal);
    mostrarResultados = [this](qint32 grupo, qint64 sesion) {
        auto* ventana = new FrmResultados(de1_, grupo, sesion, parentWidget());
        ventana->setAttribute(Qt::WA_DeleteOnClose);
        ventana->open();
    };

    connect(sesion_.get(), &SesionExamen::preguntaMostrada, this,
            &FrmInteligencia::mostrarPregunta);
    connect(sesion_.get(), &SesionExamen::preguntaTerminada, this,
            &FrmInteligencia::terminarPregunta);
    connect(sesion_.get(), &SesionExamen::examenTerminado, this,
            &FrmInteligencia::alTerminarExamen);
    voz_ = new LecturaEnVoz(*sesion_, de1_, this);
    connect(&sesion_->espera(), &EsperaPregunta::cuentaCambiada, this,
            &FrmInteligencia::mostrarCuenta);
    // Only that a key arrived goes on: the key itself would tell the room the answer.
    connect(sesion_.get(), &SesionExamen::teclaRecibida, tablero_.get(),
            [this](int evaluado, int pregunta, QChar) {
                tablero_->registrarTecla(evaluado, pregunta);
            });

    pantallas = [] { return QGuiApplication::screens(); };
    // A projector unplugged mid-session must not stop it: the view moves over. The
    // call waits a turn, until the system's list of screens is up to date.
    for (auto senal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
                       &QGuiApplication::primaryScreenChanged})
        connect(qGuiApp, senal, this,
                [this] { QTimer::singleShot(0, this, &FrmInteligencia::colocarEnSala); });
    colocarEnSala();

    // The receiver's events come to this window while it is open.
    connect(&receptor_, &Receptor::leido, sesion_.get(), &SesionExamen::recibirReporte);
    connect(&receptor_, &Receptor::enchufado, this, [this] { mostrarEstadoReceptor(true); });
    connect(&receptor_, &Receptor::desenchufado, this, [this] { mostrarEstadoReceptor(false); });
    receptor_.abrir();
    abierto_ = true;
    mostrarEstadoReceptor(receptor_.conectado());
}

FrmInteligencia::~FrmInteligencia() {
    liberar();
}

void FrmInteligencia::construir() {
    setFocusPolicy(Qt::StrongFocus);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, kFondo);
    paleta.setColor(QPalette::WindowText, kTexto);
    paleta.setColor(QPalette::Base, kFondo);
    paleta.setColor(QPalette::Text, kTexto);
    paleta.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    paleta.setColor(QPalette::ButtonText, kTexto);
    paleta.setColor(QPalette::Highlight, kResalte);
    setPalette(paleta);
    setAutoFillBackground(true);
    auto* raiz = new QVBoxLayout(this);

    auto* cabecera = new QHBoxLayout;
    lblFabricante_ = new QLabel(QStringLiteral("QUENVAR"), this);
    lblFabricante_->setObjectName(n::kFabricante);
    lblCuestionario_ = new QLabel(QStringLiteral("# Cuestionario #"), this);
    lblCuestionario_->setObjectName(n::kCuestionario);
    lblEstado_ = new QLabel(this);
    lblEstado_->setObjectName(n::kEnlace);
    cabecera->addWidget(lblFabricante_);
    cabecera->addWidget(lblCuestionario_);
    cabecera->addStretch(1);
    cabecera->addWidget(lblEstado_);
    raiz->addLayout(cabecera);
    // The marker file of an office that shows no maker's name.
    if (QFileInfo::exists(rutas::archivoMarca()))
        lblFabricante_->hide();

    lblTitulo_ = new QLabel(kTituloListo, this);
    lblTitulo_->setObjectName(n::kTitulo);
    lblTitulo_->setAlignment(Qt::AlignCenter);
    colorear(lblTitulo_, kResalte);
    raiz->addWidget(lblTitulo_);

    auto* cuerpo = new QHBoxLayout;
    auto* izquierda = new QVBoxLayout;
    lblPregunta_ = new QLabel(this);
    lblPregunta_->setObjectName(n::kPregunta);
    lblPregunta_->setWordWrap(true);
    lblPregunta_->hide();
    areaRespuestas_ = new QWidget(this);
    areaRespuestas_->setObjectName(n::kRespuestas);
    filasRespuestas_ = new QVBoxLayout(areaRespuestas_);
    filasRespuestas_->setContentsMargins(0, 0, 0, 0);
    izquierda->addWidget(lblPregunta_);
    izquierda->addWidget(areaRespuestas_);
    izquierda->addStretch(1);
    imgPregunta_ = new QLabel(this);
    imgPregunta_->setObjectName(n::kImagen);
    // The picture takes whatever room the text leaves; it is scaled to it on resize.
    imgPregunta_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    imgPregunta_->setMinimumSize(160, 120);
    imgPregunta_->setAlignment(Qt::AlignCenter);
    imgPregunta_->installEventFilter(this);
    cuerpo->addLayout(izquierda, 3);
    cuerpo->addWidget(imgPregunta_, 2);
    raiz->addLayout(cuerpo, 1);

    auto* pie = new QHBoxLayout;
    shpTiempo_ = new QProgressBar(this);
    shpTiempo_->setObjectName(n::kBarraTiempo);
    shpTiempo_->setTextVisible(false);
    shpTiempo_->setAccessibleName(QStringLiteral("Tiempo restante"));
    shpTiempo_->hide();
    lblTiempo_ = new QLabel(this);
    lblTiempo_->setObjectName(n::kTiempo);
    colorear(lblTiempo_, kResalte);
    lblTiempo_->hide();
    cmdVolver_ = new QPushButton(QStringLiteral("Volver al menú"), this);
    cmdVolver_->setObjectName(n::kVolver);
    // Space belongs to the exam: the button must not take it (or Enter) from the window.
    cmdVolver_->setFocusPolicy(Qt::NoFocus);
    cmdVolver_->setAutoDefault(false);
    pie->addWidget(shpTiempo_, 1);
    pie->addWidget(lblTiempo_);
    pie->addStretch(0);
    pie->addWidget(cmdVolver_);
    raiz->addLayout(pie);
    connect(cmdVolver_, &QPushButton::clicked, this, &FrmInteligencia::solicitarSalida);

    resize(900, 600);
    ajustarTipografia();
}

void FrmInteligencia::ajustarTipografia() {
    const int alto = height();
    ponerTamano(lblTitulo_, alto / kAltoPorTitulo, true);
    ponerTamano(lblPregunta_, alto / kAltoPorPregunta, true);
    for (QLabel* l : areaRespuestas_->findChildren<QLabel*>())
        ponerTamano(l, alto / kAltoPorRespuesta, l->objectName() == n::kNumeroRespuesta);
    ponerTamano(lblTiempo_, alto / kAltoPorCuenta, true);
    shpTiempo_->setFixedHeight(std::max(alto / kAltoPorCabecera, 8));
    for (QWidget* w :
         {static_cast<QWidget*>(lblFabricante_), static_cast<QWidget*>(lblCuestionario_),
          static_cast<QWidget*>(lblEstado_), static_cast<QWidget*>(cmdVolver_)})
        ponerTamano(w, alto / kAltoPorCabecera);
}

void FrmInteligencia::escalarImagen() {
    if (imagen_.isNull()) {
        imgPregunta_->clear();
        return;
    }
    const QSize caja = imgPregunta_->contentsRect().size();
    if (caja.isEmpty())
        return;
    imgPregunta_->setPixmap(
        QPixmap::fromImage(imagen_.scaled(caja, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void FrmInteligencia::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    ajustarTipografia();
}

bool FrmInteligencia::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == imgPregunta_ && evento->type() == QEvent::Resize)
        escalarImagen();
    return QDialog::eventFilter(objeto, evento);
}

void FrmInteligencia::colocarEnSala() {
    const QList<QScreen*> lista = pantallas();
    QList<PantallaSala> datos;
    for (const QScreen* s : lista)
        datos.append({s->name(), s->geometry(), s->availableGeometry(),
                      s == QGuiApplication::primaryScreen()});
    const ColocacionSala c = colocarSala(datos, LeerIni(claves::kPantallaProyector));
    if (c.vista < 0)
        return;
    llevarA(this, lista.at(c.vista), c.marcoVista, true);
    llevarA(consola_, lista.at(c.consola), c.marcoConsola, false);
}

QWidget* FrmInteligencia::operador() {
    return consola_->isVisible() ? static_cast<QWidget*>(consola_) : this;
}

void FrmInteligencia::leerOpciones() {
    tablero_->permitirSiguiente(LeerConfiguracion(de1_, ajustes::kSiguientePregunta) ==
                                QStringLiteral("1"));
}

void FrmInteligencia::abrirOpciones() {
    if (sesion_->estado() != SesionExamen::Estado::Lista)
        return;
    FrmOpcionesSala opciones(de1_, voz_->lector().motivoNoDisponible(), operador());
    if (opciones.exec() != QDialog::Accepted)
        return;
    leerOpciones();
    voz_->leerOpcion(de1_);
    colocarEnSala();
}

void FrmInteligencia::siguientePregunta() {
    // The button may have been pressed as the last key was being undone by a new question.
    if (tablero_->siguienteDisponible())
        sesion_->terminarPregunta();
}

void FrmInteligencia::usarReloj(Reloj& reloj) {
    sesion_->espera().usarReloj(reloj);
}

void FrmInteligencia::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Attached to the view, the window manager keeps the console above it: with one
    // screen a full-screen view would otherwise cover the operator's only controls.
    consola_->winId();
    consola_->windowHandle()->setTransientParent(windowHandle());
    // Shown once the view is mapped: a window manager stacks a companion mapped
    // before its full-screen owner under it.
    QTimer::singleShot(0, consola_, [this] {
        if (isVisible())
            consola_->show();
    });
    setFocus();
}

void FrmInteligencia::mostrarEstadoReceptor(bool conectado) {
    lblEstado_->setText(conectado ? QStringLiteral("Dispositivo conectado")
                                  : QStringLiteral("Dispositivo desconectado"));
    consola_->mostrarEstadoReceptor(conectado);
}

void FrmInteligencia::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Escape:
        solicitarSalida();
        return;
    case Qt::Key_Space:
        if (!e->isAutoRepeat())
            pulsarEspacio();
        return;
    case Qt::Key_L: // the question on screen read aloud again
        if (!e->isAutoRepeat())
            voz_->releer();
        return;
    default:
        // No other key does anything here (answers come only from the keypads).
        e->accept();
    }
}

void FrmInteligencia::pulsarEspacio() {
    if (sesion_->estado() == SesionExamen::Estado::Lista)
        comenzar();
    else
        sesion_->espacio();
}

void FrmInteligencia::comenzar() {
    const std::optional<qint32> examen = seleccion_.examenSeleccionado();
    if (!examen) {
        Dialogos::actual().mensaje(operador(), QStringLiteral("Seleccione un examen."),
                                   Dialogos::Icono::Informacion);
        return;
    }
    evaluados_ = seleccion_.evaluados();
    registrada_ = SesionRegistrada();
    if (const std::optional<Grupo> g = seleccion_.grupoSeleccionado())
        registrada_.grupo = g->codigo;
    QList<qint32> personas;
    for (const Evaluado& e : evaluados_)
        personas << e.codigoPersona;

    imgPregunta_->clear();
    shpTiempo_->show();
    lblTiempo_->setText(QStringLiteral("20"));
    lblTiempo_->show();
    lblTitulo_->setText(kTituloExamen);
    abrirDiario(*examen, personas);
    QString rechazo;
    const bool leidas =
        intentarBD(this, QStringLiteral("No se pudieron leer las preguntas del examen."),
                   [&] { rechazo = sesion_->iniciar(*examen, personas); });
    if (!rechazo.isEmpty())
        Dialogos::actual().mensaje(operador(), rechazo, Dialogos::Icono::Exclamacion);
    if (!leidas || !rechazo.isEmpty()) {
        shpTiempo_->hide();
        lblTiempo_->hide();
        lblTitulo_->setText(kTituloListo);
        eliminarDiario();
    }
}

void FrmInteligencia::mostrarPregunta(int indice) {
    const PreguntaExamen& p = sesion_->preguntas().at(indice);
    // Rows of the previous question go.
    while (QLayoutItem* item = filasRespuestas_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    lblPregunta_->setText(p.texto);
    imagen_ = fotopregunta::paraMostrar(p.foto);
    escalarImagen();
    QFont fuente = font();
    fuente.setPixelSize(std::max(height() / kAltoPorRespuesta, 8));
    for (int i = 0; i < p.respuestas.size(); ++i) {
        auto* fila = new QWidget(areaRespuestas_);
        auto* disposicion = new QHBoxLayout(fila);
        disposicion->setContentsMargins(0, 0, 0, 0);
        auto* numero = new QLabel(QString::number(i + 1), fila);
        numero->setObjectName(n::kNumeroRespuesta);
        QFont negrita = fuente;
        negrita.setBold(true);
        numero->setFont(negrita);
        colorear(numero, kNumeracion);
        auto* respuesta = new QLabel(p.respuestas.at(i).texto, fila);
        respuesta->setObjectName(n::kRespuesta);
        respuesta->setWordWrap(true);
        respuesta->setFont(fuente);
        disposicion->addWidget(numero);
        disposicion->addWidget(respuesta, 1);
        filasRespuestas_->addWidget(fila);
    }
    areaRespuestas_->show();
    lblPregunta_->show();
    lblTitulo_->setText(kTituloExamen);
    const double limite = EsperaPregunta::limiteEfectivo(p.limite);
    shpTiempo_->setRange(0, int(std::min(std::ceil(limite), 1e9)));

    if (tablero_->total() != sesion_->personas().size())
        tablero_->fijarEvaluados(int(sesion_->personas().size()));
    if (!mismaLista(evaluados_, consola_->evaluados()))
        consola_->fijarEvaluados(evaluados_);
    tablero_->nuevaPregunta(indice);
    consola_->fijarIniciada(true);
    consola_->mostrarPregunta(indice, int(sesion_->preguntas().size()));
}

void FrmInteligencia::mostrarCuenta(qint64 cuenta) {
    lblTiempo_->setText(QString::number(cuenta));
    shpTiempo_->setValue(int(std::min<qint64>(cuenta, shpTiempo_->maximum())));
    consola_->mostrarCuenta(cuenta);
}

void FrmInteligencia::terminarPregunta() {
    ReproducirSonido(QStringLiteral("Bien.wav"));
    areaRespuestas_->hide();
    lblPregunta_->hide();
}

void FrmInteligencia::solicitarSalida() {
    if (guardando_ || confirmando_)
        return;
    const SesionExamen::Estado estado = sesion_->estado();
    if (estado == SesionExamen::Estado::Terminada)
        return; // the results are being stored; the window closes by itself
    if (estado == SesionExamen::Estado::EnPregunta) {
        confirmando_ = true;
        const Dialogos::Respuesta r = Dialogos::actual().mensaje(
            operador(),
            QStringLiteral("El examen está en curso. ¿Desea terminarlo?\n"
                           "No se guardará ningún resultado de este examen."),
            Dialogos::Icono::Pregunta, QString(), Dialogos::Botones::SiNo);
        confirmando_ = false;
        if (r != Dialogos::Respuesta::Si) {
            // The last question may have ended while the question was asked.
            if (guardarPendiente_) {
                guardarPendiente_ = false;
                QTimer::singleShot(0, this, [this] { guardar(std::nullopt); });
            }
            return;
        }
        guardarPendiente_ = false;
        sesion_->cancelar();
        // The operator chose to throw the session away.
        eliminarDiario();
    }
    done(QDialog::Rejected);
}

void FrmInteligencia::reject() {
    solicitarSalida();
}

void FrmInteligencia::alTerminarExamen() {
    lblTitulo_->setText(kTituloGuardando);
    shpTiempo_->hide();
    lblTiempo_->hide();
    if (confirmando_) {
        guardarPendiente_ = true;
        return;
    }
    // Let the title show before the work starts.
    QTimer::singleShot(0, this, [this] { guardar(std::nullopt); });
}

void FrmInteligencia::guardar(const std::optional<QList<int>>& lugares) {
    if (sesion_->estado() != SesionExamen::Estado::Terminada)
        return;
    guardando_ = true;
    const ResultadoGuardado r = GuardarSesion(
        de1_, sesion_->examen(), responsable_, sesion_->personas(), sesion_->preguntas(),
        sesion_->matriz(), QDate::currentDate(), lugares, &registrada_);
    guardando_ = false;
    if (!r.registroEscrito)
        Dialogos::actual().mensaje(
            operador(),
            QStringLiteral("No se pudo escribir el registro de respuestas en el archivo de "
                           "configuración:\n%1")
                .arg(rutas::local(rutas::archivoConfiguracion())),
            Dialogos::Icono::Exclamacion);
    if (!r.fallidos.isEmpty()) {
        QStringList nombres;
        for (int k : r.fallidos)
            nombres << (k < evaluados_.size() && !evaluados_.at(k).nombre.isEmpty()
                            ? evaluados_.at(k).nombre
                            : QStringLiteral("Evaluado %1").arg(k + 1));
        const Dialogos::Respuesta otra = Dialogos::actual().mensaje(
            operador(),
            QStringLiteral("No se pudieron guardar los resultados de:\n%1\n\n%2\n\n"
                           "¿Desea intentarlo nuevamente?")
                .arg(nombres.join(u'\n'), r.errorBD),
            Dialogos::Icono::Critico, QString(), Dialogos::Botones::SiNo);
        if (otra == Dialogos::Respuesta::Si) {
            const QList<int> pendientes = r.fallidos;
            QTimer::singleShot(0, this, [this, pendientes] { guardar(pendientes); });
            return;
        }
    }
    // Stored (or given up by the operator): nothing is left to resume.
    eliminarDiario();
    done(QDialog::Accepted);
    if (registrada_.codigo && mostrarResultados)
        mostrarResultados(registrada_.grupo, *registrada_.codigo);
}

void FrmInteligencia::done(int r) {
    // Closing from outside while questions run abandons the session unstored.
    if (sesion_->estado() == SesionExamen::Estado::EnPregunta)
        sesion_->cancelar();
    QDialog::done(r);
    consola_->hide();
    liberar();
}

void FrmInteligencia::liberar() {
    if (!abierto_)
        return;
    abierto_ = false;
    sesion_->cancelar();
    disconnect(&receptor_, nullptr, this, nullptr);
    disconnect(&receptor_, nullptr, sesion_.get(), nullptr);
    receptor_.cerrar();
}

bool FrmInteligencia::reanudar(const LecturaDiario& lectura, const QString& ruta) {
    if (sesion_->estado() != SesionExamen::Estado::Lista)
        return false;
    evaluados_ = seleccion_.evaluados();
    registrada_ = SesionRegistrada();
    registrada_.grupo = lectura.identidad.grupo;
    registrada_.diario = lectura.identidad.identidad;
    responsable_ = lectura.identidad.responsable;
    diario_ = std::make_unique<DiarioSesion>();
    vigilarDiario();
    diario_->continuar(ruta, lectura);
    sesion_->usarDiario(diario_.get());

    imgPregunta_->clear();
    shpTiempo_->show();
    lblTiempo_->show();
    lblTitulo_->setText(kTituloExamen);
    QString rechazo;
    const bool leidas =
        intentarBD(this, QStringLiteral("No se pudieron leer las preguntas del examen."),
                   [&] { rechazo = sesion_->reanudar(lectura); });
    if (!rechazo.isEmpty())
        Dialogos::actual().mensaje(operador(), rechazo, Dialogos::Icono::Exclamacion);
    if (leidas && rechazo.isEmpty()) {
        // The console lights who had already answered the question that resumes.
        const int actual = sesion_->preguntaActual();
        for (int k = 0; k < sesion_->personas().size(); ++k)
            if (actual >= 0 && !sesion_->matriz().celda(k, actual).isEmpty())
                tablero_->registrarTecla(k, actual);
        return true;
    }
    // The journal stays as it was, to be offered again.
    sesion_->usarDiario(nullptr);
    diario_.reset();
    shpTiempo_->hide();
    lblTiempo_->hide();
    lblTitulo_->setText(kTituloListo);
    return false;
}

void FrmInteligencia::abrirDiario(qint32 examen, const QList<qint32>& personas) {
    IdentidadDiario identidad;
    identidad.identidad = QUuid::createUuid().toString(QUuid::WithoutBraces);
    identidad.grupo = registrada_.grupo;
    identidad.examen = examen;
    identidad.responsable = responsable_;
    identidad.inicio = QDateTime::currentDateTime();
    identidad.personas = personas;
    registrada_.diario = identidad.identidad;
    diario_ = std::make_unique<DiarioSesion>();
    vigilarDiario();
    diario_->crear(DiarioSesion::rutaPredeterminada(), identidad);
    sesion_->usarDiario(diario_.get());
}

void FrmInteligencia::vigilarDiario() {
    // Said once, after the event that failed: the session goes on without it.
    connect(diario_.get(), &DiarioSesion::fallo, this, [this](const QString& texto) {
        QTimer::singleShot(0, this, [this, texto] { avisarDiario(texto); });
    });
}

void FrmInteligencia::avisarDiario(const QString& texto) {
    if (!isVisible() || guardando_)
        return;
    const bool antes = confirmando_;
    confirmando_ = true;
    Dialogos::actual().mensaje(operador(),
                               texto + QStringLiteral("\n\nEl examen continúa, pero si el "
                                                      "programa se detiene no podrá reanudarse."),
                               Dialogos::Icono::Exclamacion);
    confirmando_ = antes;
    if (!confirmando_ && guardarPendiente_) {
        guardarPendiente_ = false;
        QTimer::singleShot(0, this, [this] { guardar(std::nullopt); });
    }
}

void FrmInteligencia::eliminarDiario() {
    sesion_->usarDiario(nullptr);
    if (diario_)
        diario_->eliminar();
    diario_.reset();
}
