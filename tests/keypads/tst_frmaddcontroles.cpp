// The keypad assignment window against a receiver played by the test.
#include "Catalogo.h"
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "Ventanas.h"
#include "app/Claves.h"
#include "app/Ini.h"
#include "groups/Seleccion.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/ventanas/FrmAddControles.h"
#include "keypads/ventanas/NombresFrmAddControles.h"
#include "persons/AlmacenImagenes.h"
#include "persons/ventanas/FichaEvaluado.h"
#include "persons/ventanas/NombresFichaEvaluado.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace n = nombres::frmAddControles;

namespace {

class SeleccionPrueba : public Seleccion {
public:
    std::optional<Grupo> grupo;
    std::optional<Grupo> grupoSeleccionado() const override { return grupo; }
    std::optional<qint32> examenSeleccionado() const override { return std::nullopt; }
    QList<Evaluado> evaluados() const override { return {}; }
};

using Guardados = QList<std::pair<qint32, int>>;

// A catalog with the group "Tarde" and its members (name, Remoto), a receiver, the window.
struct Sala {
    EntornoPrueba entorno;
    DialogosDePrueba dialogos;
    ReceptorFalso receptor;
    SeleccionPrueba seleccion;
    QList<qint32> personas;
    std::unique_ptr<FrmAddControles> ventana;

    explicit Sala(const QList<std::pair<QString, QVariant>>& miembros = {
                      {"Ana Ruiz", QVariant()}, {"Luis O'Brien", 0}, {"Marta Paz", 7}}) {
        De1& de1 = entorno.de1();
        Transaccion t(de1); // one commit: the catalog file syncs once
        const qint32 otro = catalogo::grupo(de1, "C0", "Otro", 0);
        const qint32 grupo = catalogo::grupo(de1, "C1", "Tarde", 0);
        for (const auto& [nombre, remoto] : miembros) {
            personas << catalogo::nuevaPersona(de1, nombre, QString::number(100 + personas.size()));
            catalogo::miembro(de1, grupo, personas.last(), remoto);
        }
        catalogo::miembro(de1, otro, personas.first(), 5); // another group's member stays put
        t.confirmar();
        seleccion.grupo = Grupo{grupo, "C1", QDate(), "Tarde", ""};
    }
    void abrir() {
        ventana = std::make_unique<FrmAddControles>(entorno.de1(), seleccion, receptor);
        ventana->protocolo().fijarPausa(2);
        ventana->show();
    }
    template <class T = QPushButton> T* c(const QString& nombre) {
        return hijo<T>(*ventana, nombre);
    }
    void clic(const QString& boton) { pulsar(*ventana, boton); }
    QString texto(const QString& etiqueta) { return c<QLabel>(etiqueta)->text(); }
    QStringList columna(int col) { return ::columna(c<QTableView>(n::kEvaluados), col); }
    // Each member with its keypad, in key order.
    Guardados con(const QList<int>& remotos) {
        Guardados r;
        for (int i = 0; i < remotos.size(); ++i)
            r.append({personas[i], remotos[i]});
        return r;
    }
    // The group's stored (Persona, Remoto) rows in key order, null Remoto as -1.
    Guardados guardados() {
        QSqlQuery q = entorno.de1().ejecutar("SELECT Persona, Remoto FROM GruposPersonas WHERE "
                                             "Grupo = ? ORDER BY CodigoGrupoPersona",
                                             {seleccion.grupo->codigo});
        Guardados r;
        while (q.next())
            r.append({q.value(0).toInt(), q.value(1).isNull() ? -1 : q.value(1).toInt()});
        return r;
    }
    // Search, keypad found, sequence out, receiver confirms; one search at a time.
    void asignar(int fila) {
        c<QTableView>(n::kEvaluados)->selectRow(fila);
        clic(n::kBuscarControl);
        QVERIFY(!c(n::kBuscarControl)->isEnabled());
        QCOMPARE(texto(n::kEstadoBusqueda), QStringLiteral("Buscando Remoto..."));
        receptor.estado(10);
        QTRY_VERIFY(receptor.escritos.size() >= 4);
        receptor.estado(2);
        QTRY_COMPARE(texto(n::kEstadoBusqueda), QStringLiteral("Datos enviados exitosamente"));
        QVERIFY(c(n::kBuscarControl)->isEnabled());
    }
};

} // namespace

class TestFrmAddControles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void asignaYGuardaAlAceptar() {
        Sala s;
        s.abrir();
        QCOMPARE(s.texto(n::kGrupo), QStringLiteral("Grupo Tarde"));
        QCOMPARE(s.columna(0), (QStringList{"Ana Ruiz", "Luis O'Brien", "Marta Paz"}));
        QCOMPARE(s.c<QComboBox>(n::kCampoFiltro)->currentText(), QStringLiteral("Documento"));
        QVERIFY(s.receptor.abierto);
        QCOMPARE(s.texto(n::kEnlace), QStringLiteral("Dispositivo conectado"));
        const Guardados antes = s.guardados();
        s.asignar(1);
        QCOMPARE(s.receptor.escritos.at(1), reporte({0, 0, 0x52, 4})); // second row: keypad 4
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "4", "7"}));
        QCOMPARE(s.guardados(), antes); // nothing stored before "Aceptar"
        s.clic(n::kAceptar);
        QCOMPARE(s.ventana->result(), int(QDialog::Accepted));
        QCOMPARE(s.guardados(), s.con({0, 4, 7}));
        QCOMPARE(catalogo::filas(s.entorno.de1(), "GruposPersonas"), 4);
        QVERIFY(!s.receptor.abierto);
    }

    void errorYDesenchufe() {
        Sala s;
        s.receptor.presente = false;
        s.abrir();
        QCOMPARE(s.texto(n::kEnlace), QStringLiteral("Dispositivo desconectado"));
        s.receptor.enchufar(true);
        QCOMPARE(s.texto(n::kEnlace), QStringLiteral("Dispositivo conectado"));
        s.clic(n::kBuscarControl);
        s.receptor.estado(5);
        QTRY_COMPARE(s.texto(n::kEstadoBusqueda), QStringLiteral("Valo no permitido"));
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "no asignado", "7"}));
        // Unplugging ends the search the receiver forgot; plugging back allows a new one.
        s.clic(n::kBuscarControl);
        s.receptor.enchufar(false);
        QVERIFY(!s.c(n::kBuscarControl)->isEnabled());
        s.receptor.enchufar(true);
        QVERIFY(s.c(n::kBuscarControl)->isEnabled());
        QVERIFY(s.dialogos.mensajes.isEmpty());
    }

    void falloLimpiarYCancelar() {
        Sala s;
        s.abrir();
        const Guardados antes = s.guardados();
        s.asignar(0);
        QCOMPARE(s.columna(2), (QStringList{"3", "no asignado", "7"}));
        De1& de1 = s.entorno.de1();
        de1.ejecutar(
            QStringLiteral("CREATE TRIGGER falla BEFORE UPDATE ON GruposPersonas WHEN "
                           "NEW.Persona = %1 BEGIN SELECT RAISE(ABORT, 'disco lleno'); END")
                .arg(s.personas[2]));
        s.clic(n::kAceptar); // a failed store leaves the window open and nothing half-written
        QVERIFY(s.ventana->isVisible());
        QVERIFY(
            s.dialogos.ultimo().startsWith("No se pudieron guardar los controles asignados.\n\n"));
        QVERIFY(s.dialogos.ultimo().contains(QStringLiteral("disco lleno")));
        QCOMPARE(s.guardados(), antes);
        de1.ejecutar(QStringLiteral("DROP TRIGGER falla"));
        s.clic(n::kCancelar);
        QCOMPARE(s.guardados(), antes);
        s.abrir();
        s.clic(n::kLimpiar);
        QCOMPARE(s.columna(2), QStringList(3, "no asignado"));
        s.clic(n::kAceptar);
        QCOMPARE(s.guardados(), s.con({0, 0, 0}));
    }

    void otroPuestoCambiaElGrupo() {
        // While the window is open another workstation adds a member and removes one.
        Sala s;
        s.abrir();
        De1& de1 = s.entorno.de1();
        const qint64 primera =
            de1.valor("SELECT min(CodigoGrupoPersona) FROM GruposPersonas").toLongLong();
        const qint32 nueva = catalogo::nuevaPersona(de1, "Nora Gil");
        catalogo::miembro(de1, s.seleccion.grupo->codigo, nueva, 9);
        de1.ejecutar("DELETE FROM GruposPersonas WHERE Grupo = ? AND Persona = ?",
                     {s.seleccion.grupo->codigo, s.personas[1]});
        s.asignar(0);
        s.clic(n::kAceptar);
        QCOMPARE(s.guardados(), (Guardados{{s.personas[0], 3}, {s.personas[2], 7}, {nueva, 9}}));
        // The members' own rows were changed, not rewritten.
        QCOMPARE(de1.valor("SELECT min(CodigoGrupoPersona) FROM GruposPersonas").toLongLong(),
                 primera);
    }

    void filtroConservaLosOcultos() {
        Sala s({{"Ana Ruiz", 4}, {"Luis O'Brien", 0}, {"Rosa 100% D'Angelo_x", 0}});
        EscribirIni(claves::kFiltro, "0");
        s.abrir();
        auto* txt = s.c<QLineEdit>(n::kFiltro);
        for (const char* t : {"d'angelo", "100%", "o_x"}) { // quotes and wildcards are literal
            txt->setText(QString::fromLatin1(t));
            QCOMPARE(s.columna(0), QStringList{"Rosa 100% D'Angelo_x"});
        }
        s.asignar(0);
        // It answers at the 3rd position of the group, though first in the list.
        QCOMPARE(s.receptor.escritos.at(1), reporte({0, 0, 0x52, 5}));
        txt->setText(QStringLiteral("   "));
        QCOMPARE(s.columna(2), (QStringList{"4", "no asignado", "5"}));
        txt->setText(QStringLiteral("Rosa"));
        s.c<QComboBox>(n::kCampoFiltro)->setCurrentIndex(1); // the field chosen is kept
        s.clic(n::kAceptar);
        QCOMPARE(s.guardados(), s.con({4, 0, 5}));
        QCOMPARE(LeerIni(claves::kFiltro), QStringLiteral("1"));
    }

    void fichaSigueALaFilaQueSeAsigna() {
        // Ana has a photograph, Luis none, Marta a damaged file.
        Sala s;
        QImage cara(200, 250, QImage::Format_RGB32);
        cara.fill(Qt::red);
        QVERIFY(cara.save(almacen::rutaGuardada(almacen::TipoImagen::Foto, s.personas[0]), "JPG"));
        QFile danada(almacen::rutaGuardada(almacen::TipoImagen::Foto, s.personas[2]));
        QVERIFY(danada.open(QIODevice::WriteOnly));
        danada.write(QByteArray(500, '\x01'));
        danada.close();
        s.abrir();
        auto* ficha = s.c<FichaEvaluado>(n::kFicha);
        auto* lista = s.c<QTableView>(n::kEvaluados);
        auto* nombre = hijo<QLabel>(ficha, nombres::fichaEvaluado::kNombre);
        auto* foto = hijo<QLabel>(ficha, nombres::fichaEvaluado::kFoto);
        QCOMPARE(nombre->text(), QStringLiteral("Ana Ruiz"));
        QVERIFY(ficha->conFoto());
        // The operator walks down the list with the keyboard, pairing as he goes.
        lista->setFocus();
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(ficha->persona(), std::optional<qint64>(s.personas[1]));
        QCOMPARE(foto->text(), FichaEvaluado::kSinFoto);
        s.asignar(1);
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "4", "7"}));
        QCOMPARE(nombre->text(), QStringLiteral("Luis O'Brien"));
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(nombre->text(), QStringLiteral("Marta Paz"));
        QCOMPARE(hijo<QLabel>(ficha, nombres::fichaEvaluado::kDocumento)->text(),
                 QStringLiteral("Documento: 102"));
        QVERIFY(!ficha->conFoto());
        // A filter that keeps the selected member keeps his card; one that hides
        // him leaves nobody to pair, and no card.
        auto* txt = s.c<QLineEdit>(n::kFiltro);
        txt->setText(QStringLiteral("102"));
        QCOMPARE(ficha->persona(), std::optional<qint64>(s.personas[2]));
        txt->setText(QStringLiteral("100"));
        QVERIFY(!ficha->persona());
        QVERIFY(nombre->text().isEmpty());
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(nombre->text(), QStringLiteral("Ana Ruiz"));
    }

    void sinMiembrosLeidosNoSeGuardaNada() {
        Sala s;
        s.entorno.de1().ejecutar(QStringLiteral("ALTER TABLE Personas RENAME TO Otras"));
        s.abrir();
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QVERIFY(!s.c(n::kAceptar)->isEnabled()); // nothing read, nothing to store
        s.clic(n::kAceptar);
        QCOMPARE(s.guardados().size(), 3);
    }
};

QTEST_MAIN(TestFrmAddControles)
#include "tst_frmaddcontroles.moc"
