#pragma once
// The receiver the program talks to: the simulated one when the key "Receptor"
// of section "Control" reads "Simulado", else the real USB receiver. It is made
// on first use and lives as long as the application.

class PanelControles;
class Receptor;

Receptor& receptorCompartido();
// Tests install their own receiver (nullptr goes back to the configured one).
void fijarReceptorCompartido(Receptor* receptor);
// The keypad panel shown with the simulated receiver, once it has been opened
// in a windowed program (nullptr otherwise).
PanelControles* panelReceptorCompartido();
