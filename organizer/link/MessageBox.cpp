#include "organizer/link/MessageBox.h"

#include "organizer/link/OrgError.h"

#include <QDebug>

namespace tessaro {

QString AppTitle = QStringLiteral("Tessaro");

namespace {

MessageBoxHandler& handler()
{
    static MessageBoxHandler h;
    return h;
}

QString errorBoxText(int number, const QString& description, const QString& location)
{
    return QStringLiteral("Number: ") + QString::number(number) + vbCrLf + QStringLiteral("Description: ") +
           description + vbCrLf + QStringLiteral("Location: ") + location;
}

} // namespace

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler h)
{
    MessageBoxHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}

int MsgBox(const QString& text, int style, const QString& caption)
{
    if (handler())
        return handler()(text, style, caption);
    qDebug().noquote() << "message box" << caption << ":" << text;
    return (style & 7) == vbYesNo ? vbYes : vbOK;
}

void ShowErrorBox(const torvane::controls::ControlError& err, const QString& procName, const QString& locationTail)
{
    QString location = AppTitle + QLatin1Char(':') + procName;
    if (!locationTail.isEmpty())
        location += QLatin1Char(':') + locationTail;
    MsgBox(errorBoxText(err.number(), err.description(), location), vbExclamation,
           QStringLiteral("An Error Occurred In: ") + err.source() + QLatin1Char(':') + procName);
}

void ShowErrorBoxWithLine(int number, const QString& source, const QString& description,
                          const QString& procName, const QString& lastLine)
{
    MsgBox(errorBoxText(number, description, AppTitle + QLatin1Char(':') + procName) + vbCrLf + lastLine,
           vbExclamation, QStringLiteral("An Error Occurred In: ") + source + QLatin1Char(':') + procName);
}

} // namespace tessaro
