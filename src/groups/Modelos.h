#pragma once
// Item models of the groups windows. The lists hold thousands of rows, so they
// are plain vectors behind a model; the persons list fetches in batches.

#include "groups/DatosGrupos.h"

#include <QAbstractTableModel>
#include <QIcon>

class De1;

namespace iconos {
QIcon grupo();
QIcon evaluado();
} // namespace iconos

// Rows of one kind behind a table: the row's code under Qt::UserRole, an icon in
// the first column, fixed headers; each list says only what its columns show.
template <typename Fila> class ModeloFilas : public QAbstractTableModel {
public:
    ModeloFilas(QStringList encabezados, QIcon (*icono)(), QObject* padre)
        : QAbstractTableModel(padre), encabezados_(std::move(encabezados)), icono_(icono) {}

    void fijar(QVector<Fila> filas) {
        beginResetModel();
        filas_ = std::move(filas);
        endResetModel();
    }
    const QVector<Fila>& filas() const { return filas_; }

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
            return f.codigo;
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
    QVector<Fila> filas_;

private:
    QStringList encabezados_;
    QIcon (*icono_)();
};

// Main window's groups: an icon column, then "Curso", "Fecha", "Descripción", "Responsable".
class ModeloGrupos : public ModeloFilas<FilaGrupo> {
public:
    explicit ModeloGrupos(QObject* padre = nullptr);

protected:
    QString texto(const FilaGrupo& f, int columna) const override;
};

// Main window's roster: an icon column, then "Nombre", "Documento", "Control".
class ModeloEvaluados : public ModeloFilas<FilaEvaluado> {
public:
    explicit ModeloEvaluados(QObject* padre = nullptr);

protected:
    QString texto(const FilaEvaluado& f, int columna) const override;
};

// Main window's tests: one column, the exam's description.
class ModeloTests : public ModeloFilas<FilaTest> {
public:
    explicit ModeloTests(QObject* padre = nullptr);

protected:
    QString texto(const FilaTest& f, int) const override { return f.descripcion; }
};

// Persons as the roster editor lists them: "Nombre" (with the icon), "Documento".
class ModeloPersonas : public ModeloFilas<FilaPersona> {
    Q_OBJECT
public:
    explicit ModeloPersonas(QObject* padre = nullptr);
    void agregar(const FilaPersona& fila);
    void quitar(int fila);
    // The row of that person, or -1.
    int buscar(qint32 codigo) const;

protected:
    QString texto(const FilaPersona& f, int columna) const override {
        return columna == 0 ? f.nombre : f.documento;
    }
};

// Every person whose name (campo 0) or document (campo 1) contains the filter
// text, in code order. Rows come in batches of kLote as the view scrolls, each
// batch its own short query, so a keystroke costs one small query whatever the
// number of matches and no statement stays open between batches.
class ModeloPersonasFiltrado : public ModeloPersonas {
    Q_OBJECT
public:
    static constexpr int kLote = 200;
    explicit ModeloPersonasFiltrado(De1& de1, QObject* padre = nullptr);
    // Refills from the first batch; an empty or blank text lists everyone. With
    // `releer` the table is read again even when the text only narrowed. Throws ErrorBD.
    void filtrar(int campo, const QString& texto, bool releer = false);
    // Reads the rest of the matches (what the view would fetch by scrolling).
    void cargarTodo();
    bool canFetchMore(const QModelIndex& padre) const override;
    void fetchMore(const QModelIndex& padre) override;

Q_SIGNALS:
    // A later batch failed (the view asked for it, nobody could catch it).
    void errorBD(const QString& texto);

private:
    QVector<FilaPersona> lote(qint32 desde) const;

    De1& de1_;
    int campo_ = 1;
    QString texto_;
    bool hayMas_ = false;
};
