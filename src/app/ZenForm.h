#pragma once

#include <QMainWindow>

// The main window.
class ZenForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit ZenForm(QWidget *parent = nullptr);
};
