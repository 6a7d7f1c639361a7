#include "AdminTool.h"

#include "report/PictureMemory.h"

#include <QGuiApplication>
#include <QStringConverter>
#include <cstdio>

namespace {

// The tool speaks French on standard error; Qt's own notices about the
// desktop session (no runtime folder, no display) are not for its users.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    // The tool never opens a window: it draws off screen, with or without a
    // display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PictureMemory::KeepLargeBuffers();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    AdminTool tool(out, err);
    return tool.Run(app.arguments().mid(1));
}
