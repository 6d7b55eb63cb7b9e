// A new person's checks, the office's rules for them, his age and his row.
#include "EntornoPrueba.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"

#include <QFile>
#include <QtTest>

using Gravedad = FallaValidacion::Gravedad;
using Campo = FallaValidacion::Campo;

namespace {

void crear(almacen::TipoImagen t) {
    QVERIFY(escribirArchivo(almacen::archivoTrabajo(t), "x"));
}

} // namespace

class TestValidadorPersona : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each check fires only once every earlier field is right, in this order.
    void validacionesEnOrden() {
        EntornoPrueba e(false);
        ConfiguracionPersona c;
        c.cifrasFijas = true;
        c.cifras = 8;
        c.exigeFoto = c.exigeFirma = c.exigeHuella = true;
        const ValidadorPersona v(c);
        DatosPersona d;
        std::optional<FallaValidacion> f;
        const auto espera = [&](int numero, const char* mensaje) {
            f = v.validar(d);
            QVERIFY(f);
            QCOMPARE(f->numero, numero);
            QCOMPARE(f->mensaje, QString::fromUtf8(mensaje));
        };

        espera(1, "Debe seleccionar el tipo de documento.");
        QCOMPARE(f->gravedad, Gravedad::Advertencia);
        QCOMPARE(f->campo, Campo::TipoDocumento);
        d.tipoDocumento = 2;
        d.documento = "   ";
        espera(2, "Debe ingresar el documento correctamente.");
        d.documento = " 1234567 "; // 7 characters when 8 are required
        espera(3, "Debe ingresar el documento correctamente.");
        QCOMPARE(f->gravedad, Gravedad::Error);
        d.documento = "12345678";
        espera(4, "Debe ingresar el nombre de la persona");
        d.nombre = "x";
        espera(5, "Debe seleccionar el sexo de la persona.");
        d.sexo = "Femenino";
        espera(6, "Debe seleccionar el estado civil.");
        d.estadoCivil = "Casado";
        espera(7, "Debe ingresar el domicilio.");
        d.domicilio = "a";
        d.sangre = "  ";
        espera(8, "Debe seleccionar el grupo sanguineo de la persona.");
        QCOMPARE(f->campo, Campo::Sangre);
        d.sangre = "AB +";
        espera(9, "Debe seleccionar la ciudad.");
        QCOMPARE(d.anteojos, QStringLiteral("No")); // set on the way, no message
        d.ciudad = "Talca";
        espera(10, "Debe ingresar la fotografía de la  persona.");
        QCOMPARE(f->campo, Campo::Ninguno);
        crear(almacen::TipoImagen::Foto);
        espera(11, "Debe ingresar la firma de la  persona.");
        crear(almacen::TipoImagen::Firma);
        espera(12, "Debe ingresar las huellas digitales de la  persona.");
        crear(almacen::TipoImagen::Huella);
        QVERIFY(!v.validar(d));
    }

    void reglasDeLaOficina() {
        EntornoPrueba e;
        const auto largo = [&] { return ConfiguracionPersona::leer(e.de1()).largoDocumento(); };
        QCOMPARE(largo(), 20); // the column's width
        EscribirIni(claves::kChkCifras, "1");
        EscribirIni(claves::kTxtCifras, "0"); // a count of nothing leaves the box usable
        QCOMPARE(largo(), 20);
        EscribirIni(claves::kTxtCifras, "8");
        QCOMPARE(largo(), 8);

        GuardarConfiguracion(e.de1(), ajustes::kExigeFoto, "2");  // only 1 makes it compulsory
        GuardarConfiguracion(e.de1(), ajustes::kExigeFirma, "2"); // any non-zero value does
        GuardarConfiguracion(e.de1(), ajustes::kExigeHuella, "0");
        const ConfiguracionPersona c = ConfiguracionPersona::leer(e.de1());
        QVERIFY(!c.exigeFoto && c.exigeFirma && !c.exigeHuella);
    }

    void edad() {
        const QDate hoy(2026, 12, 6);
        QCOMPARE(persona::edad(hoy.addDays(-6574), hoy), 17);
        QCOMPARE(persona::edad(hoy.addDays(-6575), hoy), 18);
        QCOMPARE(persona::textoEdad(QDate(1992, 3, 1), hoy), QStringLiteral("34 años de edad."));
        // No birth date, no age (not a count of days from nowhere).
        QCOMPARE(persona::edad(QDate(), hoy), std::nullopt);
        QCOMPARE(persona::edad(QDate(2026, 2, 30), hoy), std::nullopt);
        QCOMPARE(persona::textoEdad(QDate(), hoy), QStringLiteral("0 años de edad."));
    }
};

QTEST_GUILESS_MAIN(TestValidadorPersona)
#include "tst_validadorpersona.moc"
