#include "organizer/link/Frontend.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TessaroStrings.h"

namespace tessaro {

namespace {

const QByteArray kStateQuestion = QByteArrayLiteral("AT^SBNW?\r");

// Runs a guarded operation: the busy mark goes and the port is closed on any error.
template <typename Body>
void guarded(const QString& procName, Body body)
{
    BeginFunc(procName);
    try {
        body();
    } catch (...) {
        FrontendBusy = false;
        CloseComm();
        throw;
    }
    FrontendBusy = false;
}

} // namespace

void BeginFunc(const QString& procName)
{
    // A call from an event handler while an operation waits on the phone is refused before it
    // touches the link: opening or closing here would pull the line from under the running one.
    if (FrontendBusy)
        throw OrgError(ErrReentrantCall, QStringLiteral("BeginFunc"), LangText(TxtReentrantCall) + vbCrLf + procName);
    InitComm();
    FrontendBusy = true;
}

void SendeFeldAnMs(const QByteArray& data, const QByteArray& type, std::int16_t index)
{
    guarded(QStringLiteral("SendeFeldAnMs"), [&] {
        CheckMobileWrite();
        SendeDatenobjektAnMs(data, type, index);
    });
}

void RecordLoeschen(const QByteArray& type, std::int16_t index)
{
    guarded(QStringLiteral("RecordLoeschen"), [&] { Loesch(type, index); });
}

bool CheckMobileWrite()
{
    QByteArray answer;
    SendToMobile(kStateQuestion);
    ReceiveFromMobile(answer, QByteArrayLiteral("OK"));
    if (UploadIdle(answer))
        return true;
    const QByteArray reset = UploadResetCommand(answer);
    if (!reset.isEmpty()) {
        SendToMobile(reset + '\r');
        ReceiveFromMobile(answer, QByteArrayLiteral("OK"));
    }
    SendToMobile(kStateQuestion);
    ReceiveFromMobile(answer, QByteArrayLiteral("OK"));
    if (UploadIdle(answer))
        return true;
    throw OrgError(ErrUploadPending, AppTitle + QStringLiteral(":CheckMobileWrite"), LangText(TxtUploadPending));
}

} // namespace tessaro
