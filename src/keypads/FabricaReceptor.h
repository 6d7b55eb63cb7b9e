#pragma once
// The receiver the program talks to: the simulated one when the key "Receptor"
// of section "Control" reads "Simulado", else the real USB receiver. It is made
// on first use and lives as long as the application.

#include <functional>

class Receptor;
class ReceptorSimulado;

Receptor& receptorCompartido();
// Tests install their own receiver (nullptr goes back to the configured one).
void fijarReceptorCompartido(Receptor* receptor);

// Called with each simulated receiver the factory makes, before it is first used:
// the windowed program gives it its keypad panel this way.
void alCrearReceptorSimulado(std::function<void(ReceptorSimulado&)> accion);
