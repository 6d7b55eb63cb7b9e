#include "groups/ventanas/FrmNMGrupo.h"

#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "groups/RepositorioGrupos.h"
#include "groups/ventanas/NombresFrmNMGrupo.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace n = nombres::frmNMGrupo;

FrmNMGrupo::FrmNMGrupo(De1& de1, ModoEdicion modo, std::optional<qint32> codigoGrupo,
                       qint32 responsable, QWidget* parent)
    : QDialog(parent), de1_(de1), codigoGrupo_(codigoGrupo), responsable_(responsable),
      modificar_(modo == ModoEdicion::ModificarGrupo && codigoGrupo.has_value()) {
    setObjectName(n::kVentana);
    setWindowTitle(modificar_ ? QStringLiteral("Modificar grupo") : QStringLiteral("Nuevo grupo"));
    setMinimumWidth(400);

    auto* formulario = new QFormLayout;
    auto campo = [&](const QString& etiqueta, QWidget* entrada) {
        auto* l = new QLabel(etiqueta, this);
        rotular(l, entrada);
        formulario->addRow(l, entrada);
    };
    dtFecha_ = new QDateEdit(this);
    dtFecha_->setObjectName(n::kFecha);
    dtFecha_->setCalendarPopup(true);
    dtFecha_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    campo(QStringLiteral("Fecha"), dtFecha_);
    // Limited to the columns' widths, so a long text cannot fail on save.
    txtCurso_ = new QLineEdit(this);
    txtCurso_->setObjectName(n::kCurso);
    txtCurso_->setMaxLength(20);
    campo(QStringLiteral("Curso"), txtCurso_);
    txtDescripcion_ = new QLineEdit(this);
    txtDescripcion_->setObjectName(n::kDescripcion);
    txtDescripcion_->setMaxLength(40);
    campo(QStringLiteral("Descripción"), txtDescripcion_);
    comboResponsable_ = new QComboBox(this);
    comboResponsable_->setObjectName(n::kResponsable);
    comboResponsable_->setEditable(true);
    comboResponsable_->setInsertPolicy(QComboBox::NoInsert);
    comboResponsable_->lineEdit()->setMaxLength(100);
    campo(QStringLiteral("Responsable"), comboResponsable_);

    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(n::kAceptar);
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(n::kCancelar);
    QPushButton* salir = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                     QStringLiteral("Salir"), n::kSalir, this);
    salir->setIconSize(QSize(24, 24));
    connect(aceptar, &QPushButton::clicked, this, &FrmNMGrupo::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* arriba = new QHBoxLayout;
    arriba->addStretch(1);
    arriba->addWidget(salir);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addLayout(formulario);
    todo->addLayout(botones);

    cargar();
}

void FrmNMGrupo::cargar() {
    dtFecha_->setDate(QDate::currentDate());
    intentarBD(this, QStringLiteral("No se pudieron leer los datos del grupo."), [this] {
        RepositorioGrupos repositorio(de1_);
        comboResponsable_->addItems(repositorio.usuariosActivos());
        comboResponsable_->setCurrentText(repositorio.nombreResponsable(responsable_));
        if (!modificar_)
            return;
        if (const std::optional<Grupo> g = repositorio.leer(*codigoGrupo_)) {
            if (g->fecha.isValid())
                dtFecha_->setDate(g->fecha);
            txtCurso_->setText(g->curso);
            txtDescripcion_->setText(g->descripcion);
            comboResponsable_->setCurrentText(g->responsable);
        }
    });
}

void FrmNMGrupo::aceptar() {
    if (txtCurso_->text().isEmpty())
        txtCurso_->setText(QStringLiteral("-"));
    if (txtDescripcion_->text().trimmed().isEmpty()) {
        Dialogos::actual().mensaje(this, QStringLiteral("Debe ingresar la descripcion del grupo"),
                                   Dialogos::Icono::Exclamacion);
        txtDescripcion_->setFocus();
        return;
    }
    const Grupo grupo{modificar_ ? *codigoGrupo_ : 0, txtCurso_->text(), dtFecha_->date(),
                      txtDescripcion_->text(), comboResponsable_->currentText()};
    if (intentarBD(this, QStringLiteral("No se pudo guardar el grupo."),
                   [&] { codigoGuardado_ = RepositorioGrupos(de1_).guardar(grupo); }))
        accept();
}
