#include "session/ventanas/FrmOpcionesSala.h"

#include "app/Claves.h"
#include "app/Ini.h"
#include "app/Rutas.h"
#include "app/ventanas/Accesibles.h"
#include "app/ventanas/Dialogos.h"
#include "data/Configuracion.h"
#include "data/De1.h"
#include "data/ventanas/ErroresBD.h"
#include "session/ventanas/NombresFrmOpcionesSala.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace n = nombres::frmOpcionesSala;

namespace {

QString marca(bool si) {
    return si ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

FrmOpcionesSala::FrmOpcionesSala(De1& de1, const QString& motivoSinVoz, QWidget* parent)
    : QDialog(parent), de1_(de1), conVoz_(motivoSinVoz.isEmpty()) {
    setObjectName(n::kVentana);
    setWindowTitle(QStringLiteral("Opciones de sala"));
    auto* raiz = new QVBoxLayout(this);
    auto* formulario = new QFormLayout;

    comboPantalla_ = new QComboBox(this);
    comboPantalla_->setObjectName(n::kPantalla);
    auto* lblPantalla = new QLabel(QStringLiteral("&Pantalla del proyector:"), this);
    rotular(lblPantalla, comboPantalla_);
    formulario->addRow(lblPantalla, comboPantalla_);
    raiz->addLayout(formulario);

    auto* grupo = new QLabel(QStringLiteral("Opciones de la oficina (todas las salas):"), this);
    raiz->addWidget(grupo);
    chkSiguiente_ = new QCheckBox(
        QStringLiteral("Permitir «&Siguiente pregunta» cuando todos respondieron"), this);
    chkSiguiente_->setObjectName(n::kSiguiente);
    raiz->addWidget(chkSiguiente_);

    auto* filaVoz = new QHBoxLayout;
    chkLeer_ = new QCheckBox(QStringLiteral("&Leer las preguntas en voz alta"), this);
    chkLeer_->setObjectName(n::kLeer);
    filaVoz->addWidget(chkLeer_);
    if (!conVoz_) {
        chkLeer_->setEnabled(false);
        auto* sinVoz = new QLabel(motivoSinVoz, this);
        sinVoz->setObjectName(n::kSinVoz);
        sinVoz->setWordWrap(true);
        chkLeer_->setAccessibleDescription(motivoSinVoz);
        filaVoz->addWidget(sinVoz, 1);
    }
    raiz->addLayout(filaVoz);

    auto* botones = new QHBoxLayout;
    auto* aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    aceptar->setObjectName(n::kAceptar);
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancelar->setObjectName(n::kCancelar);
    botones->addStretch(1);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    raiz->addLayout(botones);
    connect(aceptar, &QPushButton::clicked, this, &FrmOpcionesSala::accept);
    connect(cancelar, &QPushButton::clicked, this, &FrmOpcionesSala::reject);

    cargar();
}

void FrmOpcionesSala::cargar() {
    const QString elegida = LeerIni(claves::kPantallaProyector);
    comboPantalla_->addItem(QStringLiteral("Automática (la que no es la principal)"), QString());
    bool hallada = elegida.isEmpty();
    for (const QScreen* s : QGuiApplication::screens()) {
        const QSize t = s->geometry().size();
        comboPantalla_->addItem(QStringLiteral("%1 (%2 × %3)%4")
                                    .arg(s->name())
                                    .arg(t.width())
                                    .arg(t.height())
                                    .arg(s == QGuiApplication::primaryScreen()
                                             ? QStringLiteral(", principal")
                                             : QString()),
                                s->name());
        hallada = hallada || s->name() == elegida;
    }
    // A projector unplugged today stays chosen until the operator picks another.
    if (!hallada)
        comboPantalla_->addItem(QStringLiteral("%1 (no conectada)").arg(elegida), elegida);
    comboPantalla_->setCurrentIndex(std::max(0, comboPantalla_->findData(elegida)));

    chkSiguiente_->setChecked(LeerConfiguracion(de1_, ajustes::kSiguientePregunta) ==
                              QStringLiteral("1"));
    chkLeer_->setChecked(conVoz_ &&
                         LeerConfiguracion(de1_, ajustes::kLeerPreguntas) == QStringLiteral("1"));
}

void FrmOpcionesSala::accept() {
    const bool guardadas =
        intentarBD(this, QStringLiteral("No se pudieron guardar las opciones de la oficina."), [&] {
            Transaccion t(de1_);
            GuardarConfiguracion(de1_, ajustes::kSiguientePregunta,
                                 marca(chkSiguiente_->isChecked()));
            // Without a voice here the office's choice, made elsewhere, stays as it is.
            if (conVoz_)
                GuardarConfiguracion(de1_, ajustes::kLeerPreguntas, marca(chkLeer_->isChecked()));
            t.confirmar();
        });
    if (!guardadas)
        return;
    if (!EscribirIni(claves::kPantallaProyector, comboPantalla_->currentData().toString())) {
        Dialogos::actual().mensaje(
            this,
            QStringLiteral("No se pudo guardar la pantalla del proyector en el archivo de "
                           "configuración:\n%1")
                .arg(rutas::local(rutas::archivoConfiguracion())),
            Dialogos::Icono::Exclamacion);
        return;
    }
    QDialog::accept();
}
