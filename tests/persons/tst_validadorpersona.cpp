// A new person's checks, the office's rules for them, his age and his row.
#include "EntornoPrueba.h"
#include "app/Ini.h"
#include "data/Configuracion.h"
#include "persons/AlmacenImagenes.h"
#include "persons/DatosPersona.h"
#include "persons/RepositorioPersonas.h"

#include <QFile>
#include <QtTest>

using Icono = Dialogos::Icono;
using Campo = FallaValidacion::Campo;

namespace {

DatosPersona completos() {
    DatosPersona d;
    d.tipoDocumento = 1;
    d.documento = "12345678";
    d.nombre = "Perez Juan";
    d.sexo = "Masculino";
    d.estadoCivil = "Soltero";
    d.fechaNac = QDate(1990, 5, 17);
    d.sangre = "0 +";
    d.domicilio = "Calle Uno 123";
    d.ciudad = "Santiago";
    d.ocupacion = d.telefono = d.celular = d.email = "Sin datos";
    d.anteojos = "Si";
    return d;
}

void crear(almacen::TipoImagen t) {
    QFile f(almacen::archivoTrabajo(t));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
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

        struct Paso {
            std::function<void(DatosPersona&)> corregir;
            int numero;
            const char* mensaje;
            Icono icono;
            Campo campo;
        };
        const QList<Paso> pasos = {
            {[](DatosPersona& d) { d.documento = "   "; }, 2,
             "Debe ingresar el documento correctamente.", Icono::Critico, Campo::Documento},
            {[](DatosPersona& d) { d.documento = " 1234567 "; }, 3,
             "Debe ingresar el documento correctamente.", Icono::Critico, Campo::Documento},
            {[](DatosPersona& d) { d.documento = "12345678"; }, 4,
             "Debe ingresar el nombre de la persona", Icono::Critico, Campo::Nombre},
            {[](DatosPersona& d) { d.nombre = "x"; }, 5, "Debe seleccionar el sexo de la persona.",
             Icono::Critico, Campo::Sexo},
            {[](DatosPersona& d) { d.sexo = "Femenino"; }, 6, "Debe seleccionar el estado civil.",
             Icono::Critico, Campo::EstadoCivil},
            {[](DatosPersona& d) { d.estadoCivil = "Casado"; }, 7, "Debe ingresar el domicilio.",
             Icono::Critico, Campo::Domicilio},
            {[](DatosPersona& d) { d.domicilio = "a"; }, 8,
             "Debe seleccionar el grupo sanguineo de la persona.", Icono::Exclamacion,
             Campo::Sangre},
            {[](DatosPersona& d) { d.sangre = "AB +"; }, 9, "Debe seleccionar la ciudad.",
             Icono::Exclamacion, Campo::Ciudad},
            {[](DatosPersona& d) { d.ciudad = "Talca"; }, 10,
             "Debe ingresar la fotografía de la  persona.", Icono::Exclamacion, Campo::Ninguno},
            {[](DatosPersona&) { crear(almacen::TipoImagen::Foto); }, 11,
             "Debe ingresar la firma de la  persona.", Icono::Exclamacion, Campo::Ninguno},
            {[](DatosPersona&) { crear(almacen::TipoImagen::Firma); }, 12,
             "Debe ingresar las huellas digitales de la  persona.", Icono::Exclamacion,
             Campo::Ninguno},
        };

        DatosPersona d;
        d.sangre = "  ";
        std::optional<FallaValidacion> f = v.validar(d);
        QVERIFY(f);
        QCOMPARE(f->numero, 1);
        QCOMPARE(f->mensaje, QStringLiteral("Debe seleccionar el tipo de documento."));
        QCOMPARE(f->icono, Icono::Exclamacion);
        QCOMPARE(f->campo, Campo::TipoDocumento);
        d.tipoDocumento = 2;
        for (const Paso& p : pasos) {
            p.corregir(d);
            f = v.validar(d);
            QVERIFY2(f, qPrintable(QString::number(p.numero)));
            QCOMPARE(f->numero, p.numero);
            QCOMPARE(f->mensaje, QString::fromUtf8(p.mensaje));
            QCOMPARE(f->icono, p.icono);
            QCOMPARE(f->campo, p.campo);
        }
        QCOMPARE(d.documento, QStringLiteral("12345678"));
        QCOMPARE(d.anteojos, QStringLiteral("No")); // set on the way, no message
        crear(almacen::TipoImagen::Huella);
        QVERIFY(!v.validar(d));
    }

    void nombreYDomicilioEnNombrePropio() {
        EntornoPrueba e(false);
        DatosPersona d = completos();
        d.nombre = "  pEREZ  soto y juan ";
        d.domicilio = "avenida   los leones 12 b";
        QVERIFY(!ValidadorPersona(ConfiguracionPersona()).validar(d));
        QCOMPARE(d.nombre, QStringLiteral("Perez  Soto y Juan"));
        QCOMPARE(d.domicilio, QStringLiteral("Avenida   Los Leones 12 b"));
        QCOMPARE(d.anteojos, QStringLiteral("Si")); // a choice made is kept
    }

    void reglasDeLaOficina() {
        EntornoPrueba e;
        ConfiguracionPersona c = ConfiguracionPersona::leer(e.de1());
        QVERIFY(!c.cifrasFijas && !c.chile && !c.nuevasCiudades && !c.exigeFoto);
        QCOMPARE(c.largoDocumento(), 20); // the column's width
        QCOMPARE(c.rotuloCiudad(), QStringLiteral("Ciudad"));

        EscribirIni("Control", "ChkCifras", "1");
        EscribirIni("Control", "TxtCifras", "8");
        c = ConfiguracionPersona::leer(e.de1());
        QVERIFY(c.cifrasFijas);
        QCOMPARE(c.largoDocumento(), 8);
        DatosPersona d = completos();
        d.documento = "1234567";
        QCOMPARE(ValidadorPersona(c).validar(d)->numero, 3);
        d.documento = "12345678";
        QVERIFY(!ValidadorPersona(c).validar(d));

        // Chile's 9 characters win over the fixed count.
        EscribirIni("Control", "TxtCifras", "12");
        EscribirIni("Control", "Pais", "Chile");
        c = ConfiguracionPersona::leer(e.de1());
        QCOMPARE(c.largoDocumento(), 9);
        QCOMPARE(c.rotuloCiudad(), QStringLiteral("Municipalidad / Comuna"));

        // A fixed count of nothing leaves the box usable.
        EscribirIni("Control", "TxtCifras", "0");
        EscribirIni("Control", "Pais", "Argentina");
        QCOMPARE(ConfiguracionPersona::leer(e.de1()).largoDocumento(), 20);

        GuardarConfiguracion(e.de1(), "ChkNCiudades", "1");
        GuardarConfiguracion(e.de1(), "ChkEFoto", "2"); // only 1 makes it compulsory
        GuardarConfiguracion(e.de1(), "ChkEFirma", "2");
        GuardarConfiguracion(e.de1(), "ChkEHuella", "0");
        c = ConfiguracionPersona::leer(e.de1());
        QVERIFY(c.nuevasCiudades && !c.exigeFoto && c.exigeFirma && !c.exigeHuella);
    }

    void edad() {
        const QDate hoy(2026, 12, 6);
        QCOMPARE(persona::textoEdad(hoy, hoy), QStringLiteral("0 años de edad."));
        QCOMPARE(persona::edad(hoy.addDays(-6574), hoy), 17);
        QCOMPARE(persona::edad(hoy.addDays(-6575), hoy), 18);
        QCOMPARE(persona::textoEdad(QDate(1992, 3, 1), hoy), QStringLiteral("34 años de edad."));
    }

    void valoresDeLaFila() {
        DatosPersona d = completos();
        d.sexo = "Femenino";
        d.sangre = " AB + ";
        const Columnas cols =
            RepositorioPersonas::valoresFila(d, Dialecto(Dialecto::Motor::Sqlite));
        QStringList nombres;
        for (const auto& [n, v] : cols)
            nombres << n;
        QCOMPARE(nombres,
                 QStringList({"TipoDocumento", "Documento", "NombrePersona", "Sexo", "EstadoCivil",
                              "FechaNac", "Sangre", "Domicilio", "Ciudad", "Ocupacion", "Telefono",
                              "Anteojos", "Celular", "EMail", "Huella"}));
        QCOMPARE(cols.at(3).second.toString(), QStringLiteral("F"));
        QCOMPARE(cols.at(6).second.toString(), QStringLiteral("AB +"));
        QCOMPARE(cols.at(14).second.toString(), QString());
        QVERIFY(!cols.at(14).second.isNull());
    }
};

QTEST_GUILESS_MAIN(TestValidadorPersona)
#include "tst_validadorpersona.moc"
