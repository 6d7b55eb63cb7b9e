#pragma once
// What the next start does with a session a crash or a power cut interrupted:
// its journal is offered to be resumed, scored as received, or discarded. A
// journal whose session is already stored (the program stopped between storing
// it and removing the journal) is removed without asking.

#include <QString>
#include <functional>

class De1;
class FrmInteligencia;
class QDialog;
class QWidget;
class Receptor;

namespace reanudacion {

enum class Desenlace {
    SinDiario,  // nothing to offer
    YaGuardado, // stored before: its journal removed
    Reanudado,  // the session window ran on from the journal
    Guardado,   // what was received is scored and stored
    Descartado, // set aside at the operator's word (kept beside as ".descartado")
    Aplazado,   // the operator closed the question: the journal stays for the next start
    Fallido,    // it could not be read or used; said to the operator
};

struct Opciones {
    // Runs the session window modally (the main window's hook); exec() by default.
    std::function<void(QDialog&)> abrirModal;
    // Called on the session window before it resumes (tests set its clock).
    std::function<void(FrmInteligencia&)> preparar;
    // The journal; the workstation's own when empty.
    QString ruta;
};

// Called once the main window is shown.
Desenlace ofrecerReanudacion(De1& de1, QWidget* ventanaPrincipal, Receptor& receptor,
                             const Opciones& opciones = {});

// Whether there is a journal to offer (cheap: the main window asks before
// reaching for the receiver).
bool hayDiario(const QString& ruta = {});

} // namespace reanudacion
