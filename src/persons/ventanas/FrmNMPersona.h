#pragma once
// The person editor: creates one new examinee with his images. The window only
// gathers input and shows results; the checks and writes live in DatosPersona.h
// and RepositorioPersonas.h.

#include "app/ModoEdicion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"

#include <QDialog>
#include <array>
#include <functional>

#include <memory>

class De1;
class QLabel;
namespace Ui {
class FrmNMPersona;
}

class FrmNMPersona : public QDialog {
    Q_OBJECT
public:
    // Started from the roster editor (ModoEdicion::PersonaDelGrupo) no result
    // folder is offered with the person.
    FrmNMPersona(De1& de1, ModoEdicion modo, QWidget* parent = nullptr);
    ~FrmNMPersona() override;
    ModoEdicion modo() const { return modo_; }
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

    std::unique_ptr<Ui::FrmNMPersona> ui_; // the controls, laid out in FrmNMPersona.ui
    De1& de1_;
    ModoEdicion modo_;
    ConfiguracionPersona config_;
    std::array<Captura, 3> capturas_; // as installed when the window opened
    qint64 codigoGuardado_ = 0;
};
