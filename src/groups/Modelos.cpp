#include "groups/Modelos.h"

#include "data/De1.h"
#include "groups/RepositorioGrupos.h"

#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <limits>

namespace iconos {

namespace {
QIcon dibujar(bool grupo) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    auto persona = [&g](qreal x, const QColor& c) {
        g.setBrush(c);
        g.drawEllipse(QPointF(x, 4.5), 3, 3);
        g.drawRoundedRect(QRectF(x - 4.5, 8.5, 9, 7), 3, 3);
    };
    if (grupo) {
        persona(5, QColor(0x6f, 0x8f, 0xc8));
        persona(11, QColor(0x2f, 0x5f, 0xa8));
    } else {
        persona(8, QColor(0x3f, 0x8f, 0x4f));
    }
    return QIcon(p);
}
} // namespace

QIcon grupo() {
    static const QIcon i = dibujar(true);
    return i;
}
QIcon evaluado() {
    static const QIcon i = dibujar(false);
    return i;
}

} // namespace iconos

ModeloGrupos::ModeloGrupos(De1& de1, QObject* padre)
    : ModeloFilas({QString(), QStringLiteral("Curso"), QStringLiteral("Fecha"),
                   QStringLiteral("Descripción"), QStringLiteral("Responsable")},
                  &iconos::grupo, padre),
      de1_(de1) {}

void ModeloGrupos::cargar() {
    QList<Grupo> primeros;
    try {
        primeros = RepositorioGrupos(de1_).grupos(std::numeric_limits<qint32>::max(), kLote);
    } catch (...) {
        hayMas_ = false;
        fijar({});
        Q_EMIT cuentaCambiada();
        throw;
    }
    hayMas_ = primeros.size() == kLote;
    fijar(std::move(primeros));
    Q_EMIT cuentaCambiada();
}

qint32 ModeloGrupos::ultimo() const {
    return filas_.isEmpty() ? std::numeric_limits<qint32>::max() : filas_.constLast().codigo;
}

void ModeloGrupos::agregar(QList<Grupo> mas) {
    if (mas.isEmpty())
        return;
    const int n = int(filas_.size());
    beginInsertRows({}, n, n + int(mas.size()) - 1);
    filas_.append(std::move(mas));
    endInsertRows();
}

int ModeloGrupos::cargarHasta(qint32 codigo) {
    if (hayMas_ && codigo < ultimo()) {
        // One query for the whole gap, then the list goes on in batches below it.
        agregar(RepositorioGrupos(de1_).grupos(ultimo(), 0, codigo));
        QList<Grupo> mas = RepositorioGrupos(de1_).grupos(ultimo(), kLote);
        hayMas_ = mas.size() == kLote;
        agregar(std::move(mas));
        Q_EMIT cuentaCambiada();
    }
    for (int i = 0; i < filas_.size(); ++i)
        if (filas_.at(i).codigo == codigo)
            return i;
    return -1;
}

void ModeloGrupos::leerMas() {
    if (!hayMas_)
        return;
    QList<Grupo> mas;
    try {
        mas = RepositorioGrupos(de1_).grupos(ultimo(), kLote);
    } catch (const ErrorBD& e) {
        hayMas_ = false;
        Q_EMIT cuentaCambiada();
        Q_EMIT errorBD(e);
        return;
    }
    hayMas_ = mas.size() == kLote;
    agregar(std::move(mas));
    Q_EMIT cuentaCambiada();
}

QString ModeloGrupos::resumen() const {
    const int n = int(filas_.size());
    if (hayMas_)
        return QStringLiteral("Más de %1 grupos").arg(n);
    return n == 1 ? QStringLiteral("1 grupo") : QStringLiteral("%1 grupos").arg(n);
}

QString ModeloGrupos::texto(const Grupo& f, int columna) const {
    switch (columna) {
    case 1:
        return f.curso;
    case 2:
        // The program's locale, Spanish on any workstation (set at start-up).
        return f.fecha.isValid() ? QLocale().toString(f.fecha, QLocale::ShortFormat) : QString();
    case 3:
        return f.descripcion;
    case 4:
        return f.responsable;
    }
    return QString();
}

ModeloEvaluados::ModeloEvaluados(QObject* padre)
    : ModeloFilas({QString(), QStringLiteral("Nombre"), QStringLiteral("Documento"),
                   QStringLiteral("Control")},
                  &iconos::evaluado, padre) {}

QString ModeloEvaluados::texto(const Evaluado& f, int columna) const {
    switch (columna) {
    case 1:
        return f.nombre;
    case 2:
        return f.documento;
    case 3:
        return textoControl(f.remoto);
    }
    return QString();
}

ModeloTests::ModeloTests(QObject* padre) : ModeloFilas({QString()}, &iconos::grupo, padre) {}

ModeloPersonas::ModeloPersonas(QObject* padre)
    : ModeloFilas({QStringLiteral("Nombre"), QStringLiteral("Documento")}, &iconos::evaluado,
                  padre) {}

void ModeloPersonas::agregar(const PersonaListada& fila) {
    const int n = int(filas_.size());
    beginInsertRows({}, n, n);
    filas_.push_back(fila);
    endInsertRows();
}
void ModeloPersonas::quitar(int fila) {
    if (fila < 0 || fila >= filas_.size())
        return;
    beginRemoveRows({}, fila, fila);
    filas_.removeAt(fila);
    endRemoveRows();
}
int ModeloPersonas::buscar(qint32 codigo) const {
    for (int i = 0; i < filas_.size(); ++i)
        if (filas_.at(i).codigo == codigo)
            return i;
    return -1;
}

// --- filtered persons

ModeloPersonasFiltrado::ModeloPersonasFiltrado(De1& de1, QObject* padre)
    : ModeloPersonas(padre), de1_(de1) {
    // A short text may leave a batch without matches: the next part of the table
    // is read in a later turn of the event loop, so typing never waits for it.
    continuar_.setSingleShot(true);
    continuar_.setInterval(0);
    connect(&continuar_, &QTimer::timeout, this, &ModeloPersonasFiltrado::leerMas);
}

RepositorioPersonas::Lote ModeloPersonasFiltrado::lote() const {
    return RepositorioPersonas(de1_).buscar(campo_, texto_, desde_, kLote);
}

void ModeloPersonasFiltrado::filtrar(CampoPersona campo, const QString& texto, bool releer) {
    // A longer text (the usual keystroke) can only narrow a list that is already
    // complete: narrow it here instead of reading the table again.
    const bool acota = !releer && !hayMas_ && campo == campo_ && !texto_.trimmed().isEmpty() &&
                       !texto.trimmed().isEmpty() && texto.contains(texto_, Qt::CaseInsensitive);
    campo_ = campo;
    texto_ = texto;
    continuar_.stop();
    if (acota) {
        QList<PersonaListada> quedan;
        for (const PersonaListada& f : std::as_const(filas_))
            if ((campo == CampoPersona::Nombre ? f.nombre : f.documento)
                    .contains(texto, Qt::CaseInsensitive))
                quedan.push_back(f);
        fijar(std::move(quedan));
        Q_EMIT cuentaCambiada();
        return;
    }
    desde_ = 0;
    objetivo_ = kLote;
    RepositorioPersonas::Lote primeras;
    try {
        primeras = lote();
    } catch (...) {
        hayMas_ = false;
        fijar({});
        Q_EMIT cuentaCambiada();
        throw;
    }
    hayMas_ = !primeras.fin;
    desde_ = primeras.hasta;
    fijar(std::move(primeras.filas));
    seguirSiFalta();
    Q_EMIT cuentaCambiada();
}

void ModeloPersonasFiltrado::seguirSiFalta() {
    if (hayMas_ && filas_.size() < objetivo_)
        continuar_.start();
}

bool ModeloPersonasFiltrado::buscando() const {
    return continuar_.isActive();
}

QString ModeloPersonasFiltrado::resumen() const {
    const int n = int(filas_.size());
    if (!hayMas_)
        return n == 1 ? QStringLiteral("1 persona") : QStringLiteral("%1 personas").arg(n);
    if (n == 0)
        return QStringLiteral("Buscando…");
    return QStringLiteral("Más de %1 personas").arg(n);
}

void ModeloPersonasFiltrado::cargarTodo() {
    while (hayMas_)
        leerMas();
}

void ModeloPersonasFiltrado::pedirMas() {
    // Already reading on towards the rows asked for: nothing to add.
    if (!hayMas_ || continuar_.isActive())
        return;
    objetivo_ = int(filas_.size()) + kLote;
    leerMas();
}

void ModeloPersonasFiltrado::leerMas() {
    continuar_.stop();
    RepositorioPersonas::Lote mas;
    try {
        mas = lote();
    } catch (const ErrorBD& e) {
        hayMas_ = false;
        Q_EMIT cuentaCambiada();
        Q_EMIT errorBD(e);
        return;
    }
    hayMas_ = !mas.fin;
    desde_ = mas.hasta;
    if (!mas.filas.isEmpty()) {
        const int n = int(filas_.size());
        beginInsertRows({}, n, n + int(mas.filas.size()) - 1);
        filas_.append(mas.filas);
        endInsertRows();
    }
    seguirSiFalta();
    Q_EMIT cuentaCambiada();
}
