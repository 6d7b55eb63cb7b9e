#include "data/ventanas/ErroresBD.h"

#include "app/ventanas/Dialogos.h"
#include "data/ErrorBD.h"

void avisarErrorBD(QWidget* padre, const QString& queFallo, const ErrorBD& error,
                   const QString& titulo) {
    Dialogos::actual().mensaje(padre, queFallo + QStringLiteral("\n\n") + error.texto(),
                               Dialogos::Icono::Critico, titulo);
}

bool intentarBD(QWidget* padre, const QString& queFallo, const std::function<void()>& paso,
                const QString& titulo) {
    try {
        paso();
        return true;
    } catch (const ErrorBD& e) {
        avisarErrorBD(padre, queFallo, e, titulo);
        return false;
    }
}
