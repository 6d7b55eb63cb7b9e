#pragma once
// The main window: groups, the selected group's examinees and the tests. It is
// the program's current selection for the windows it opens.

#include "exams/ventanas/FrmAddExamenes.h"
#include "groups/Modelos.h"
#include "groups/Seleccion.h"

#include <QMainWindow>
#include <QSet>
#include <functional>
#include <memory>

class De1;
class FrmSecundario;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class MenuPrincipal : public QMainWindow, public Seleccion {
    Q_OBJECT
public:
    // `responsable` is the operator's code from the command line.
    MenuPrincipal(De1& de1, qint32 responsable, QWidget* parent = nullptr);
    ~MenuPrincipal() override;

    // Opens a child window modally; tests replace it to drive or record the child.
    std::function<void(QDialog&)> abrirModal;
    // Ends the program (ImgSalir).
    std::function<void()> salir;

    void CargarGrupos();
    void CargarEvaluados(qint32 codigoGrupo);
    void CargarTests();

    // Seleccion
    std::optional<Grupo> grupoSeleccionado() const override;
    std::optional<qint32> examenSeleccionado() const override;
    QList<Evaluado> evaluados() const override;

    FrmSecundario* fondo() const { return fondo_.get(); }

protected:
    void showEvent(QShowEvent* e) override;
    // Closing the window (title bar, Alt+F4) ends the program as ImgSalir does:
    // the backdrop alone would otherwise keep it running with no way out.
    void closeEvent(QCloseEvent* e) override;

private:
    void construir();
    void nuevoGrupo();
    void modificarGrupo();
    void eliminarGrupo();
    void agregarPersonas();
    void asignarControles();
    void iniciarExamen();
    void reanudarExamen();
    void verResultados();
    void editarExamen(ModoExamen modo);
    void buscar();
    void marcarBuscados(int desde, int hasta);
    void grupoActual(const QModelIndex& indice);
    void seleccionarGrupo(int fila);
    void abrir(QDialog& ventana);
    void informar(const QString& texto);
    void cargarEvaluadosOAvisar(qint32 codigoGrupo);

    De1& de1_;
    qint32 responsable_;
    std::unique_ptr<FrmSecundario> fondo_;
    ModeloGrupos grupos_;
    ModeloEvaluados evaluados_;
    ModeloTests tests_;
    QTreeView* lvGrupos_ = nullptr;
    QTreeView* lvEvaluados_ = nullptr;
    QTreeView* lvTipos_ = nullptr;
    QLineEdit* txtBuscar_ = nullptr;
    QComboBox* comboBuscar_ = nullptr;
    QLabel* picFondo_ = nullptr;
    QLabel* lblCuentaGrupos_ = nullptr;
    // The groups the last search found, marked as their rows are read.
    QSet<qint32> buscados_;
    bool reanudacionOfrecida_ = false;
};
