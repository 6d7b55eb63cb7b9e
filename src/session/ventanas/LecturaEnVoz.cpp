#include "session/ventanas/LecturaEnVoz.h"

#include "app/Claves.h"
#include "app/Texto.h"
#include "data/Configuracion.h"
#include "session/LecturaPregunta.h"
#include "session/SesionExamen.h"
#include "session/ventanas/Lector.h"

#include <QDebug>
#include <QTimer>

LecturaEnVoz::LecturaEnVoz(SesionExamen& sesion, De1& de1, QObject* padre)
    : QObject(padre), sesion_(sesion),
      alMostrar_(texto::Val(LeerConfiguracion(de1, ajustes::kLeerPreguntas)) != 0) {
    connect(&sesion_, &SesionExamen::preguntaMostrada, this, [this](int pregunta) {
        enPantalla_ = pregunta;
        if (alMostrar_)
            leer(pregunta);
    });
    connect(&sesion_, &SesionExamen::preguntaTerminada, this, [this] {
        enPantalla_ = -1;
        if (lector_)
            lector_->detener();
    });
    // Started once the window runs, so a reader given before that is the one started.
    if (alMostrar_)
        QTimer::singleShot(0, this, [this] { lector().motivoNoDisponible(); });
}

LecturaEnVoz::~LecturaEnVoz() = default;

void LecturaEnVoz::leerOpcion(De1& de1) {
    alMostrar_ = texto::Val(LeerConfiguracion(de1, ajustes::kLeerPreguntas)) != 0;
}

void LecturaEnVoz::usarLector(std::unique_ptr<Lector> lector) {
    lector_ = std::move(lector);
    connect(lector_.get(), &Lector::fallo, this,
            [](const QString& motivo) { qWarning().noquote() << motivo; });
}

Lector& LecturaEnVoz::lector() {
    if (!lector_)
        usarLector(crearLector());
    return *lector_;
}

void LecturaEnVoz::releer() {
    if (enPantalla_ >= 0 && sesion_.estado() == SesionExamen::Estado::EnPregunta)
        leer(enPantalla_);
}

void LecturaEnVoz::leer(int pregunta) {
    if (pregunta < sesion_.preguntas().size())
        lector().leer(textoParaLeer(pregunta + 1, sesion_.preguntas().at(pregunta)));
}
