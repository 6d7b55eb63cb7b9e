#pragma once
// The program's language and formats: Spanish whatever the workstation's
// language, with the workstation's own Spanish when it has one.

#include <QLocale>
#include <QString>

namespace idioma {

// The Spanish-speaking country a name or ISO code denotes ("Chile", "perú",
// "MX"; case and accents do not matter); AnyTerritory when none does.
QLocale::Territory paisHispano(const QString& pais);

// The workstation's locale when its language is Spanish; else Spanish, of the
// country `pais` names when it names one (the key "Pais" of section "Control").
QLocale elegir(const QLocale& sistema, const QString& pais);

// Makes elegir(system locale, "Pais" of the configuration file) the default
// QLocale of the process; the configuration path must be set. Returns it.
QLocale fijarPredeterminado();

} // namespace idioma
