#pragma once
// Every key the program reads or writes, in one table: the configuration file's
// sections, keys and the value a missing key stands for, and the items of the
// settings table. Code names a key from here, never by a literal of its own.

#include <QString>

struct ClaveIni {
    QString seccion;
    QString clave;
    // What a missing key (read as "ERROR") stands for.
    QString predeterminado;
};

namespace claves {

// Configuration file sections.
inline const QString kControl = QStringLiteral("Control");
inline const QString kTavelmo = QStringLiteral("Tavelmo");
inline const QString kFoto = QStringLiteral("Foto");
inline const QString kConfiguracion = QStringLiteral("Configuracion");

// [Control]
// The network folder whose "\Templates" holds the person image store; none: the program folder.
inline const ClaveIni kRed{kControl, QStringLiteral("Red"), QString()};
// The catalog: "sqlite:FILE" or the SQL Server data source. A missing key is
// tried (and named in the start-up failure) as the server "ERROR".
inline const ClaveIni kServer{kControl, QStringLiteral("Server"), QStringLiteral("ERROR")};
// The ODBC driver of the SQL Server catalog; empty: the platform's usual one.
inline const ClaveIni kDriver{kControl, QStringLiteral("Driver"), QString()};
// "Simulado" chooses the simulated keypad receiver; anything else the USB one.
inline const ClaveIni kReceptor{kControl, QStringLiteral("Receptor"), QString()};
// "0" keeps the simulated receiver's keypad panel hidden.
inline const ClaveIni kPanelSimulado{kControl, QStringLiteral("PanelSimulado"),
                                     QStringLiteral("1")};
// 1: documents have a fixed number of characters, TxtCifras.
inline const ClaveIni kChkCifras{kControl, QStringLiteral("ChkCifras"), QStringLiteral("0")};
inline const ClaveIni kTxtCifras{kControl, QStringLiteral("TxtCifras"), QStringLiteral("0")};
// "Chile" changes the document box and the city label of the person editor.
inline const ClaveIni kPais{kControl, QStringLiteral("Pais"), QString()};
// "Simulada" and "Simulado" choose the simulated camera and fingerprint reader.
inline const ClaveIni kCamara{kControl, QStringLiteral("Camara"), QString()};
inline const ClaveIni kHuellero{kControl, QStringLiteral("Huellero"), QString()};
// "Simulada" chooses the simulated speech, which reads nothing aloud.
inline const ClaveIni kVoz{kControl, QStringLiteral("Voz"), QString()};

// [Foto]: the webcam picture's last adjustment; without Brillo, none was stored.
inline const ClaveIni kBrillo{kFoto, QStringLiteral("Brillo"), QString()};
inline const ClaveIni kContraste{kFoto, QStringLiteral("Contraste"), QStringLiteral("0")};

// [Configuracion]: the signature pad's pen width, as the index of its option.
inline const ClaveIni kTrazo{kConfiguracion, QStringLiteral("Trazo"), QString()};

// [Tavelmo]
// The field the persons filters search: 0 name, 1 document.
inline const ClaveIni kFiltro{kTavelmo, QStringLiteral("Filtro"), QStringLiteral("1")};

// The paper of the printed reports: "A4" or "Carta".
inline const ClaveIni kPapelInforme{kTavelmo, QStringLiteral("PapelInforme"), QStringLiteral("A4")};

// The screen the session's questions are projected on, by the name the system
// gives it; none: a screen other than the primary one.
inline const ClaveIni kPantallaProyector{kTavelmo, QStringLiteral("PantallaProyector"), QString()};

// The stored filter field: a missing key means the document, text that is no
// number the name, a number other than 0 and 1 the document.
int campoFiltro();

// The answer log: section "Evaluado" k, key "Pregunta" q (both 1-based).
ClaveIni respuestaRegistrada(int evaluado, int pregunta);

} // namespace claves

// Items of the settings table (Configuracion).
namespace ajustes {
inline const QString kVersionEsquema = QStringLiteral("DBVersionTavelmo");
// 1: the person editor may add cities.
inline const QString kNuevasCiudades = QStringLiteral("ChkNCiudades");
// A new person needs his photograph (1), signature (not 0), fingerprint (not 0).
inline const QString kExigeFoto = QStringLiteral("ChkEFoto");
inline const QString kExigeFirma = QStringLiteral("ChkEFirma");
inline const QString kExigeHuella = QStringLiteral("ChkEHuella");
// Result folders are numbered prefix + counter, office-wide.
inline const QString kPrefijoCarpeta = QStringLiteral("PrefijoExamenCons");
inline const QString kContadorCarpetas = QStringLiteral("TxtNroExamenCons");
// 1: the session's console may end a question once every examinee has answered.
inline const QString kSiguientePregunta = QStringLiteral("ChkSiguientePregunta");
// 1: the session reads each question and its answers aloud.
inline const QString kLeerPreguntas = QStringLiteral("ChkLeerPreguntas");
} // namespace ajustes

// The key's value, or its default when the file, section or key is missing.
QString LeerIni(const ClaveIni& clave);
bool EscribirIni(const ClaveIni& clave, const QString& valor);
