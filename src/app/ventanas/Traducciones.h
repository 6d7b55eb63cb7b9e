#pragma once
// Qt's own texts (standard buttons, file and input dialogs, context menus) in
// the program's language rather than the workstation's.

namespace traducciones {

// Installs Qt's translations for the default QLocale on the application, once.
// False when they are not installed on this machine (Qt then speaks English).
bool instalar();

} // namespace traducciones
