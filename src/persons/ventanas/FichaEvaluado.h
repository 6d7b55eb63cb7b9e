#pragma once
// An examinee's card: his photograph large, his name and his document, so the
// operator can tell the person in front of him is the one on the roster.

#include <QCache>
#include <QDateTime>
#include <QFrame>
#include <QPixmap>
#include <QSize>
#include <optional>

class QLabel;

class FichaEvaluado : public QFrame {
    Q_OBJECT
public:
    static inline const QString kSinFoto = QStringLiteral("Sin fotografía");
    static constexpr QSize kTamanoFoto{240, 300};

    explicit FichaEvaluado(QWidget* padre = nullptr, QSize tamanoFoto = kTamanoFoto);

    // Reads the photograph from the image store, or reuses the one read before
    // while its file is unchanged.
    void mostrar(qint64 codigoPersona, const QString& nombre, const QString& documento);
    void limpiar();

    std::optional<qint64> persona() const { return persona_; }
    bool conFoto() const { return conFoto_; }

private:
    // The photograph fitted to the box; null when there is none or it cannot be read.
    QPixmap foto(qint64 codigoPersona);

    struct Guardada {
        QPixmap foto;
        QDateTime modificada;
        qint64 bytes = -1;
    };

    QSize tamanoFoto_;
    std::optional<qint64> persona_;
    bool conFoto_ = false;
    // A group's few dozen cards are read once each while the operator walks the list.
    QCache<qint64, Guardada> guardadas_{64};

    QLabel* imgFoto_ = nullptr;
    QLabel* lblNombre_ = nullptr;
    QLabel* lblDocumento_ = nullptr;
};
