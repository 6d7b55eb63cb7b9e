#pragma once
// The roster editor: which persons belong to the selected group. Nothing is
// written until "Aceptar", and then in one transaction.

#include "groups/Grupo.h"
#include "groups/Modelos.h"

#include <QDialog>
#include <functional>

class De1;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class FrmAddPersonas : public QDialog {
    Q_OBJECT
public:
    FrmAddPersonas(De1& de1, const Grupo& grupo, QWidget* parent = nullptr);
    ~FrmAddPersonas() override;

    // Opens the person editor modally; tests replace it.
    std::function<void(QDialog&)> abrirModal;

    const ModeloPersonasFiltrado& personas() const { return personas_; }
    const ModeloPersonas& miembros() const { return miembros_; }
    // The person whose photograph ImgFoto shows, 0 for none.
    qint32 personaMostrada() const { return personaMostrada_; }

protected:
    void done(int r) override;

private:
    void filtrar(bool releer = false);
    void mostrarFoto(const QModelIndex& indice);
    void agregar();
    void quitar();
    void nuevaPersona();
    void importarPadron();
    void aceptar();
    void actualizarBotones();
    void cuentaCambiada();
    void guardarCampoFiltro();

    De1& de1_;
    Grupo grupo_;
    ModeloPersonasFiltrado personas_;
    ModeloPersonas miembros_;
    QComboBox* comboFiltro_ = nullptr;
    QLineEdit* txtFiltro_ = nullptr;
    QTreeView* lvPersonas_ = nullptr;
    QTreeView* lvEvaluados_ = nullptr;
    QLabel* imgFoto_ = nullptr;
    QLabel* lblCuenta_ = nullptr;
    QLabel* picFondo_ = nullptr;
    QPushButton* cmdAgregar_ = nullptr;
    QPushButton* cmdQuitar_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    qint32 personaMostrada_ = 0;
    QString rutaFoto_;
    bool cerrado_ = false;
};
