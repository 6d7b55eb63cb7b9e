#include "groups/ventanas/FrmNMGrupo.h"

#include "app/Globales.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/De1.h"
#include "groups/DatosGrupos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

FrmNMGrupo::FrmNMGrupo(De1& de1, std::optional<qint32> codigoGrupo, QWidget* parent)
    : QDialog(parent), de1_(de1), codigoGrupo_(codigoGrupo),
      modificar_(Globales::ModoEdicion == QStringLiteral("M") && codigoGrupo.has_value()) {
    setObjectName(QStringLiteral("FrmNMGrupo"));
    setWindowTitle(modificar_ ? QStringLiteral("Modificar grupo") : QStringLiteral("Nuevo grupo"));
    setMinimumWidth(400);

    auto* formulario = new QFormLayout;
    auto campo = [&](const QString& etiqueta, QWidget* entrada) {
        auto* l = new QLabel(etiqueta, this);
        rotular(l, entrada);
        formulario->addRow(l, entrada);
    };
    dtFecha_ = new QDateEdit(this);
    dtFecha_->setObjectName(QStringLiteral("DtFecha"));
    dtFecha_->setCalendarPopup(true);
    dtFecha_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    campo(QStringLiteral("Fecha"), dtFecha_);
    // Limited to the columns' widths, so a long text cannot fail on save.
    txtCurso_ = new QLineEdit(this);
    txtCurso_->setObjectName(QStringLiteral("TxtCurso"));
    txtCurso_->setMaxLength(20);
    campo(QStringLiteral("Curso"), txtCurso_);
    txtDescripcion_ = new QLineEdit(this);
    txtDescripcion_->setObjectName(QStringLiteral("TxtDescripcion"));
    txtDescripcion_->setMaxLength(40);
    campo(QStringLiteral("Descripción"), txtDescripcion_);
    comboResponsable_ = new QComboBox(this);
    comboResponsable_->setObjectName(QStringLiteral("ComboResponsable"));
    comboResponsable_->setEditable(true);
    comboResponsable_->setInsertPolicy(QComboBox::NoInsert);
    comboResponsable_->lineEdit()->setMaxLength(100);
    campo(QStringLiteral("Responsable"), comboResponsable_);

    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("CmdAceptar"));
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("CmdCancelar"));
    QPushButton* salir = botonImagen(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                     QStringLiteral("Salir"), QStringLiteral("ImgSalir"), this);
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
    try {
        comboResponsable_->addItems(grupos::usuariosActivos(de1_));
        comboResponsable_->setCurrentText(
            grupos::nombreResponsable(de1_, Globales::ResponsableActual));
        if (modificar_) {
            if (const std::optional<DatosGrupo> g = grupos::leerGrupo(de1_, *codigoGrupo_)) {
                if (g->fecha.isValid())
                    dtFecha_->setDate(g->fecha);
                txtCurso_->setText(g->curso);
                txtDescripcion_->setText(g->descripcion);
                comboResponsable_->setCurrentText(g->responsable);
            }
        }
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(
            this, QStringLiteral("Error de la base de datos:\n\n%1").arg(e.texto()),
            Dialogos::Icono::Critico);
    }
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
    const DatosGrupo datos{dtFecha_->date(), txtCurso_->text(), txtDescripcion_->text(),
                           comboResponsable_->currentText()};
    try {
        codigoGuardado_ =
            grupos::guardarGrupo(de1_, modificar_ ? codigoGrupo_ : std::nullopt, datos);
    } catch (const ErrorBD& e) {
        Dialogos::actual().mensaje(
            this, QStringLiteral("No se pudo guardar el grupo.\n\n%1").arg(e.texto()),
            Dialogos::Icono::Critico);
        return;
    }
    accept();
}
