#pragma once
// The one way a window shows a database failure: what failed, as a Spanish
// sentence, a blank line, then the driver's text, in a critical message box
// (through Dialogos). The window stays open.

#include <QString>
#include <functional>

class ErrorBD;
class QWidget;

void avisarErrorBD(QWidget* padre, const QString& queFallo, const ErrorBD& error,
                   const QString& titulo = {});

// Runs a database step; when it throws ErrorBD, shows it as above and answers false.
bool intentarBD(QWidget* padre, const QString& queFallo, const std::function<void()>& paso,
                const QString& titulo = {});
