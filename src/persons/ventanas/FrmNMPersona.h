#pragma once
// The person editor: creates one new examinee with his images. The window only
// gathers input and shows results; the checks and writes live in DatosPersona.h
// and RepositorioPersonas.h.

#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"

#include <QDialog>
#include <array>
#include <functional>

class De1;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmNMPersona : public QDialog {
    Q_OBJECT
public:
    explicit FrmNMPersona(De1& de1, QWidget* parent = nullptr);
    // The code of the person saved, 0 until a save succeeded.
    qint64 codigoGuardado() const { return codigoGuardado_; }

    // Shows the kind's working image file in its box, or clears the box when there
    // is none (called after a capture window returns).
    void mostrarImagenTrabajo(almacen::TipoImagen tipo);

    // The capture windows register here: the kind's link ("Obtener fotografía",
    // ...) is shown only while a capture is installed; it runs modally with the
    // editor as parent and leaves the working image file behind when accepted.
    using Captura = std::function<void(QWidget* editor)>;
    static void instalarCaptura(almacen::TipoImagen tipo, Captura captura);

private:
    void construir();
    void cargarListas();
    void aplicarConfiguracion();
    DatosPersona leerControles() const;
    void mostrarNormalizados(const DatosPersona& datos);
    void enfocar(FallaValidacion::Campo campo);
    void aceptar();
    void nuevaCiudad();
    void capturar(almacen::TipoImagen tipo);
    void actualizarEdad();
    QLabel* cajaImagen(almacen::TipoImagen tipo) const;

    De1& de1_;
    ConfiguracionPersona config_;
    std::array<Captura, 3> capturas_; // as installed when the window opened
    qint64 codigoGuardado_ = 0;

    QLabel* lblTitulo_ = nullptr;
    QComboBox* comboDocumento_ = nullptr;
    QLineEdit* txtDocumento_ = nullptr;
    QLineEdit* txtNombre_ = nullptr;
    QComboBox* comboSexo_ = nullptr;
    QComboBox* comboEstadoCivil_ = nullptr;
    QDateEdit* dtNac_ = nullptr;
    QLabel* lblEdad_ = nullptr;
    QComboBox* comboSangre_ = nullptr;
    QLineEdit* txtDomicilio_ = nullptr;
    QLabel* lblCiudad_ = nullptr;
    QComboBox* comboCiudad_ = nullptr;
    QPushButton* cmdNCiudad_ = nullptr;
    QLineEdit* txtOcupacion_ = nullptr;
    QLineEdit* txtTelefono_ = nullptr;
    QComboBox* comboAnteojos_ = nullptr;
    QLineEdit* txtCelular_ = nullptr;
    QLineEdit* txtEmail_ = nullptr;
    QLabel* imgFoto_ = nullptr;
    QLabel* imgFirma_ = nullptr;
    QLabel* imgHuella_ = nullptr;
    QPushButton* lblFoto_ = nullptr;
    QPushButton* lblFirma_ = nullptr;
    QPushButton* lblHuella_ = nullptr;
    QCheckBox* chkNuevaCarpeta_ = nullptr;
    QLabel* lblCheck_ = nullptr;
    QLabel* imgCheck_ = nullptr;
};
