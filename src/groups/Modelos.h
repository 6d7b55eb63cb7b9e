#pragma once
// Item models of the groups windows. The lists hold thousands of rows, so they
// are plain vectors behind a model; the persons list fetches in batches.

#include "data/ErrorBD.h"
#include "exams/RepositorioExamenes.h"
#include "groups/Grupo.h"
#include "persons/RepositorioPersonas.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QTimer>

class De1;

namespace iconos {
QIcon grupo();
QIcon evaluado();
} // namespace iconos

// The code each kind of row carries in its tag.
inline qint32 codigoFila(const Grupo& f) {
    return f.codigo;
}
inline qint32 codigoFila(const Evaluado& f) {
    return f.codigoPersona;
}
inline qint32 codigoFila(const ExamenListado& f) {
    return f.codigo;
}
inline qint32 codigoFila(const PersonaListada& f) {
    return f.codigo;
}

// Rows of one kind behind a table: the row's code under Qt::UserRole, an icon in
// the first column, fixed headers; each list says only what its columns show.
template <typename Fila> class ModeloFilas : public QAbstractTableModel {
public:
    ModeloFilas(QStringList encabezados, QIcon (*icono)(), QObject* padre)
        : QAbstractTableModel(padre), encabezados_(std::move(encabezados)), icono_(icono) {}

    void fijar(QList<Fila> filas) {
        beginResetModel();
        filas_ = std::move(filas);
        endResetModel();
    }
    const QList<Fila>& filas() const { return filas_; }

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : int(filas_.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : int(encabezados_.size());
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() < 0 || i.row() >= filas_.size())
            return {};
        const Fila& f = filas_.at(i.row());
        if (rol == Qt::DecorationRole && i.column() == 0)
            return icono_();
        if (rol == Qt::UserRole)
            return codigoFila(f);
        if (rol == Qt::DisplayRole || rol == Qt::AccessibleTextRole)
            return texto(f, i.column());
        // A column too narrow for its text elides it; the tip shows it whole.
        if (rol == Qt::ToolTipRole && i.column() < encabezados_.size()) {
            const QString t = texto(f, i.column());
            return t.isEmpty() ? QVariant() : QVariant(t);
        }
        return {};
    }
    QVariant headerData(int s, Qt::Orientation o, int rol) const override {
        if (o == Qt::Horizontal && rol == Qt::DisplayRole && s >= 0 && s < encabezados_.size())
            return encabezados_.at(s);
        return {};
    }

protected:
    virtual QString texto(const Fila& fila, int columna) const = 0;
    QList<Fila> filas_;

private:
    QStringList encabezados_;
    QIcon (*icono_)();
};

// Main window's groups, newest first: an icon column, then "Curso", "Fecha", "Descripción",
// "Responsable". Rows come in batches of kLote as the list scrolls.
class ModeloGrupos : public ModeloFilas<Grupo> {
    Q_OBJECT
public:
    static constexpr int kLote = 200;
    explicit ModeloGrupos(De1& de1, QObject* padre = nullptr);
    // Refills from the first batch. Throws ErrorBD.
    void cargar();
    // Reads on down to the group of that code; its row, or -1 when it is not
    // listed. Throws ErrorBD.
    int cargarHasta(qint32 codigo);
    bool hayMas() const { return hayMas_; }
    // The next batch. A failure is told through errorBD.
    void leerMas();
    // The count as the window shows it: exact once every group is listed.
    QString resumen() const;

Q_SIGNALS:
    void errorBD(const ErrorBD& error);
    void cuentaCambiada();

protected:
    QString texto(const Grupo& f, int columna) const override;

private:
    void agregar(QList<Grupo> mas);
    qint32 ultimo() const;

    De1& de1_;
    bool hayMas_ = false;
};

// Main window's roster: an icon column, then "Nombre", "Documento", "Control".
class ModeloEvaluados : public ModeloFilas<Evaluado> {
public:
    explicit ModeloEvaluados(QObject* padre = nullptr);

protected:
    QString texto(const Evaluado& f, int columna) const override;
};

// Main window's tests: one column, the exam's description.
class ModeloTests : public ModeloFilas<ExamenListado> {
public:
    explicit ModeloTests(QObject* padre = nullptr);

protected:
    QString texto(const ExamenListado& f, int /*columna*/) const override { return f.descripcion; }
};

// Persons as the roster editor lists them: "Nombre" (with the icon), "Documento".
class ModeloPersonas : public ModeloFilas<PersonaListada> {
    Q_OBJECT
public:
    explicit ModeloPersonas(QObject* padre = nullptr);
    void agregar(const PersonaListada& fila);
    void quitar(int fila);
    // The row of that person, or -1.
    int buscar(qint32 codigo) const;

protected:
    QString texto(const PersonaListada& f, int columna) const override {
        return columna == 0 ? f.nombre : f.documento;
    }
};

// Every person whose name or document contains the filter text, in code order. Rows come in batches
// of kLote as the list scrolls, each batch its own short query over a bounded part of the table, so
// a keystroke costs one small query whatever the number of persons and no statement stays open
// between batches. A batch that found too few rows (a short text tried part by part) is followed by
// the next part in a later turn of the event loop until the first kLote rows are there.
class ModeloPersonasFiltrado : public ModeloPersonas {
    Q_OBJECT
public:
    static constexpr int kLote = 200;
    explicit ModeloPersonasFiltrado(De1& de1, QObject* padre = nullptr);
    // Refills from the first batch; an empty or blank text lists everyone. With
    // `releer` the table is read again even when the text only narrowed. Throws ErrorBD.
    void filtrar(CampoPersona campo, const QString& texto, bool releer = false);
    // Reads the rest of the matches (what scrolling would read).
    void cargarTodo();
    // Whether matches past the last row may remain.
    bool hayMas() const { return hayMas_; }
    // The next kLote matches (the list scrolled near its end). A failure is
    // told through errorBD.
    void pedirMas();
    // Whether a part of the table is still to be read for the rows asked for.
    bool buscando() const;
    // The count as the window shows it: exact once every match is listed.
    QString resumen() const;

Q_SIGNALS:
    // A later batch failed (the view asked for it, nobody could catch it).
    void errorBD(const ErrorBD& error);
    // The rows or what is known of their number changed.
    void cuentaCambiada();

private:
    RepositorioPersonas::Lote lote() const;
    void leerMas();
    void seguirSiFalta();

    De1& de1_;
    CampoPersona campo_ = CampoPersona::Documento;
    QString texto_;
    qint32 desde_ = 0;
    int objetivo_ = kLote;
    bool hayMas_ = false;
    QTimer continuar_;
};
