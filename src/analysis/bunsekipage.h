#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QPushButton;
class Grid;

// Every record in a list sortable by column (fraBunseki).
class BunsekiPage : public QWidget {
    Q_OBJECT
public:
    BunsekiPage(FormState &state, QWidget *parent);

    QPushButton *cmdSort1, *cmdSort2, *cmdSort3, *cmdSort4, *cmdSort5;
    Grid *msgIchiran;

private:
    FormState &m_state;
};
