#include "session/SesionExamen.h"

#include "app/Texto.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/Receptor.h"
#include "session/DiarioSesion.h"

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

QString SesionExamen::reanudar(const LecturaDiario& lectura) {
    if (estado_ != Estado::Lista)
        return QString();
    const QList<qint32>& personas = lectura.identidad.personas;
    if (personas.size() > Receptor::kPosiciones)
        return QStringLiteral("El diario del examen tiene %1 evaluados y el receptor atiende "
                              "como máximo %2 controles.")
            .arg(personas.size())
            .arg(Receptor::kPosiciones);
    preguntas_ = CargarPreguntas(de1_, lectura.identidad.examen);
    if (preguntas_.isEmpty())
        return QStringLiteral("El examen de la sesión interrumpida ya no existe o no tiene "
                              "preguntas: no se puede reanudar.");
    examen_ = lectura.identidad.examen;
    personas_ = personas;
    teclas_ = 0;
    matriz_ = matrizDelDiario(lectura, int(preguntas_.size()), &teclas_);
    actual_ = -1;
    const int desde = lectura.preguntaReanudar();
    if (desde >= preguntas_.size()) {
        estado_ = Estado::Terminada;
        Q_EMIT examenTerminado();
        return QString();
    }
    estado_ = Estado::EnPregunta;
    mostrar(desde);
    return QString();
}

MatrizRespuestas SesionExamen::matrizDelDiario(const LecturaDiario& lectura, int preguntas,
                                               qint64* teclas) {
    const int evaluados = int(lectura.identidad.personas.size());
    MatrizRespuestas matriz(evaluados, preguntas);
    for (const ReporteDiario& r : lectura.reportes)
        if (r.pregunta >= 0 && r.pregunta < preguntas)
            aplicar(matriz, evaluados, r.pregunta, r.reporte, teclas);
    return matriz;
}

QList<std::pair<int, char>> SesionExamen::aplicar(MatrizRespuestas& matriz, int evaluados,
                                                  int pregunta, const QByteArray& reporte,
                                                  qint64* teclas) {
    QList<std::pair<int, char>> recibidas = decodificarRespuestas(reporte, evaluados);
    for (const auto& [posicion, byte] : recibidas) {
        // The key is kept as the character it stands for in the configuration file's code page.
        const QChar tecla = texto::desdeWindows1252(QByteArray(1, byte)).at(0);
        if (matriz.fijar(posicion, pregunta, tecla) && teclas)
            ++*teclas;
    }
    return recibidas;
}

void SesionExamen::mostrar(int pregunta) {
    actual_ = pregunta;
    if (diario_)
        diario_->preguntaMostrada(pregunta);
    Q_EMIT preguntaMostrada(pregunta);
    if (estado_ == Estado::EnPregunta)
        espera_.iniciar(preguntas_.at(pregunta).limite);
}

void SesionExamen::alTerminarEspera() {
    if (estado_ != Estado::EnPregunta)
        return;
    if (diario_)
        diario_->preguntaTerminada(actual_);
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
    // Journaled first: a key applied but not journaled would be lost by a crash.
    if (diario_)
        diario_->reporte(actual_, reporte);
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
