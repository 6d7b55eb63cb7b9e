#pragma once
// The session's questions read aloud: each one as it is shown when the office
// asks for it (settings item ChkLeerPreguntas), and again whenever the operator
// asks, while it is on screen. A reader that cannot read leaves the session as
// it is.

#include <QObject>
#include <memory>

class De1;
class Lector;
class SesionExamen;

class LecturaEnVoz : public QObject {
    Q_OBJECT
public:
    // Reads the office's option; when it is on, the engine starts as soon as the
    // window runs rather than as the first question is shown.
    LecturaEnVoz(SesionExamen& sesion, De1& de1, QObject* padre = nullptr);
    ~LecturaEnVoz() override;

    // Tests read through a simulated reader.
    void usarLector(std::unique_ptr<Lector> lector);
    Lector& lector();
    bool alMostrar() const { return alMostrar_; }
    // The office's option again (the room options may have changed it).
    void leerOpcion(De1& de1);

    // Reads the question on screen again; nothing between questions.
    void releer();

private:
    void leer(int pregunta);

    SesionExamen& sesion_;
    bool alMostrar_ = false;
    int enPantalla_ = -1;
    std::unique_ptr<Lector> lector_;
};
