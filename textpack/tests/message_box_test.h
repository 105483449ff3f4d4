#pragma once

#include <QObject>

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void errorShowsACriticalBoxWithCaptionAndText();
    void nullTextsShowAnEmptyBox();
};
