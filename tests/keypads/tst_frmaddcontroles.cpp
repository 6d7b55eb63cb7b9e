// The keypad assignment window against a receiver played by the test.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "app/Seleccion.h"
#include "keypads/ProtocoloReceptor.h"
#include "keypads/ventanas/FrmAddControles.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

class SeleccionPrueba : public Seleccion {
public:
    std::optional<GrupoSeleccionado> grupo;
    std::optional<GrupoSeleccionado> grupoSeleccionado() const override { return grupo; }
    std::optional<qint32> examenSeleccionado() const override { return std::nullopt; }
    QList<EvaluadoListado> evaluados() const override { return {}; }
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
        const QString alta("INSERT INTO GruposPersonas (Grupo, Persona, Remoto) VALUES (?, ?, ?)");
        const qint64 otro = de1.insertar("Grupos", {{"Descripcion", "Otro"}}, "CodigoGrupo");
        const qint64 grupo = de1.insertar("Grupos", {{"Descripcion", "Tarde"}}, "CodigoGrupo");
        for (const auto& [nombre, remoto] : miembros) {
            personas << qint32(de1.insertar(
                "Personas", {{"NombrePersona", nombre}, {"Documento", 100 + personas.size()}},
                "CodigoPersona"));
            de1.ejecutar(alta, {grupo, personas.last(), remoto});
        }
        de1.ejecutar(alta, {otro, personas.first(), 5}); // another group's member stays put
        t.confirmar();
        seleccion.grupo = GrupoSeleccionado{qint32(grupo), "C1", "", "Tarde", ""};
    }
    void abrir() {
        ventana = std::make_unique<FrmAddControles>(entorno.de1(), seleccion, receptor);
        ventana->protocolo().fijarPausa(2);
        ventana->show();
    }
    template <class T = QPushButton> T* c(const char* nombre) {
        return ventana->findChild<T*>(QString::fromLatin1(nombre));
    }
    void clic(const char* boton) { QTest::mouseClick(c(boton), Qt::LeftButton); }
    QString texto(const char* etiqueta) { return c<QLabel>(etiqueta)->text(); }
    QStringList columna(int col) {
        const QAbstractItemModel* m = c<QTableView>("LvEvaluados")->model();
        QStringList r;
        for (int i = 0; i < m->rowCount(); ++i)
            r << m->index(i, col).data().toString();
        return r;
    }
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
        c<QTableView>("LvEvaluados")->selectRow(fila);
        clic("CmdAgregar");
        QVERIFY(!c("CmdAgregar")->isEnabled());
        QCOMPARE(texto("lblEstado2"), QStringLiteral("Buscando Remoto..."));
        receptor.estado(10);
        QTRY_VERIFY(receptor.escritos.size() >= 4);
        receptor.estado(2);
        QTRY_COMPARE(texto("lblEstado2"), QStringLiteral("Datos enviados exitosamente"));
        QVERIFY(c("CmdAgregar")->isEnabled());
    }
};

} // namespace

class TestFrmAddControles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void asignaYGuardaAlAceptar() {
        Sala s;
        s.abrir();
        QCOMPARE(s.texto("LblGrupo"), QStringLiteral("Grupo Tarde"));
        QCOMPARE(s.columna(0), (QStringList{"Ana Ruiz", "Luis O'Brien", "Marta Paz"}));
        QCOMPARE(s.c<QComboBox>("ComboFiltro")->currentText(), QStringLiteral("Documento"));
        QCOMPARE(s.receptor.dueno, Globales::DuenoReceptor);
        QCOMPARE(s.texto("lblEstado"), QStringLiteral("Dispositivo conectado"));
        const Guardados antes = s.guardados();
        s.asignar(1);
        QCOMPARE(s.receptor.escritos.at(1), reporte({0, 0, 0x52, 4})); // second row: keypad 4
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "4", "7"}));
        QCOMPARE(s.guardados(), antes); // nothing stored before "Aceptar"
        s.clic("Command1");
        QCOMPARE(s.ventana->result(), int(QDialog::Accepted));
        QCOMPARE(s.guardados(), s.con({0, 4, 7}));
        QCOMPARE(s.entorno.de1().valor("SELECT COUNT(*) FROM GruposPersonas").toInt(), 4);
        QCOMPARE(s.receptor.dueno + Globales::DuenoReceptor, 0); // link closed, owner cleared
    }

    void errorYDesenchufe() {
        Sala s;
        s.receptor.presente = false;
        s.abrir();
        QCOMPARE(s.texto("lblEstado"), QStringLiteral("Dispositivo desconectado"));
        s.receptor.enchufar(true);
        QCOMPARE(s.texto("lblEstado"), QStringLiteral("Dispositivo conectado"));
        s.clic("CmdAgregar");
        s.receptor.estado(5);
        QTRY_COMPARE(s.texto("lblEstado2"), QStringLiteral("Valo no permitido"));
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "no asignado", "7"}));
        // Unplugging ends the search the receiver forgot; plugging back allows a new one.
        s.clic("CmdAgregar");
        s.receptor.enchufar(false);
        QVERIFY(!s.c("CmdAgregar")->isEnabled());
        s.receptor.enchufar(true);
        QVERIFY(s.c("CmdAgregar")->isEnabled());
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
        s.clic("Command1"); // a failed store leaves the window open and nothing half-written
        QVERIFY(s.ventana->isVisible());
        QVERIFY(s.dialogos.ultimo().contains(QStringLiteral("disco lleno")));
        QCOMPARE(s.guardados(), antes);
        de1.ejecutar(QStringLiteral("DROP TRIGGER falla"));
        s.clic("CmdCancelar");
        QCOMPARE(s.guardados(), antes);
        s.abrir();
        s.clic("Command2");
        QCOMPARE(s.columna(2), QStringList(3, "no asignado"));
        s.clic("Command1");
        QCOMPARE(s.guardados(), s.con({0, 0, 0}));
    }

    void otroPuestoCambiaElGrupo() {
        // While the window is open another workstation adds a member and removes one.
        Sala s;
        s.abrir();
        De1& de1 = s.entorno.de1();
        const qint64 primera =
            de1.valor("SELECT min(CodigoGrupoPersona) FROM GruposPersonas").toLongLong();
        const qint32 nueva =
            qint32(de1.insertar("Personas", {{"NombrePersona", "Nora Gil"}}, "CodigoPersona"));
        de1.ejecutar("INSERT INTO GruposPersonas (Grupo, Persona, Remoto) VALUES (?, ?, 9)",
                     {s.seleccion.grupo->codigo, nueva});
        de1.ejecutar("DELETE FROM GruposPersonas WHERE Grupo = ? AND Persona = ?",
                     {s.seleccion.grupo->codigo, s.personas[1]});
        s.asignar(0);
        s.clic("Command1");
        QCOMPARE(s.guardados(), (Guardados{{s.personas[0], 3}, {s.personas[2], 7}, {nueva, 9}}));
        // The members' own rows were changed, not rewritten.
        QCOMPARE(de1.valor("SELECT min(CodigoGrupoPersona) FROM GruposPersonas").toLongLong(),
                 primera);
    }

    void filtroConservaLosOcultos() {
        Sala s({{"Ana Ruiz", 4}, {"Luis O'Brien", 0}, {"Rosa 100% D'Angelo_x", 0}});
        EscribirIni("Tavelmo", "Filtro", "0");
        s.abrir();
        auto* txt = s.c<QLineEdit>("TxtFiltro");
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
        s.clic("Command1");
        QCOMPARE(s.guardados(), s.con({4, 0, 5}));
    }

    void filtroGuardado() {
        for (const auto& [guardado, indice] :
             QList<std::pair<QString, int>>{{"0", 0}, {"5", 1}, {"-1", 1}, {"x", 0}}) {
            Sala s;
            EscribirIni("Tavelmo", "Filtro", guardado);
            s.abrir();
            QCOMPARE(s.c<QComboBox>("ComboFiltro")->currentIndex(), indice);
            s.c<QComboBox>("ComboFiltro")->setCurrentIndex(1 - indice);
            s.clic("ImgSalir");
            QCOMPARE(LeerIni("Tavelmo", "Filtro"), QString::number(1 - indice));
        }
    }

    void sinMiembrosLeidosNoSeGuardaNada() {
        Sala s;
        s.entorno.de1().ejecutar(QStringLiteral("ALTER TABLE Personas RENAME TO Otras"));
        s.abrir();
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QVERIFY(!s.c("Command1")->isEnabled()); // an empty list would empty the group
        s.clic("Command1");
        QCOMPARE(s.guardados().size(), 3);
    }
};

QTEST_MAIN(TestFrmAddControles)
#include "tst_frmaddcontroles.moc"
