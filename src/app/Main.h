#pragma once

#include <QMainWindow>

// The main window of the program.
class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(QWidget* parent = nullptr);
};
