#pragma once
// A workstation as offices have them, for the tests that depend on it: an
// offscreen screen of a given size and a language other than Spanish. Both must
// be chosen before the application is made, hence a main of their own.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace puesto {

inline void preparar(int ancho, int alto) {
    static QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("pantalla.json"));
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral("{\"screens\": [{\"name\": \"Puesto\", \"x\": 0, \"y\": 0, "
                               "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, \"dpr\": 1}]}")
                    .arg(ancho)
                    .arg(alto)
                    .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + ruta.toLocal8Bit());
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "en_US.UTF-8");
    qunsetenv("LANGUAGE");
}

} // namespace puesto

// Runs `accion` inside the modal loop of the first dialog shown whose object name
// or class is `nombre`, then closes that dialog whatever `accion` found.
class DentroDe : public QObject {
public:
    DentroDe(const QString& nombre, std::function<void(QDialog*)> accion)
        : nombre_(nombre), accion_(std::move(accion)) {
        qApp->installEventFilter(this);
    }
    bool hecho = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* d = qobject_cast<QDialog*>(o);
        if (e->type() == QEvent::Show && d && !hecho &&
            (d->objectName() == nombre_ ||
             QLatin1String(d->metaObject()->className()) == nombre_)) {
            hecho = true;
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, d, [this, d] {
                accion_(d);
                if (d->isVisible())
                    d->reject();
            });
        }
        return false;
    }

private:
    QString nombre_;
    std::function<void(QDialog*)> accion_;
};

// QTEST_MAIN on a 1366 × 768 screen of a workstation whose language is English.
#define TAVELMO_MAIN_PUESTO(Clase)                                                                 \
    int main(int argc, char** argv) {                                                              \
        puesto::preparar(1366, 768);                                                               \
        QApplication app(argc, argv);                                                              \
        Clase prueba;                                                                              \
        return QTest::qExec(&prueba, argc, argv);                                                  \
    }
