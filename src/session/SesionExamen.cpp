#include "session/SesionExamen.h"

#include "app/Texto.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Receptor.h"

SesionExamen::SesionExamen(De1& de1, Reloj& reloj, QObject* padre)
    : QObject(padre), de1_(de1), espera_(reloj) {
    connect(&espera_, &EsperaPregunta::terminada, this, &SesionExamen::alTerminarEspera);
}

QString SesionExamen::iniciar(qint32 examen, const QList<qint32>& personas) {
    if (estado_ != Estado::Lista)
        return QString();
    // A report carries 54 keypad positions; more examinees would silently get no answers.
    if (personas.size() > Receptor::kPosiciones)
        return QStringLiteral("El grupo tiene %1 evaluados y el receptor atiende como máximo %2 "
                              "controles.\nDivida el grupo para tomar el examen.")
            .arg(personas.size())
            .arg(Receptor::kPosiciones);
    preguntas_ = CargarPreguntas(de1_, examen);
    examen_ = examen;
    personas_ = personas;
    matriz_.reconstruir(int(personas_.size()), int(preguntas_.size()));
    teclas_ = 0;
    actual_ = -1;
    if (preguntas_.isEmpty()) {
        estado_ = Estado::Terminada;
        Q_EMIT examenTerminado();
        return QString();
    }
    estado_ = Estado::EnPregunta;
    mostrar(0);
    return QString();
}

void SesionExamen::mostrar(int pregunta) {
    actual_ = pregunta;
    Q_EMIT preguntaMostrada(pregunta);
    if (estado_ == Estado::EnPregunta)
        espera_.iniciar(preguntas_.at(pregunta).limite);
}

void SesionExamen::alTerminarEspera() {
    if (estado_ != Estado::EnPregunta)
        return;
    Q_EMIT preguntaTerminada(actual_);
    if (estado_ != Estado::EnPregunta)
        return;
    if (actual_ + 1 < preguntas_.size()) {
        mostrar(actual_ + 1);
        return;
    }
    estado_ = Estado::Terminada;
    Q_EMIT examenTerminado();
}

void SesionExamen::espacio() {
    if (estado_ == Estado::EnPregunta)
        espera_.pulsarEspacio();
}

void SesionExamen::terminarPregunta() {
    if (estado_ == Estado::EnPregunta)
        espera_.concluir();
}

void SesionExamen::recibirReporte(const QByteArray& reporte) {
    if (estado_ != Estado::EnPregunta || actual_ < 0)
        return;
    const QList<std::pair<int, char>> teclas =
        decodificarRespuestas(reporte, int(personas_.size()));
    for (const auto& [posicion, byte] : teclas) {
        // The key is kept as the character it stands for in the configuration file's code page.
        const QChar tecla = texto::desdeWindows1252(QByteArray(1, byte)).at(0);
        if (matriz_.fijar(posicion, actual_, tecla))
            ++teclas_;
        Q_EMIT teclaRecibida(posicion, actual_, tecla);
    }
}

void SesionExamen::cancelar() {
    espera_.detener();
    estado_ = Estado::Cancelada;
}
