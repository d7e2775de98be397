#pragma once
// The program's application on the offscreen platform, made once per benchmark process.

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "app/conversion/PictureFormats.h"
#include "ui/Application.h"

namespace benchwindow {

inline void StartApplication() {
    static const bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // The offscreen platform says on every showing that it cannot raise a window.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            if (!message.contains("raise()")) fprintf(stderr, "%s\n", qPrintable(message));
        });
        TApplication::Initialize();
        RegisterPictureFormats();
        return true;
    }();
    (void)started;
}

}  // namespace benchwindow
