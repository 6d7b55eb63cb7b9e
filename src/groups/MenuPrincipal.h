#pragma once
// The main window: groups, their members and the tests (filled in by the groups work).

#include <QMainWindow>

class De1;

class MenuPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit MenuPrincipal(De1& de1, QWidget* parent = nullptr);

private:
    De1& de1_;
};
