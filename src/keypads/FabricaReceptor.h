#pragma once
// The receiver the program talks to: the simulated one when the key "Receptor"
// of section "Control" reads "Simulado", else the real USB receiver.

class Receptor;

Receptor& receptorCompartido();
// Tests install their own receiver (nullptr goes back to the configured one).
void fijarReceptorCompartido(Receptor* receptor);
