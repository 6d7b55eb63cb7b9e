// The keypad assignment window against a receiver played by the test.
#include "DialogosDePrueba.h"
#include "EntornoPrueba.h"
#include "ReceptorFalso.h"
#include "app/Globales.h"
#include "app/Ini.h"
#include "app/Seleccion.h"
#include "keypads/FrmAddControles.h"
#include "keypads/ProtocoloReceptor.h"

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

struct Miembro {
    QString nombre;
    QString documento;
    QVariant remoto;
};

// A catalog with one group and its members, a receiver and the window open on them.
struct Sala {
    EntornoPrueba entorno;
    DialogosDePrueba dialogos;
    ReceptorFalso receptor;
    SeleccionPrueba seleccion;
    qint32 grupo = 0;
    QList<qint32> personas;
    std::unique_ptr<FrmAddControles> ventana;

    explicit Sala(const QList<Miembro>& miembros = {{"Ana Ruiz", "111", QVariant()},
                                                    {"Luis O'Brien", "222", 0},
                                                    {"Marta Paz", "333", 7}}) {
        De1& de1 = entorno.de1();
        // Another group's member, to show it is left alone.
        const qint64 otro = de1.insertar("Grupos", {{"Descripcion", "Otro"}}, "CodigoGrupo");
        grupo = qint32(de1.insertar("Grupos", {{"Descripcion", "Tarde"}}, "CodigoGrupo"));
        for (const Miembro& m : miembros) {
            const qint64 p =
                de1.insertar("Personas", {{"NombrePersona", m.nombre}, {"Documento", m.documento}},
                             "CodigoPersona");
            personas.append(qint32(p));
            de1.ejecutar("INSERT INTO GruposPersonas (Grupo, Persona, Remoto) VALUES (?, ?, ?)",
                         {grupo, p, m.remoto});
        }
        de1.ejecutar("INSERT INTO GruposPersonas (Grupo, Persona, Remoto) VALUES (?, ?, 5)",
                     {otro, personas.value(0)});
        seleccion.grupo = GrupoSeleccionado{grupo, "C1", "", "Tarde", ""};
    }

    FrmAddControles& abrir() {
        ventana = std::make_unique<FrmAddControles>(entorno.de1(), seleccion, receptor);
        ventana->protocolo().fijarPausa(2);
        ventana->show();
        return *ventana;
    }

    template <class T> T* control(const char* nombre) {
        return ventana->findChild<T*>(QString::fromLatin1(nombre));
    }
    QPushButton* boton(const char* nombre) { return control<QPushButton>(nombre); }
    QString estado2() { return control<QLabel>("lblEstado2")->text(); }
    QTableView* lista() { return control<QTableView>("LvEvaluados"); }
    QStringList columna(int c) {
        QStringList r;
        const QAbstractItemModel* m = lista()->model();
        for (int i = 0; i < m->rowCount(); ++i)
            r << m->index(i, c).data().toString();
        return r;
    }
    void seleccionar(int fila) { lista()->selectRow(fila); }

    // Stored rows of the group: (Persona, Remoto) in key order.
    QList<std::pair<qint32, QVariant>> guardados() {
        QSqlQuery q = entorno.de1().ejecutar("SELECT Persona, Remoto FROM GruposPersonas WHERE "
                                             "Grupo = ? ORDER BY CodigoGrupoPersona",
                                             {grupo});
        QList<std::pair<qint32, QVariant>> r;
        while (q.next())
            r.append({q.value(0).toInt(), q.value(1)});
        return r;
    }
    int filasTotales() {
        return entorno.de1().valor("SELECT COUNT(*) FROM GruposPersonas").toInt();
    }

    // Search, keypad found, sequence out, receiver confirms.
    void asignar(int fila) {
        seleccionar(fila);
        receptor.escritos.clear();
        QTest::mouseClick(boton("CmdAgregar"), Qt::LeftButton);
        receptor.estado(10);
        QTRY_VERIFY(receptor.escritos.size() >= 4);
        receptor.estado(2);
        QTRY_COMPARE(estado2(), QStringLiteral("Datos enviados exitosamente"));
    }
};

QList<std::pair<qint32, QVariant>> filas(std::initializer_list<std::pair<qint32, int>> l) {
    QList<std::pair<qint32, QVariant>> r;
    for (const auto& [p, n] : l)
        r.append({p, QVariant(n)});
    return r;
}

} // namespace

class TestFrmAddControles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void abreConElGrupoYElReceptor() {
        Sala s;
        FrmAddControles& w = s.abrir();
        QCOMPARE(w.windowTitle(), QStringLiteral("Agregar personas al grupo"));
        QCOMPARE(s.control<QLabel>("LblTitulo")->text(),
                 QStringLiteral("Asignar  controles al grupo"));
        QCOMPARE(s.control<QLabel>("LblGrupo")->text(), QStringLiteral("Grupo Tarde"));
        const QAbstractItemModel* m = s.lista()->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Documento"));
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Remoto"));
        QCOMPARE(s.columna(0), (QStringList{"Ana Ruiz", "Luis O'Brien", "Marta Paz"}));
        QCOMPARE(s.columna(1), (QStringList{"111", "222", "333"}));
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "no asignado", "7"}));
        QCOMPARE(s.lista()->selectionModel()->selectedRows().value(0).row(), 0);
        QVERIFY(!s.control<QLabel>("ImgFoto")->pixmap().isNull()); // the placeholder photo
        // No stored choice: the filter searches "Documento".
        QCOMPARE(s.control<QComboBox>("ComboFiltro")->currentIndex(), 1);
        QCOMPARE(s.control<QComboBox>("ComboFiltro")->currentText(), QStringLiteral("Documento"));
        QCOMPARE(Globales::DuenoReceptor, qint16(1));
        QVERIFY(s.receptor.abierto);
        QCOMPARE(s.receptor.dueno, qint16(1));
        QCOMPARE(s.control<QLabel>("lblEstado")->text(), QStringLiteral("Dispositivo conectado"));
        QVERIFY(s.boton("CmdAgregar")->isEnabled());
        QCOMPARE(s.boton("CmdAgregar")->text(), QStringLiteral("Asignar control remoto"));
        QCOMPARE(s.boton("Command2")->text(), QStringLiteral("Limpiar Asignacion"));
        QCOMPARE(s.boton("Command1")->text(), QStringLiteral("Aceptar"));
        QCOMPARE(s.boton("CmdCancelar")->text(), QStringLiteral("Cancelar"));

        QTest::mouseClick(s.boton("ImgSalir"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(!s.receptor.abierto);
        QCOMPARE(Globales::DuenoReceptor, qint16(0));
        QCOMPARE(LeerIni("Tavelmo", "Filtro"), QStringLiteral("1"));
    }

    void asignaYGuardaEnOrden() {
        Sala s;
        FrmAddControles& w = s.abrir();
        const auto antes = s.guardados();
        s.seleccionar(1);
        QTest::mouseClick(s.boton("CmdAgregar"), Qt::LeftButton);
        QVERIFY(!s.boton("CmdAgregar")->isEnabled());
        QCOMPARE(s.estado2(), QStringLiteral("Buscando Remoto..."));
        QCOMPARE(s.receptor.escritos, QList<QByteArray>{reporteSalida({0, 0x01, 0x01, 0})});

        s.receptor.estado(10);
        QTRY_VERIFY(s.receptor.escritos.size() >= 4);
        QCOMPARE(s.estado2(), QStringLiteral("Control remoto encontrado"));
        QCOMPARE(s.receptor.escritos.mid(1, 3),
                 (QList<QByteArray>{reporteSalida({0, 0, 0x52, 4}), reporteSalida({0, 0, 0x4D, 4}),
                                    reporteSalida({0, 1, 0x43, 0x80})}));
        s.receptor.estado(2);
        QTRY_COMPARE(s.estado2(), QStringLiteral("Datos enviados exitosamente"));
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "4", "7"}));
        QCOMPARE(s.receptor.escritos.last(), reporteSalida({0, 0, 0x53, 0x80}));
        QVERIFY(s.boton("CmdAgregar")->isEnabled());
        // Nothing is stored before "Aceptar".
        QCOMPARE(s.guardados(), antes);

        QTest::mouseClick(s.boton("Command1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(s.guardados(),
                 filas({{s.personas[0], 0}, {s.personas[1], 4}, {s.personas[2], 7}}));
        QCOMPARE(s.filasTotales(), 4); // the other group's member is untouched
        QVERIFY(s.dialogos.mensajes.isEmpty());
    }

    void errorDelReceptorNoCambiaLaLista() {
        Sala s;
        s.abrir();
        QTest::mouseClick(s.boton("CmdAgregar"), Qt::LeftButton);
        s.receptor.estado(5);
        QTRY_COMPARE(s.estado2(), QStringLiteral("Valo no permitido"));
        QVERIFY(s.boton("CmdAgregar")->isEnabled());
        QCOMPARE(s.receptor.escritos.last(), reporteSalida({0, 0, 0x53, 0}));
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "no asignado", "7"}));
        QVERIFY(s.dialogos.mensajes.isEmpty());
    }

    void desenchufarApagaLaBusqueda() {
        Sala s;
        s.receptor.presente = false;
        s.abrir();
        QCOMPARE(s.control<QLabel>("lblEstado")->text(),
                 QStringLiteral("Dispositivo desconectado"));
        s.receptor.enchufar();
        QCOMPARE(s.control<QLabel>("lblEstado")->text(), QStringLiteral("Dispositivo conectado"));
        QTest::mouseClick(s.boton("CmdAgregar"), Qt::LeftButton);
        s.receptor.desenchufar();
        QCOMPARE(s.control<QLabel>("lblEstado")->text(),
                 QStringLiteral("Dispositivo desconectado"));
        QVERIFY(!s.boton("CmdAgregar")->isEnabled());
        // The search died with the receiver: plugging it back allows a new one.
        s.receptor.enchufar();
        QVERIFY(s.boton("CmdAgregar")->isEnabled());
        s.receptor.estado(10);
        QTest::qWait(20);
        QCOMPARE(s.receptor.escritos.size(), 1);
    }

    void limpiarYAceptarGuardaCeros() {
        Sala s;
        s.abrir();
        s.asignar(0);
        QCOMPARE(s.columna(2), (QStringList{"3", "no asignado", "7"}));
        const auto escritos = s.receptor.escritos.size();
        QTest::mouseClick(s.boton("Command2"), Qt::LeftButton);
        QCOMPARE(s.columna(2), (QStringList{"no asignado", "no asignado", "no asignado"}));
        QCOMPARE(s.receptor.escritos.size(), escritos); // nothing sent by clearing
        QTest::mouseClick(s.boton("Command1"), Qt::LeftButton);
        QCOMPARE(s.guardados(),
                 filas({{s.personas[0], 0}, {s.personas[1], 0}, {s.personas[2], 0}}));
    }

    void cancelarNoGuarda() {
        Sala s;
        s.abrir();
        const auto antes = s.guardados();
        s.asignar(1);
        QTest::mouseClick(s.boton("CmdCancelar"), Qt::LeftButton);
        QVERIFY(!s.ventana->isVisible());
        QCOMPARE(s.guardados(), antes);
    }

    void filtroConservaLosOcultos() {
        QList<Miembro> miembros;
        for (int i = 1; i <= 16; ++i)
            miembros.append({QStringLiteral("Persona %1").arg(i), QString::number(1000 + i),
                             i == 2 ? QVariant(4) : QVariant()});
        miembros[14].nombre = QStringLiteral("Rosa 100% D'Angelo_x");
        Sala s(miembros);
        s.abrir();
        auto* txt = s.control<QLineEdit>("TxtFiltro");
        s.control<QComboBox>("ComboFiltro")->setCurrentIndex(0);
        for (const char* t : {"d'angelo", "100%", "o_x"}) {
            txt->setText(QString::fromUtf8(t));
            QCOMPARE(s.columna(0), QStringList{"Rosa 100% D'Angelo_x"});
        }
        txt->setText(QStringLiteral("%"));
        QCOMPARE(s.columna(0).size(), 1); // taken literally, not as a wildcard
        txt->setText(QStringLiteral("   "));
        QCOMPARE(s.columna(0).size(), 16);
        txt->setText(QStringLiteral("Rosa "));
        s.seleccionar(0);
        QTest::mouseClick(s.boton("CmdAgregar"), Qt::LeftButton);
        s.receptor.estado(10);
        QTRY_VERIFY(s.receptor.escritos.size() >= 4);
        // The 15th member of the group, though first in the filtered list.
        QCOMPARE(s.receptor.escritos.at(1), reporteSalida({0, 0, 0x52, 18}));
        s.receptor.estado(2);
        QTRY_COMPARE(s.columna(2), QStringList{"17"});
        // Changing the filter keeps what was assigned.
        txt->clear();
        QCOMPARE(s.columna(2).at(14), QStringLiteral("17"));
        QCOMPARE(s.columna(2).at(1), QStringLiteral("4"));
        txt->setText(QStringLiteral("Rosa"));
        QTest::mouseClick(s.boton("Command1"), Qt::LeftButton);
        const auto guardados = s.guardados();
        QCOMPARE(guardados.size(), 16);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(guardados[i].first, s.personas[i]);
            QCOMPARE(guardados[i].second.toInt(), i == 1 ? 4 : i == 14 ? 17 : 0);
        }
    }

    void filtroGuardado() {
        {
            Sala s;
            EscribirIni("Tavelmo", "Filtro", "0");
            s.abrir();
            QCOMPARE(s.control<QComboBox>("ComboFiltro")->currentIndex(), 0);
            s.control<QLineEdit>("TxtFiltro")->setText(QStringLiteral("marta"));
            QCOMPARE(s.columna(0), QStringList{"Marta Paz"});
            s.control<QComboBox>("ComboFiltro")->setCurrentIndex(1);
            QVERIFY(s.columna(0).isEmpty());
            s.ventana->reject();
            QCOMPARE(LeerIni("Tavelmo", "Filtro"), QStringLiteral("1"));
        }
        for (const char* guardado : {"5", "-1", "x"}) {
            Sala s;
            EscribirIni("Tavelmo", "Filtro", QString::fromLatin1(guardado));
            s.abrir();
            // Text that is not a number reads as 0, the first entry.
            QCOMPARE(s.control<QComboBox>("ComboFiltro")->currentIndex(),
                     QByteArray(guardado) == "x" ? 0 : 1);
        }
    }

    void falloAlGuardarNoPierdeMiembros() {
        Sala s;
        s.abrir();
        const auto antes = s.guardados();
        s.asignar(0);
        s.entorno.de1().ejecutar(
            QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON GruposPersonas WHEN "
                           "NEW.Persona = %1 BEGIN SELECT RAISE(ABORT, 'disco lleno'); END")
                .arg(s.personas[2]));
        QTest::mouseClick(s.boton("Command1"), Qt::LeftButton);
        QVERIFY(s.ventana->isVisible());
        QCOMPARE(s.dialogos.mensajes.size(), 1);
        QVERIFY(s.dialogos.ultimo().contains(QStringLiteral("disco lleno")));
        QCOMPARE(s.dialogos.mensajes[0].icono, Dialogos::Icono::Critico);
        QCOMPARE(s.guardados(), antes);
        QCOMPARE(s.columna(2), (QStringList{"3", "no asignado", "7"}));
        // Once the cause is gone the same window saves.
        s.entorno.de1().ejecutar(QStringLiteral("DROP TRIGGER falla"));
        QTest::mouseClick(s.boton("Command1"), Qt::LeftButton);
        QVERIFY(!s.ventana->isVisible());
        QCOMPARE(s.guardados(),
                 filas({{s.personas[0], 3}, {s.personas[1], 0}, {s.personas[2], 7}}));
    }
};

QTEST_MAIN(TestFrmAddControles)
#include "tst_frmaddcontroles.moc"
