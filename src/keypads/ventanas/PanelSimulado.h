#pragma once
// The keypad panel that accompanies the simulated receiver in the windowed
// program: shown while the link is open, unless "PanelSimulado" of "Control" reads "0".

class PanelControles;

// Makes every simulated receiver the factory creates bring its panel along.
void acompanarReceptorSimuladoConPanel();
// The panel of the shared simulated receiver, once it has been opened (nullptr otherwise).
PanelControles* panelReceptorCompartido();
