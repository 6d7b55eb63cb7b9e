#pragma once
// Reads an exam into the editor's state and stores the state back: the exam row,
// its questions in list order with their pictures, their answers, and the removals.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

class De1;
class EdicionExamen;

// A theory test as the main window lists it.
struct ExamenListado {
    qint32 codigo = 0;
    QString descripcion;
};

class RepositorioExamenes {
public:
    explicit RepositorioExamenes(De1& de1) : de1_(de1) {}

    // The theory tests (TipoExamen "T"), in the catalog's order. Throws ErrorBD.
    QList<ExamenListado> tests();
    // The exam's description, empty when there is no such exam. Throws ErrorBD.
    QString descripcion(qint32 codigoExamen);

    // Fills an empty state with the exam, its questions by Orden and their
    // answers by Orden. False when there is no such exam (the state stays empty).
    bool cargar(qint32 codigoExamen, EdicionExamen& edicion);

    enum class Estado { Guardado, DescripcionDuplicada };
    struct Resultado {
        Estado estado = Estado::Guardado;
        qint32 codigoExamen = 0;
    };

    // Stores everything in one transaction. Without a code a new exam is added,
    // numbered after the greatest code; with one, that exam is rewritten. A
    // description that another exam has exactly stores nothing. Database
    // failures throw ErrorBD after undoing what was written.
    Resultado guardar(const EdicionExamen& edicion, std::optional<qint32> codigoExamen);

    // The bytes stored for a question's picture: a Windows bitmap of the square.
    static QByteArray bytesFoto(const QImage& foto);

private:
    bool descripcionEnUso(const QString& descripcion, std::optional<qint32> excepto);
    qint32 codigoNuevo();

    De1& de1_;
};
