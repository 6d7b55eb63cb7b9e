#pragma once
// The group editor: a new group or the selected one.

#include "app/ModoEdicion.h"

#include <QDialog>
#include <optional>

class De1;
class QComboBox;
class QDateEdit;
class QLineEdit;

class FrmNMGrupo : public QDialog {
    Q_OBJECT
public:
    // codigoGrupo: the main window's selected group, read when modifying;
    // responsable: the operator's code, whose name a new group starts with.
    FrmNMGrupo(De1& de1, ModoEdicion modo, std::optional<qint32> codigoGrupo, qint32 responsable,
               QWidget* parent = nullptr);
    bool modificando() const { return modificar_; }
    // The code of the group saved, 0 until a save succeeded.
    qint32 codigoGuardado() const { return codigoGuardado_; }

private:
    void cargar();
    void aceptar();

    De1& de1_;
    std::optional<qint32> codigoGrupo_;
    qint32 responsable_;
    bool modificar_ = false;
    qint32 codigoGuardado_ = 0;
    QDateEdit* dtFecha_ = nullptr;
    QLineEdit* txtCurso_ = nullptr;
    QLineEdit* txtDescripcion_ = nullptr;
    QComboBox* comboResponsable_ = nullptr;
};
