#include "exams/ventanas/FrmAddExamenes.h"

#include "app/Aplicacion.h"
#include "app/Rutas.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "exams/ModelosExamen.h"
#include "exams/RepositorioExamenes.h"
#include "ui_FrmAddExamenes.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>

using R = EdicionExamen::Resultado;

FrmAddExamenes::FrmAddExamenes(De1& de1, ModoExamen modo, std::optional<qint32> codigoExamen,
                               QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::FrmAddExamenes>()), de1_(de1),
      codigoExamen_(codigoExamen) {
    construir();
    if (modo == ModoExamen::Modificar && codigoExamen_)
        cargar();
    else
        codigoExamen_.reset(); // a new exam gets its code when it is stored
    refrescarPreguntas();
    mostrarPregunta();
}

FrmAddExamenes::~FrmAddExamenes() = default;

void FrmAddExamenes::construir() {
    ui_->setupUi(this);
    modeloPreguntas_ = new ModeloPreguntas(edicion_, this);
    ui_->LvPreguntas->setModel(modeloPreguntas_);
    modeloRespuestas_ = new ModeloRespuestas(edicion_, this);
    ui_->LvRespuestas->setModel(modeloRespuestas_);
    ui_->LvRespuestas->header()->setStretchLastSection(false);
    ui_->LvRespuestas->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    // The square as stored, inside the box's frame.
    const int borde = 2 * ui_->picFoto->frameWidth();
    ui_->picFoto->setFixedSize(EdicionExamen::kLadoFoto + borde, EdicionExamen::kLadoFoto + borde);

    connect(ui_->LvPreguntas->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { preguntaElegida(actual); });
    connect(ui_->LvPreguntas, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { preguntaElegida(i); });
    connect(ui_->LvRespuestas->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { respuestaElegida(actual); });
    connect(ui_->LvRespuestas, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { respuestaElegida(i); });
    connect(ui_->cmdAgregarPregunta, &QPushButton::clicked, this, &FrmAddExamenes::agregarPregunta);
    connect(ui_->cmdCorregirPregunta, &QPushButton::clicked, this,
            &FrmAddExamenes::corregirPregunta);
    connect(ui_->cmdQuitarPregunta, &QPushButton::clicked, this, &FrmAddExamenes::quitarPregunta);
    connect(ui_->cmdAgregarRespuesta, &QPushButton::clicked, this,
            &FrmAddExamenes::agregarRespuesta);
    connect(ui_->cmdCorregirRespuesta, &QPushButton::clicked, this,
            &FrmAddExamenes::corregirRespuesta);
    connect(ui_->cmdQuitarRespuesta, &QPushButton::clicked, this, &FrmAddExamenes::quitarRespuesta);
    connect(ui_->cmdImagen, &QPushButton::clicked, this, &FrmAddExamenes::elegirFoto);
    connect(ui_->CmdAceptar, &QPushButton::clicked, this, &FrmAddExamenes::aceptar);
    connect(ui_->CmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmAddExamenes::cargar() {
    const bool leido = intentarBD(
        this, QStringLiteral("No se pudo leer el examen."),
        [this] {
            if (!RepositorioExamenes(de1_).cargar(*codigoExamen_, edicion_))
                edicion_ = EdicionExamen(); // no such exam: start empty
        },
        kTituloAplicacion);
    if (!leido) {
        edicion_ = EdicionExamen();
        // Storing over an exam that could not be read would lose its questions.
        ui_->CmdAceptar->setEnabled(false);
        return;
    }
    ui_->TxtDescripcion->setText(edicion_.descripcion);
}

void FrmAddExamenes::preguntaElegida(const QModelIndex& actual) {
    if (sincronizando_ || !actual.isValid())
        return;
    if (edicion_.seleccionarPregunta(actual.data(Qt::UserRole).toString()))
        mostrarPregunta();
}

void FrmAddExamenes::respuestaElegida(const QModelIndex& actual) {
    if (sincronizando_ || !actual.isValid())
        return;
    if (edicion_.seleccionarRespuesta(actual.data(Qt::UserRole).toString()))
        ui_->txtRespuesta->setText(edicion_.respuestaSeleccionada()->texto);
}

void FrmAddExamenes::mostrarPregunta() {
    const EdicionExamen::Pregunta* p = edicion_.preguntaSeleccionada();
    if (p) {
        ui_->txtPregunta->setText(p->texto);
        ui_->picFoto->setPixmap(QPixmap::fromImage(EdicionExamen::cuadrado(p->foto)));
    } else {
        ui_->picFoto->clear();
    }
    ui_->cmdImagen->setEnabled(p != nullptr);
    refrescarRespuestas();
}

void FrmAddExamenes::refrescarPreguntas() {
    sincronizando_ = true;
    modeloPreguntas_->recargar();
    if (const auto* p = edicion_.preguntaSeleccionada()) {
        const QModelIndex i = modeloPreguntas_->index(modeloPreguntas_->fila(p->clave), 0);
        ui_->LvPreguntas->setCurrentIndex(i);
        ui_->LvPreguntas->scrollTo(i);
    }
    sincronizando_ = false;
}

void FrmAddExamenes::refrescarRespuestas() {
    sincronizando_ = true;
    modeloRespuestas_->recargar();
    if (const auto* r = edicion_.respuestaSeleccionada()) {
        const QModelIndex i = modeloRespuestas_->index(modeloRespuestas_->fila(r->clave), 0);
        ui_->LvRespuestas->setCurrentIndex(i);
        ui_->LvRespuestas->scrollTo(i);
    }
    sincronizando_ = false;
}

bool FrmAddExamenes::avisar(R r, const QString& titulo, bool esPregunta, bool quitar,
                            QWidget* campo) {
    QString texto;
    switch (r) {
    case R::Hecho:
        return false;
    case R::TextoVacio:
        texto = esPregunta ? QStringLiteral("ERROR: Debe ingresar una pregunta")
                           : QStringLiteral("ERROR: Debe ingresar una respuesta");
        break;
    case R::Duplicada:
        texto = esPregunta ? QStringLiteral("ERROR: Pregunta duplicada")
                           : QStringLiteral("ERROR: Respuesta duplicada");
        break;
    case R::ListaVacia:
        if (esPregunta)
            texto = quitar ? QStringLiteral("ERROR: No hay preguntas a eliminar")
                           : QStringLiteral("ERROR: No hay preguntas a modificar");
        else
            texto = quitar ? QStringLiteral("ERROR: No hay respuesta a eliminar")
                           : QStringLiteral("ERROR: No hay respuestas a modificar");
        break;
    case R::SinPregunta:
        texto = QStringLiteral("ERROR: Debe seleccionar una pregunta");
        break;
    case R::SinRespuesta:
        texto = QStringLiteral("ERROR: Debe seleccionar una respuesta");
        break;
    }
    Dialogos::actual().mensaje(this, texto, Dialogos::Icono::Critico, titulo);
    if (campo)
        campo->setFocus();
    return true;
}

void FrmAddExamenes::agregarPregunta() {
    if (avisar(edicion_.agregarPregunta(ui_->txtPregunta->text()), QStringLiteral("Nueva Pregunta"),
               true, false, ui_->txtPregunta))
        return;
    refrescarPreguntas();
    mostrarPregunta();
}

void FrmAddExamenes::corregirPregunta() {
    const QString titulo = QStringLiteral("Modificar Pregunta");
    if (avisar(edicion_.corregirPregunta(ui_->txtPregunta->text()), titulo, true, false,
               ui_->txtPregunta))
        return;
    refrescarPreguntas();
    Dialogos::actual().mensaje(this, QStringLiteral("Pregunta modificada exitosamente"),
                               Dialogos::Icono::Informacion, titulo);
}

void FrmAddExamenes::quitarPregunta() {
    const QString titulo = QStringLiteral("Eliminar Pregunta");
    if (avisar(edicion_.puedeQuitarPregunta(), titulo, true, true, nullptr))
        return;
    if (Dialogos::actual().mensaje(
            this, QStringLiteral("Esta seguro que desea eliminar la pregunta seleccionada?"),
            Dialogos::Icono::Pregunta, titulo,
            Dialogos::Botones::AceptarCancelar) != Dialogos::Respuesta::Aceptar)
        return;
    edicion_.quitarPregunta();
    refrescarPreguntas();
    mostrarPregunta();
}

void FrmAddExamenes::agregarRespuesta() {
    if (avisar(edicion_.agregarRespuesta(ui_->txtRespuesta->text(), ui_->chkCorrecta->isChecked()),
               QStringLiteral("Nueva Respuesta"), false, false, ui_->txtRespuesta))
        return;
    refrescarRespuestas();
}

void FrmAddExamenes::corregirRespuesta() {
    const QString titulo = QStringLiteral("Modificar Respuesta");
    if (avisar(edicion_.corregirRespuesta(ui_->txtRespuesta->text(), ui_->chkCorrecta->isChecked()),
               titulo, false, false, ui_->txtRespuesta))
        return;
    refrescarRespuestas();
    Dialogos::actual().mensaje(this, QStringLiteral("Respuesta modificada exitosamente"),
                               Dialogos::Icono::Informacion, titulo);
}

void FrmAddExamenes::quitarRespuesta() {
    const QString titulo = QStringLiteral("Eliminar Respuesta");
    if (avisar(edicion_.puedeQuitarRespuesta(), titulo, false, true, nullptr))
        return;
    if (Dialogos::actual().mensaje(
            this, QStringLiteral("Esta seguro que desea eliminar la respuesta seleccionada?"),
            Dialogos::Icono::Pregunta, titulo,
            Dialogos::Botones::AceptarCancelar) != Dialogos::Respuesta::Aceptar)
        return;
    edicion_.quitarRespuesta();
    if (const auto* r = edicion_.respuestaSeleccionada())
        ui_->txtRespuesta->setText(r->texto);
    refrescarRespuestas();
}

void FrmAddExamenes::elegirFoto() {
    if (!edicion_.preguntaSeleccionada())
        return;
    const QString ruta = Dialogos::actual().abrirArchivo(
        this, QStringLiteral("Imagen de la pregunta"), rutas::carpetaArchivosPrograma(),
        QStringLiteral("Archivos de imágenes (*.jpg *.gif *.bmp)"));
    if (ruta.isEmpty())
        return; // cancelled: the picture stays as it was
    QImageReader lector(ruta);
    lector.setDecideFormatFromContent(true);
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        Dialogos::actual().mensaje(
            this, QStringLiteral("No se pudo leer la imagen %1").arg(QFileInfo(ruta).fileName()),
            Dialogos::Icono::Critico, QStringLiteral("Imagen de la Pregunta"));
        return;
    }
    edicion_.fijarFoto(imagen);
    mostrarPregunta();
}

void FrmAddExamenes::aceptar() {
    const QString descripcion = ui_->TxtDescripcion->text();
    if (descripcion.trimmed().isEmpty()) {
        Dialogos::actual().mensaje(this,
                                   QStringLiteral("ERROR: Debe ingresar la descripcion del examen"),
                                   Dialogos::Icono::Critico, kTituloAplicacion);
        ui_->TxtDescripcion->setFocus();
        return;
    }
    QString aviso;
    if (edicion_.preguntasListadas().isEmpty()) {
        aviso = QStringLiteral("El examen no tiene preguntas.");
    } else {
        QStringList dudosas = edicion_.preguntasDudosas();
        if (!dudosas.isEmpty()) {
            const qsizetype total = dudosas.size();
            if (total > 10) {
                dudosas = dudosas.mid(0, 10);
                dudosas << QStringLiteral("(y %1 más)").arg(total - 10);
            }
            aviso = QStringLiteral("Estas preguntas no tienen respuestas o no tienen una sola "
                                   "respuesta correcta:\n\n") +
                    dudosas.join(QLatin1Char('\n'));
        }
    }
    if (!aviso.isEmpty() &&
        Dialogos::actual().mensaje(
            this, aviso + QStringLiteral("\n\nDesea guardar el examen de todos modos?"),
            Dialogos::Icono::Exclamacion, kTituloAplicacion,
            Dialogos::Botones::AceptarCancelar) != Dialogos::Respuesta::Aceptar)
        return;

    edicion_.descripcion = descripcion;
    RepositorioExamenes::Resultado r;
    if (!intentarBD(
            this, QStringLiteral("No se pudo guardar el examen."),
            [&] { r = RepositorioExamenes(de1_).guardar(edicion_, codigoExamen_); },
            kTituloAplicacion))
        return;
    if (r.estado == RepositorioExamenes::Estado::DescripcionDuplicada) {
        Dialogos::actual().mensaje(this, QStringLiteral("La descripcion del examen ya existe"),
                                   Dialogos::Icono::Ninguno, kTituloAplicacion);
        ui_->TxtDescripcion->setFocus();
        return;
    }
    codigoGuardado_ = r.codigoExamen;
    accept();
}
