#include "exams/ventanas/FrmAddExamenes.h"

#include "app/Globales.h"
#include "app/Rutas.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "exams/RepositorioExamenes.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using R = EdicionExamen::Resultado;

// The question list: the questions kept, in the order they were added.
class ModeloPreguntas : public QAbstractTableModel {
public:
    explicit ModeloPreguntas(const EdicionExamen& e, QObject* padre)
        : QAbstractTableModel(padre), e_(e) {}
    void recargar() {
        beginResetModel();
        filas_ = e_.preguntasListadas();
        endResetModel();
    }
    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(filas_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= filas_.size())
            return {};
        const EdicionExamen::Pregunta& p = e_.preguntas().at(filas_.at(i.row()));
        switch (rol) {
        case Qt::DisplayRole:
            return p.texto;
        case Qt::UserRole:
            return p.clave;
        case Qt::UserRole + 1:
            return p.etiqueta();
        default:
            return {};
        }
    }
    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o == Qt::Horizontal && rol == Qt::DisplayRole && s == 0)
            return QStringLiteral("Pregunta");
        return {};
    }
    int fila(const QString& clave) const {
        for (int i = 0; i < filas_.size(); ++i)
            if (e_.preguntas().at(filas_.at(i)).clave == clave)
                return i;
        return -1;
    }

private:
    const EdicionExamen& e_;
    QList<int> filas_;
};

// The answer list: the kept answers of the selected question, "Si"/"No" beside.
class ModeloRespuestas : public QAbstractTableModel {
public:
    explicit ModeloRespuestas(const EdicionExamen& e, QObject* padre)
        : QAbstractTableModel(padre), e_(e) {}
    void recargar() {
        beginResetModel();
        filas_ = e_.respuestasListadas();
        endResetModel();
    }
    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(filas_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= filas_.size())
            return {};
        const EdicionExamen::Respuesta& r = e_.respuestas().at(filas_.at(i.row()));
        switch (rol) {
        case Qt::DisplayRole:
            if (i.column() == 0)
                return r.texto;
            return r.correcta ? QStringLiteral("Si") : QStringLiteral("No");
        case Qt::UserRole:
            return r.clave;
        case Qt::UserRole + 1:
            return r.etiqueta();
        default:
            return {};
        }
    }
    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o != Qt::Horizontal || rol != Qt::DisplayRole)
            return {};
        if (s == 0)
            return QStringLiteral("Respuesta");
        if (s == 1)
            return QStringLiteral("Correcta");
        return {};
    }
    int fila(const QString& clave) const {
        for (int i = 0; i < filas_.size(); ++i)
            if (e_.respuestas().at(filas_.at(i)).clave == clave)
                return i;
        return -1;
    }

private:
    const EdicionExamen& e_;
    QList<int> filas_;
};

namespace {

QPushButton* boton(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* campo(const QString& nombre, QWidget* padre) {
    auto* t = new QLineEdit(padre);
    t->setObjectName(nombre);
    return t;
}

QTreeView* lista(const QString& nombre, QWidget* padre) {
    auto* v = new QTreeView(padre);
    v->setObjectName(nombre);
    v->setRootIsDecorated(false);
    v->setItemsExpandable(false);
    v->setUniformRowHeights(true);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return v;
}

} // namespace

FrmAddExamenes::FrmAddExamenes(De1& de1, int modo, std::optional<qint32> codigoExamen,
                               QWidget* parent)
    : QDialog(parent), de1_(de1), modo_(modo), codigoExamen_(codigoExamen) {
    setObjectName(QStringLiteral("FrmAddExamenes"));
    setWindowTitle(QStringLiteral("Agregar examenes"));
    construir();
    if (modo_ == 2 && codigoExamen_)
        cargar();
    else
        codigoExamen_.reset(); // a new exam gets its code when it is stored
    refrescarPreguntas();
    mostrarPregunta();
}

FrmAddExamenes::~FrmAddExamenes() = default;

void FrmAddExamenes::construir() {
    auto* lblDescripcion = new QLabel(QStringLiteral("Descripcion del examen:"), this);
    txtDescripcion_ = campo(QStringLiteral("TxtDescripcion"), this);
    rotular(lblDescripcion, txtDescripcion_);

    modeloPreguntas_ = new ModeloPreguntas(edicion_, this);
    lvPreguntas_ = lista(QStringLiteral("LvPreguntas"), this);
    lvPreguntas_->setModel(modeloPreguntas_);
    lvPreguntas_->setAccessibleName(QStringLiteral("Preguntas"));
    auto* lblPregunta = new QLabel(QStringLiteral("Pregunta:"), this);
    txtPregunta_ = campo(QStringLiteral("txtPregunta"), this);
    rotular(lblPregunta, txtPregunta_);
    auto* command1 = boton(QStringLiteral("Añadir a la lista"), QStringLiteral("Command1"), this);
    auto* command2 = boton(QStringLiteral("Corregir"), QStringLiteral("Command2"), this);
    auto* command3 = boton(QStringLiteral("Quitar"), QStringLiteral("Command3"), this);

    picFoto_ = new QLabel(this);
    picFoto_->setObjectName(QStringLiteral("picFoto"));
    picFoto_->setAccessibleName(QStringLiteral("Imagen de la pregunta"));
    picFoto_->setFrameShape(QFrame::Box);
    picFoto_->setAlignment(Qt::AlignCenter);
    const int borde = 2 * picFoto_->frameWidth();
    picFoto_->setFixedSize(EdicionExamen::kLadoFoto + borde, EdicionExamen::kLadoFoto + borde);
    command7_ = boton(QStringLiteral("Imagen..."), QStringLiteral("Command7"), this);
    command7_->setAccessibleName(QStringLiteral("Elegir la imagen de la pregunta"));

    modeloRespuestas_ = new ModeloRespuestas(edicion_, this);
    lvRespuestas_ = lista(QStringLiteral("LvRespuestas"), this);
    lvRespuestas_->setModel(modeloRespuestas_);
    lvRespuestas_->setAccessibleName(QStringLiteral("Respuestas"));
    lvRespuestas_->header()->setStretchLastSection(false);
    lvRespuestas_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* lblRespuesta = new QLabel(QStringLiteral("Respuesta:"), this);
    txtRespuesta_ = campo(QStringLiteral("txtRespuesta"), this);
    rotular(lblRespuesta, txtRespuesta_);
    check1_ = new QCheckBox(QStringLiteral("Correcta"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    auto* command6 = boton(QStringLiteral("Añadir a la lista"), QStringLiteral("Command6"), this);
    auto* command5 = boton(QStringLiteral("Corregir"), QStringLiteral("Command5"), this);
    auto* command4 = boton(QStringLiteral("Quitar"), QStringLiteral("Command4"), this);

    cmdAceptar_ = boton(QStringLiteral("Aceptar"), QStringLiteral("CmdAceptar"), this);
    auto* cmdCancelar = boton(QStringLiteral("Cancelar"), QStringLiteral("CmdCancelar"), this);

    auto* botonesPregunta = new QHBoxLayout;
    botonesPregunta->addWidget(command1);
    botonesPregunta->addWidget(command2);
    botonesPregunta->addWidget(command3);
    auto* botonesRespuesta = new QHBoxLayout;
    botonesRespuesta->addWidget(check1_);
    botonesRespuesta->addStretch();
    botonesRespuesta->addWidget(command6);
    botonesRespuesta->addWidget(command5);
    botonesRespuesta->addWidget(command4);
    auto* foto = new QVBoxLayout;
    foto->addWidget(picFoto_);
    foto->addWidget(command7_);
    foto->addStretch();

    auto* grilla = new QGridLayout;
    grilla->addWidget(lvPreguntas_, 0, 0, 1, 2);
    grilla->addLayout(foto, 0, 2, 3, 1);
    grilla->addWidget(lblPregunta, 1, 0);
    grilla->addWidget(txtPregunta_, 1, 1);
    grilla->addLayout(botonesPregunta, 2, 1);
    grilla->addWidget(lvRespuestas_, 3, 0, 1, 3);
    grilla->addWidget(lblRespuesta, 4, 0);
    grilla->addWidget(txtRespuesta_, 4, 1, 1, 2);
    grilla->addLayout(botonesRespuesta, 5, 1, 1, 2);

    auto* cierre = new QHBoxLayout;
    cierre->addStretch();
    cierre->addWidget(cmdAceptar_);
    cierre->addWidget(cmdCancelar);

    auto* descripcion = new QHBoxLayout;
    descripcion->addWidget(lblDescripcion);
    descripcion->addWidget(txtDescripcion_, 1);

    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(descripcion);
    raiz->addLayout(grilla, 1);
    raiz->addLayout(cierre);
    resize(640, 560);

    connect(lvPreguntas_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { preguntaElegida(actual); });
    connect(lvPreguntas_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { preguntaElegida(i); });
    connect(lvRespuestas_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { respuestaElegida(actual); });
    connect(lvRespuestas_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { respuestaElegida(i); });
    connect(command1, &QPushButton::clicked, this, &FrmAddExamenes::agregarPregunta);
    connect(command2, &QPushButton::clicked, this, &FrmAddExamenes::corregirPregunta);
    connect(command3, &QPushButton::clicked, this, &FrmAddExamenes::quitarPregunta);
    connect(command6, &QPushButton::clicked, this, &FrmAddExamenes::agregarRespuesta);
    connect(command5, &QPushButton::clicked, this, &FrmAddExamenes::corregirRespuesta);
    connect(command4, &QPushButton::clicked, this, &FrmAddExamenes::quitarRespuesta);
    connect(command7_, &QPushButton::clicked, this, &FrmAddExamenes::elegirFoto);
    connect(cmdAceptar_, &QPushButton::clicked, this, &FrmAddExamenes::aceptar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmAddExamenes::cargar() {
    try {
        if (!RepositorioExamenes(de1_).cargar(*codigoExamen_, edicion_))
            edicion_ = EdicionExamen(); // no such exam: start empty
    } catch (const ErrorBD& e) {
        edicion_ = EdicionExamen();
        // Storing over an exam that could not be read would lose its questions.
        cmdAceptar_->setEnabled(false);
        Dialogos::actual().mensaje(this, QStringLiteral("No se pudo leer el examen:\n") + e.texto(),
                                   Dialogos::Icono::Critico, kTituloAplicacion);
        return;
    }
    txtDescripcion_->setText(edicion_.descripcion);
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
        txtRespuesta_->setText(edicion_.respuestaSeleccionada()->texto);
}

void FrmAddExamenes::mostrarPregunta() {
    const EdicionExamen::Pregunta* p = edicion_.preguntaSeleccionada();
    if (p) {
        txtPregunta_->setText(p->texto);
        picFoto_->setPixmap(QPixmap::fromImage(EdicionExamen::cuadrado(p->foto)));
    } else {
        picFoto_->clear();
    }
    command7_->setEnabled(p != nullptr);
    refrescarRespuestas();
}

void FrmAddExamenes::refrescarPreguntas() {
    sincronizando_ = true;
    modeloPreguntas_->recargar();
    if (const auto* p = edicion_.preguntaSeleccionada()) {
        const QModelIndex i = modeloPreguntas_->index(modeloPreguntas_->fila(p->clave), 0);
        lvPreguntas_->setCurrentIndex(i);
        lvPreguntas_->scrollTo(i);
    }
    sincronizando_ = false;
}

void FrmAddExamenes::refrescarRespuestas() {
    sincronizando_ = true;
    modeloRespuestas_->recargar();
    if (const auto* r = edicion_.respuestaSeleccionada()) {
        const QModelIndex i = modeloRespuestas_->index(modeloRespuestas_->fila(r->clave), 0);
        lvRespuestas_->setCurrentIndex(i);
        lvRespuestas_->scrollTo(i);
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
    if (avisar(edicion_.agregarPregunta(txtPregunta_->text()), QStringLiteral("Nueva Pregunta"),
               true, false, txtPregunta_))
        return;
    refrescarPreguntas();
    mostrarPregunta();
}

void FrmAddExamenes::corregirPregunta() {
    const QString titulo = QStringLiteral("Modificar Pregunta");
    if (avisar(edicion_.corregirPregunta(txtPregunta_->text()), titulo, true, false, txtPregunta_))
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
    if (avisar(edicion_.agregarRespuesta(txtRespuesta_->text(), check1_->isChecked()),
               QStringLiteral("Nueva Respuesta"), false, false, txtRespuesta_))
        return;
    refrescarRespuestas();
}

void FrmAddExamenes::corregirRespuesta() {
    const QString titulo = QStringLiteral("Modificar Respuesta");
    if (avisar(edicion_.corregirRespuesta(txtRespuesta_->text(), check1_->isChecked()), titulo,
               false, false, txtRespuesta_))
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
        txtRespuesta_->setText(r->texto);
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
    const QString descripcion = txtDescripcion_->text();
    if (descripcion.trimmed().isEmpty()) {
        Dialogos::actual().mensaje(this,
                                   QStringLiteral("ERROR: Debe ingresar la descripcion del examen"),
                                   Dialogos::Icono::Critico, kTituloAplicacion);
        txtDescripcion_->setFocus();
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
    try {
        const RepositorioExamenes::Resultado r =
            RepositorioExamenes(de1_).guardar(edicion_, codigoExamen_);
        if (r.estado == RepositorioExamenes::Estado::DescripcionDuplicada) {
            Dialogos::actual().mensaje(this, QStringLiteral("La descripcion del examen ya existe"),
                                       Dialogos::Icono::Ninguno, kTituloAplicacion);
            txtDescripcion_->setFocus();
            return;
        }
        codigoGuardado_ = r.codigoExamen;
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(this,
                                   QStringLiteral("No se pudo guardar el examen:\n") + e.texto(),
                                   Dialogos::Icono::Critico, kTituloAplicacion);
        return;
    }
    accept();
}
