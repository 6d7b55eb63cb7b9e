#pragma once
// Keypad assignment: pairs each examinee of the selected group with a keypad.
// Numbers assigned stay in the window until "Aceptar" stores them.

#include <QDialog>

class De1;
class FichaEvaluado;
class Receptor;
class Seleccion;
class ModeloMiembros;
class FiltroMiembros;
class ProtocoloReceptor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class FrmAddControles : public QDialog {
    Q_OBJECT
public:
    FrmAddControles(De1& de1, const Seleccion& seleccion, Receptor& receptor,
                    QWidget* parent = nullptr);
    ~FrmAddControles() override;

    // Tests shorten its pauses.
    ProtocoloReceptor& protocolo() { return *protocolo_; }

    void done(int resultado) override;

private:
    void construir();
    void cargar();
    void aplicarFiltro();
    void mostrarFicha();
    void mostrarEnlace(bool conectado);
    void actualizarBotonBuscar();
    void limpiarAsignacion();
    void aceptar();
    void descargar();

    De1& de1_;
    const Seleccion& seleccion_;
    Receptor& receptor_;
    qint32 grupo_ = 0;
    bool cargado_ = false; // false when the members could not be read: nothing is saved then
    bool desenchufado_ = false;
    bool descargado_ = false;

    ModeloMiembros* modelo_ = nullptr;
    FiltroMiembros* filtro_ = nullptr;
    ProtocoloReceptor* protocolo_ = nullptr;

    QLabel* lblTitulo_ = nullptr;
    QLabel* lblGrupo_ = nullptr;
    QTableView* lvEvaluados_ = nullptr;
    FichaEvaluado* ficha_ = nullptr;
    QComboBox* comboFiltro_ = nullptr;
    QLineEdit* txtFiltro_ = nullptr;
    QPushButton* cmdBuscar_ = nullptr;
    QPushButton* cmdLimpiar_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* imgSalir_ = nullptr;
    QLabel* lblEnlace_ = nullptr;
    QLabel* lblBusqueda_ = nullptr;
};
