#pragma once
// What the person editor collects, the rules the office configured for it, the
// checks a new person must pass and the values his row is written with. No widgets.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class De1;

namespace persona {

// The fixed choices of the editor, in the order shown.
const QStringList& sexos();          // "Masculino", "Femenino"
const QStringList& estadosCiviles(); // "Sin Datos", "Soltero", ...
const QStringList& gruposSangre();   // "S/D", "0 +", ... (digit zero)
const QStringList& anteojos();       // "Si", "No"

// Widths of the Personas columns the editor fills from free text.
inline constexpr int kAnchoDocumento = 20;
inline constexpr int kAnchoNombre = 100;
inline constexpr int kAnchoDomicilio = 100;
inline constexpr int kAnchoCiudad = 60;
inline constexpr int kAnchoOcupacion = 60;
inline constexpr int kAnchoTelefono = 30;
inline constexpr int kAnchoEMail = 60;
inline constexpr int kAnchoSangre = 5;

// Whole years from the birth date to the day: the integer part of days / 365.25.
// None when either date is not a date (a birth date left empty).
std::optional<int> edad(const QDate& nacimiento, const QDate& hoy);
// "34 años de edad." (0 years without a date).
QString textoEdad(const QDate& nacimiento, const QDate& hoy);

} // namespace persona

struct DatosPersona {
    std::optional<qint64> tipoDocumento; // CodigoDocumento; empty when none chosen
    QString documento;
    QString nombre;
    QString sexo;        // the choice's text; empty when none
    QString estadoCivil; // empty when none
    QDate fechaNac;
    QString sangre;
    QString domicilio;
    QString ciudad; // DescripcionCiudad; empty when none chosen
    QString ocupacion;
    QString telefono;
    QString anteojos; // empty when none chosen
    QString celular;
    QString email;
};

// The office's rules for new persons: the configuration file's "Control"
// section and the settings table.
struct ConfiguracionPersona {
    bool cifrasFijas = false; // "ChkCifras" is 1
    int cifras = 0;           // "TxtCifras"
    bool chile = false;       // "Pais" is "Chile"
    bool nuevasCiudades = false;
    bool exigeFoto = false;
    bool exigeFirma = false;
    bool exigeHuella = false;

    static ConfiguracionPersona leer(De1& de1);

    // Characters the document box accepts: 9 in Chile, else the fixed count
    // when there is one, never more than the column holds.
    int largoDocumento() const;
    QString rotuloCiudad() const;
};

struct FallaValidacion {
    enum class Campo {
        Ninguno,
        TipoDocumento,
        Documento,
        Nombre,
        Sexo,
        EstadoCivil,
        Domicilio,
        Sangre,
        Ciudad
    };
    int numero = 0; // order of the check, from 1
    QString mensaje;
    // A missing choice is a warning; a field typed wrong is an error. The window
    // shows them with the exclamation and the critical icon.
    enum class Gravedad { Advertencia, Error };
    Gravedad gravedad = Gravedad::Advertencia;
    Campo campo = Campo::Ninguno;
};

class ValidadorPersona {
public:
    explicit ValidadorPersona(const ConfiguracionPersona& config) : config_(config) {}

    // Runs the checks in order and stops at the first failure. On the way it puts
    // the data in its stored form (document trimmed, name and address in proper
    // case, glasses "No" when none was chosen), which the window shows back.
    // Checks 10 to 12 look for the working image files.
    std::optional<FallaValidacion> validar(DatosPersona& datos) const;

private:
    ConfiguracionPersona config_;
};
