#include "organizer/link/ComDrv.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Settings.h"

namespace tessaro {

namespace {

std::unique_ptr<ComDrv>& form()
{
    static std::unique_ptr<ComDrv> f;
    return f;
}

RealLinkClock& realClock()
{
    static RealLinkClock c;
    return c;
}

constexpr int kHandshakeTimeoutMs = 1000;
constexpr int kEscapeSettleMs = 200;
constexpr int kLastOpenTry = 20;
constexpr int kDrainPasses = 200;

// Whatever ends a send or receive, the time-out timer stops and the link is no longer busy.
class LinkOperation {
public:
    explicit LinkOperation(ComDrv& f) : m_form(f)
    {
        m_form.clock().waitStarted();
        m_form.Timer1.setEnabled(true, m_form.now());
        TimeoutFlag = false;
        LinkBusy = true;
    }
    ~LinkOperation()
    {
        m_form.Timer1.setEnabled(false, m_form.now());
        LinkBusy = false;
    }
    LinkOperation(const LinkOperation&) = delete;
    LinkOperation& operator=(const LinkOperation&) = delete;

private:
    ComDrv& m_form;
};

QString timeoutText()
{
    return LangText(TxtTimeout) + vbCrLf + LangText(TxtCheckCable);
}

void receive(QByteArray& answer, const QByteArray& token, int timeoutMs)
{
    ComDrv& f = ComDrvForm();
    f.Timer1.setInterval(timeoutMs, f.now());
    bool found = false;
    {
        LinkOperation op(f);
        do {
            ReceiveRest += f.MSComm1.Input();
            for (const QByteArray& errorToken : ErrorTokens) {
                if (errorToken.isEmpty())
                    break;
                if (!ReceiveRest.contains(errorToken))
                    continue;
                LinkBusy = false;
                // Let the rest of the error answer arrive, so the box shows all of it.
                for (int i = 0; i < kDrainPasses; ++i) {
                    f.DoEvents();
                    f.DoEvents();
                    ReceiveRest += f.MSComm1.Input();
                }
                ReceiveRest += f.MSComm1.Input();
                const QString description = LangText(TxtMobileMessage) + QStringLiteral(": ") +
                                            QString::fromLatin1(errorToken) + vbCrLf + QString::fromLatin1(ReceiveRest);
                // The error answer is handed out with the error; left behind it would fail every
                // later receive on the open port.
                ReceiveRest.clear();
                throw OrgError(ErrMobileMessage, QStringLiteral("ComDrvEmpfangeVonMs"), description);
            }
            const qsizetype at = ReceiveRest.indexOf(token);
            if (at >= 0) {
                answer = ReceiveRest;
                ReceiveRest = ReceiveRest.mid(at + token.size());
                found = true;
            }
            f.DoEvents();
        } while (!found && !TimeoutFlag);
    }
    // A token that came in the same pass as the tick has arrived: no time-out.
    if (!found)
        throw OrgError(ErrTimeout, QStringLiteral("ComDrvEmpfangeVonMs"), timeoutText());
}

} // namespace

ComDrv::ComDrv(std::unique_ptr<SerialBackend> backend, LinkClock& clock)
    : MSComm1(std::move(backend)), Timer1([] { TimeoutFlag = true; }),
      IrDaTimer([this] { IrdaDelayFlag = true; }), DebugTimer([this] { PauseFlag = true; }), m_clock(clock)
{
    const std::int64_t t = now();
    Timer1.setInterval(ComTimeout, t);
    IrDaTimer.setInterval(IrdaEffectiveDelay, t);
    DebugTimer.setInterval(TransferPause, t);
}

void ComDrv::DoEvents()
{
    std::int64_t due = -1;
    for (const LinkTimer* t : {&Timer1, &IrDaTimer, &DebugTimer})
        if (t->due() >= 0 && (due < 0 || t->due() < due))
            due = t->due();
    m_clock.doEvents(due);
    const std::int64_t t = now();
    Timer1.poll(t);
    IrDaTimer.poll(t);
    DebugTimer.poll(t);
}

void ComDrv::waitIrDa()
{
    m_clock.waitStarted();
    IrDaTimer.setEnabled(true, now());
    IrdaDelayFlag = false;
    while (!IrdaDelayFlag)
        DoEvents();
    IrDaTimer.setEnabled(false, now());
}

void ComDrv::waitPause()
{
    m_clock.waitStarted();
    DebugTimer.setInterval(TransferPause, now());
    DebugTimer.setEnabled(true, now());
    PauseFlag = false;
    while (!PauseFlag) {
        DoEvents();
        DoEvents();
    }
    DebugTimer.setEnabled(false, now());
}

ComDrv& ComDrvForm()
{
    if (!form())
        return ComDrvLoad(makePlatformSerialBackend(), realClock());
    return *form();
}

ComDrv& ComDrvLoad(std::unique_ptr<SerialBackend> backend, LinkClock& clock)
{
    form().reset();
    form() = std::make_unique<ComDrv>(std::move(backend), clock);
    InitErrorTokens();
    return *form();
}

void ComDrvUnload()
{
    form().reset();
}

void InitErrorTokens()
{
    ErrorTokens.fill(QByteArray());
    ErrorTokens[0] = QByteArrayLiteral("ERROR");
    ErrorTokens[1] = QByteArrayLiteral("+CME ERROR");
}

bool InitComm()
{
    ComDrv& f = ComDrvForm();
    try {
        LinkBusy = true;
        if (StartedByQbr()) {
            QbrRegValGet();
            f.MSComm1.setCommPort(ComPort);
        }
        if (f.MSComm1.PortOpen()) {
            if (Infrared == 1)
                f.waitIrDa();
            LinkBusy = false;
            return true;
        }

        // Another program may hold the port for a moment (the suite's main program closes it
        // when idle): try again with growing waits.
        int tries = 0;
        do {
            try {
                f.MSComm1.setPortOpen(true);
            } catch (const OrgError& err) {
                if (err.number() != CommErrPortInUse)
                    throw OrgError(err.number(), err.source(),
                                   err.description() + vbCrLf + LangText(TxtPortNotAvailable) +
                                       QString::number(f.MSComm1.CommPort()));
                f.IrDaTimer.setInterval(150 + 17 * tries, f.now());
                f.waitIrDa();
            }
            ++tries;
        } while (!f.MSComm1.PortOpen() && tries <= kLastOpenTry);
        if (!f.MSComm1.PortOpen())
            throw OrgError(ErrPortNotAvailable, QStringLiteral("InitComm"),
                           LangText(TxtPortNotAvailable) + QString::number(f.MSComm1.CommPort()));

        if (Infrared == 1) {
            f.IrDaTimer.setInterval(IrdaEffectiveDelay, f.now());
            f.waitIrDa();
        }
        ReceiveRest.clear();

        // A phone may sleep through the first wake-up: one silent pass is forgiven.
        for (int pass = 0;; ++pass) {
            ComDrvSendeAnMs(QByteArray(1, '\x1b'));
            f.IrDaTimer.setInterval(kEscapeSettleMs, f.now());
            f.waitIrDa();
            // What came in while the phone woke up is the late answer to an earlier command
            // that timed out (a slow phone still finishing it). Taken for the handshake's "OK",
            // it would leave the real one waiting and every later exchange one answer behind.
            f.MSComm1.Input();
            ReceiveRest.clear();
            ComDrvSendeAnMs(QByteArrayLiteral("ATE0+CMEE=2\r"));
            QByteArray answer;
            try {
                receive(answer, QByteArrayLiteral("OK"), kHandshakeTimeoutMs);
            } catch (const OrgError& err) {
                f.Timer1.setInterval(ComTimeout, f.now());
                f.IrDaTimer.setInterval(IrdaEffectiveDelay, f.now());
                if (err.number() != ErrTimeout)
                    throw;
                if (pass == 0)
                    continue;
                throw OrgError(ErrTimeout, QStringLiteral("InitComm"), timeoutText());
            }
            f.Timer1.setInterval(ComTimeout, f.now());
            f.IrDaTimer.setInterval(IrdaEffectiveDelay, f.now());
            LinkBusy = false;
            return true;
        }
    } catch (const OrgError& err) {
        ShowErrorBox(err, QStringLiteral("InitComm"));
        CloseComm();
        LinkBusy = false;
        ResetMobileState();
        FocusMainWindow();
        return false;
    }
}

void CloseComm()
{
    ComDrv& f = ComDrvForm();
    if (f.MSComm1.PortOpen())
        f.MSComm1.setPortOpen(false);
}

void ComDrvSendeAnMs(const QByteArray& text)
{
    ComDrv& f = ComDrvForm();
    auto room = [&f] { return f.MSComm1.OutBufferSize() - f.MSComm1.OutBufferCount(); };
    bool fits = false;
    {
        LinkOperation op(f);
        fits = room() >= text.size();
        while (!fits && !TimeoutFlag) {
            f.DoEvents();
            fits = room() >= text.size();
        }
    }
    if (!fits)
        throw OrgError(ErrTimeout, QStringLiteral("ComDrvSendeAnMs"), timeoutText());
    f.MSComm1.Output(text);
}

void ComDrvEmpfangeVonMs(QByteArray& answer, const QByteArray& token)
{
    receive(answer, token, ComTimeout);
}

} // namespace tessaro
