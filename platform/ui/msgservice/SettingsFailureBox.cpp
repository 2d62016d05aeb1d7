#include "platform/ui/msgservice/SettingsFailureBox.h"

#include "platform/registry/WriteFailures.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>
#include <QFile>

namespace torvane::ui {

namespace {

QString settingsFailureText(const QString& file, const QString& reason)
{
    return QStringLiteral("The settings cannot be stored in %1: %2. Changes are lost when the program ends.")
        .arg(file, reason);
}

} // namespace

void installSettingsFailureBox()
{
    registry::setWriteFailureHandler([](const std::string& file, const std::string& reason) {
        const QString text = settingsFailureText(QFile::decodeName(file.c_str()), QString::fromLocal8Bit(reason));
        // A program that has ended its application object has no one left to show the box to.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [text] {
                messageBox(QApplication::activeWindow(), text, QCoreApplication::applicationName(),
                           MB_OK | MB_ICONEXCLAMATION);
            },
            Qt::QueuedConnection);
    });
}

} // namespace torvane::ui
