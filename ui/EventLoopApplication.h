#pragma once
// The Qt application of the program: every dispatched event is guarded by the default exception
// handler, and afterwards idle bitmap canvases give back their drawing contexts.

#include <QApplication>

class EventLoopApplication : public QApplication {
public:
    EventLoopApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
