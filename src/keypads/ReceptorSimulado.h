#pragma once
// A receiver without hardware: answers the search and the numbering of keypads
// as the real one does, and lets a panel (or a test) press keypad keys. Used to
// train operators, rehearse a room, run the demo and test the keypad windows.
//
// Everything it reports goes out through the event loop (never from inside the
// call that caused it), one report per `leido`, in the order produced.

#include "keypads/Receptor.h"

#include <QSet>
#include <QTimer>

class ReceptorSimulado : public Receptor {
    Q_OBJECT
public:
    // Status byte values the receiver answers with.
    static constexpr int kNoResponde = 1;
    static constexpr int kDatosEnviados = 2;
    static constexpr int kFueraDeRango = 3;
    static constexpr int kErrorComando = 8;
    static constexpr int kEncontrado = 10;

    explicit ReceptorSimulado(QObject* parent = nullptr);

    void abrir() override;
    void cerrar() override;
    bool escribir(const QByteArray& reporte) override;
    bool conectado() const override;

    // Time from the search command to "keypad found", and from the last report
    // of the numbering to its confirmation.
    void fijarDemoraBusqueda(int ms);
    void fijarDemoraConfirmacion(int ms);
    int demoraBusqueda() const { return demoraBusqueda_; }

    bool abierto() const { return abierto_; }
    bool enchufadoFisico() const { return enchufado_; }
    bool buscando() const { return buscando_; }
    // Keypad numbers confirmed since construction.
    QList<int> programados() const;
    // Every output report received, oldest first (tests inspect the bytes).
    const QList<QByteArray>& escritos() const { return escritos_; }

    // Where the receiver reports the keys of keypad number N: N-3 for 3..16,
    // N-4 from 18 on; -1 for numbers no position belongs to.
    static int posicionDeControl(int numero);
    // The keypad number whose keys arrive at `posicion` (inverse of the above).
    static int controlDePosicion(int posicion);

public Q_SLOTS:
    // Plugs or unplugs the simulated receiver (reported while the link is open).
    void enchufar();
    void desenchufar();
    // Answers with a status report; 1 and 3 to 9 end a search under way.
    void provocarEstado(int estado);
    // One answer report with the key of one position (0..53); false when the
    // link is not open, the receiver unplugged or the position out of range.
    bool pulsarTecla(int posicion, char tecla);
    // One answer report holding up to 54 keys (byte p of `teclas` for position p).
    bool enviarRespuestas(const QByteArray& teclas);

Q_SIGNALS:
    void abiertoCambiado(bool abierto);
    void programadosCambiados();

private:
    void anunciarEnchufado();
    void entregar(const QByteArray& reporte);
    void reportarEstado(int estado);
    void terminarBusqueda();

    bool abierto_ = false;
    bool enchufado_ = true;
    bool buscando_ = false;
    bool encontrado_ = false;
    int numeroR_ = -1;
    int numeroM_ = -1;
    int pendiente_ = -1;
    int demoraBusqueda_ = 1500;
    int demoraConfirmacion_ = 150;
    QTimer busqueda_;
    QTimer confirmacion_;
    QSet<int> programados_;
    QList<QByteArray> escritos_;
};
