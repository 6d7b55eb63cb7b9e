#pragma once
// The operator's console during a session, on his own screen while the room
// reads the questions on the projector: who has answered the question on screen
// (never which key), the count, the time left, the receiver, the examinee's card
// on demand, and the actions. Space and Esc act on the session as on the view.

#include "groups/Grupo.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;
class TableroRespuestas;

class FrmConsola : public QWidget {
    Q_OBJECT
public:
    explicit FrmConsola(TableroRespuestas& tablero, QWidget* parent = nullptr);

    // One cell per examinee, in roster order, with his keypad, name and photograph.
    void fijarEvaluados(const QList<Evaluado>& evaluados);
    const QList<Evaluado>& evaluados() const { return evaluados_; }
    // 0-based question on screen of `total`.
    void mostrarPregunta(int pregunta, int total);
    void mostrarCuenta(qint64 cuenta);
    void mostrarEstadoReceptor(bool conectado);
    // Before the exam starts the room's options may still change.
    void fijarIniciada(bool iniciada);

public Q_SLOTS:
    // The examinee's name, document and photograph, for checking who sits there.
    void mostrarFicha(int evaluado);

Q_SIGNALS:
    void espacio();
    void salida();
    // L: the question on screen read aloud again.
    void releer();
    void siguiente();
    void opciones();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void construir();
    void pintarCelda(int evaluado);
    void repartirCeldas();
    void actualizarCuenta();
    bool reenviarTecla(const QKeyEvent* e);

    TableroRespuestas& tablero_;
    QList<Evaluado> evaluados_;
    QList<QToolButton*> celdas_;

    QWidget* rejilla_ = nullptr;
    QLabel* lblPregunta_ = nullptr;
    QLabel* lblRespondidos_ = nullptr;
    QLabel* lblTiempo_ = nullptr;
    QLabel* lblEstado_ = nullptr;
    QPushButton* cmdSiguiente_ = nullptr;
    QPushButton* cmdOpciones_ = nullptr;
    QPushButton* cmdVolver_ = nullptr;
    QWidget* ficha_ = nullptr;
    QLabel* imgFicha_ = nullptr;
    QLabel* lblNombreFicha_ = nullptr;
    QLabel* lblDocumentoFicha_ = nullptr;
    QLabel* lblControlFicha_ = nullptr;
};
