#pragma once
// The keypad panel that accompanies the simulated receiver in the windowed
// program: shown while the link is open, unless "PanelSimulado" of "Control" reads "0".

class PanelControles;
class Seleccion;

// Makes every simulated receiver the factory creates bring its panel along. The
// panel shows the keypads of `seleccion`'s roster (the one the keypad and session
// windows work on), which must outlive the receiver's use, and sits beside the
// window that opened the link.
void acompanarReceptorSimuladoConPanel(const Seleccion* seleccion = nullptr);
// The panel of the shared simulated receiver, once it has been opened (nullptr otherwise).
PanelControles* panelReceptorCompartido();
