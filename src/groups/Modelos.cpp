#include "groups/Modelos.h"

#include "data/De1.h"

#include <QLocale>
#include <QPainter>
#include <QPixmap>

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

ModeloGrupos::ModeloGrupos(QObject* padre)
    : ModeloFilas({QString(), QStringLiteral("Curso"), QStringLiteral("Fecha"),
                   QStringLiteral("Descripción"), QStringLiteral("Responsable")},
                  &iconos::grupo, padre) {}

QList<int> ModeloGrupos::buscar(const QString& buscado, Campo campo) const {
    QList<int> encontradas;
    for (int i = 0; i < filas_.size(); ++i) {
        const Grupo& g = filas_.at(i);
        if ((campo == Campo::Curso ? g.curso : g.descripcion)
                .contains(buscado, Qt::CaseInsensitive))
            encontradas << i;
    }
    return encontradas;
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
    : ModeloPersonas(padre), de1_(de1) {}

QList<PersonaListada> ModeloPersonasFiltrado::lote(qint32 desde) const {
    return RepositorioPersonas(de1_).buscar(campo_, texto_, desde, kLote);
}

void ModeloPersonasFiltrado::filtrar(CampoPersona campo, const QString& texto, bool releer) {
    // A longer text (the usual keystroke) can only narrow a list that is already
    // complete: narrow it here instead of scanning the table again.
    const bool acota = !releer && !hayMas_ && campo == campo_ && !texto_.trimmed().isEmpty() &&
                       !texto.trimmed().isEmpty() && texto.contains(texto_, Qt::CaseInsensitive);
    campo_ = campo;
    texto_ = texto;
    if (acota) {
        QList<PersonaListada> quedan;
        for (const PersonaListada& f : std::as_const(filas_))
            if ((campo == CampoPersona::Nombre ? f.nombre : f.documento)
                    .contains(texto, Qt::CaseInsensitive))
                quedan.push_back(f);
        fijar(std::move(quedan));
        return;
    }
    QList<PersonaListada> primeras;
    try {
        primeras = lote(0);
    } catch (...) {
        hayMas_ = false;
        fijar({});
        throw;
    }
    hayMas_ = primeras.size() == kLote;
    fijar(std::move(primeras));
}

void ModeloPersonasFiltrado::cargarTodo() {
    while (canFetchMore({}))
        fetchMore({});
}

bool ModeloPersonasFiltrado::canFetchMore(const QModelIndex& padre) const {
    return !padre.isValid() && hayMas_;
}

void ModeloPersonasFiltrado::fetchMore(const QModelIndex& padre) {
    if (padre.isValid() || !hayMas_)
        return;
    QList<PersonaListada> mas;
    try {
        mas = lote(filas_.isEmpty() ? 0 : filas_.constLast().codigo);
    } catch (const ErrorBD& e) {
        hayMas_ = false;
        Q_EMIT errorBD(e);
        return;
    }
    hayMas_ = mas.size() == kLote;
    if (mas.isEmpty())
        return;
    const int n = int(filas_.size());
    beginInsertRows({}, n, n + int(mas.size()) - 1);
    filas_.append(mas);
    endInsertRows();
}
