#pragma once
// Lists whose columns fit their content within the list's width.

class QTreeView;

// Keeps the columns of `vista` as wide as their content and headers; column
// `elastica` takes what is left. When the content does not fit, `elastica` gives
// way first, then the widest columns, never below their header's width: their
// texts are elided (the model's tool tip shows them whole). Only a list too
// narrow for the headers themselves scrolls sideways. Follows resizes and refills.
void ajustarColumnasAlContenido(QTreeView* vista, int elastica);
