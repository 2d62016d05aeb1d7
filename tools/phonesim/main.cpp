// phonesim: a simulated phone on a pseudo-terminal, for trying the suite without a phone.
#include "tools/phonesim/PhoneSim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>

using namespace torvane::phonesim;

namespace {

const char* const kDescription =
    "A simulated phone on a pseudo-terminal. It makes the terminal, links its device at the\n"
    "path given with --link and answers AT commands there until it gets SIGINT or SIGTERM.\n"
    "Point a port of the suite at it with --link $XDG_CONFIG_HOME/torvane/ports/COM1.\n"
    "\n"
    "It answers the status dialogue (ATE1Q0V1, AT+CGMI, AT+CGMM, AT+CPIN?, AT^SPIC, AT+CPIN=,\n"
    "AT+CREG?, AT+CBC, AT+CSQ) and the line settings ATE, ATQ, ATV, ATZ, AT&F, AT+CMEE; SMS in\n"
    "PDU mode (AT^SMGL, AT+CMGD, AT+CMGS, AT+CMGW, AT+CMGC, AT^SSTK; a message sent to the\n"
    "phone's own number comes back as received); phonebooks (AT^SPBS, AT+CPBR, AT+CPBW); call\n"
    "barring (AT^SLCK, password 0000) and forwarding (AT+CCFC); the object store (AT^SBNR,\n"
    "AT^SBNW) with the ring tone melody (AT^SBNW=\"mid\",...) and its test play (AT^SRTC).\n"
    "\n"
    "Faults (--fault, may be repeated; CMD is a command as sent after AT, e.g. +CPIN? or +CSQ;\n"
    "without CMD a fault hits every command line; append @N to let the first N-1 pass and\n"
    "*N to hit only N lines):\n"
    "  silent[:CMD]         no answer (without CMD: no echo either, a phone that is off)\n"
    "  delay:MS[:CMD]       answer MS milliseconds late\n"
    "  error[:CMD]          answer ERROR\n"
    "  cme:N[:CMD]          answer +CME ERROR: N\n"
    "  cms:N[:CMD]          answer +CMS ERROR: N (an SMS command refused)\n"
    "  drop[:MS[:CMD]]      hang the line up; it comes back on the same link after MS\n"
    "  garble[:CMD]         corrupt every third byte of the answer\n"
    "\n"
    "State file (--state): JSON with the sections line (echo, quiet, verbose, cmee), identity\n"
    "(manufacturer, model), sim (state: READY, SIM PIN, SIM PUK, SIM PIN2 or SIM PUK2; pin,\n"
    "puk, pin2, puk2 and their attempts), network (registration: home, roaming, searching,\n"
    "unregistered, denied; cregMode), battery (status, level) and signal (rssi, ber), and under\n"
    "modules: sms (messages, capacity, ownNumber, serviceCentre), phonebooks (storages),\n"
    "barring (barred, password), forwarding (forwards), melody (melody, ringType, volume) and\n"
    "objectStore. Missing keys keep their defaults: a registered TORVANE phone with its SIM\n"
    "ready and PIN 1234.\n"
    "The file is read at start when it exists and written back when phonesim ends.";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("phonesim");

    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    parser.addHelpOption();
    const QCommandLineOption linkOption("link", "Where to link the phone's device (required).", "PATH");
    const QCommandLineOption stateOption("state", "Read the phone's state from FILE and write it back at the end.",
                                         "FILE");
    const QCommandLineOption baudOption(
        "baud", "Pace the line both ways to N baud (10 bits a byte): answers go out no faster, and a command counts "
                "as received once its bytes would have crossed.", "N");
    const QCommandLineOption paceOption("pace", "Pace the line both ways to 19200 baud.");
    const QCommandLineOption transcriptOption("transcript", "Write every byte in and out to FILE (- for the terminal).",
                                              "FILE");
    const QCommandLineOption faultOption("fault", "Misbehave as FAULT says (see above).", "FAULT");
    const QCommandLineOption guardOption("escape-guard", "Quiet time in ms after +++ (default 1000).", "MS");
    parser.addOptions({linkOption, stateOption, baudOption, paceOption, transcriptOption, faultOption, guardOption});
    parser.process(app);

    const auto fail = [](const QString& text) {
        std::fprintf(stderr, "phonesim: %s\n", qPrintable(text));
        return 2;
    };
    if (!parser.isSet(linkOption))
        return fail("--link PATH is required (try --help)");

    PhoneSim sim;
    const QString statePath = parser.value(stateOption);
    if (!statePath.isEmpty() && QFileInfo::exists(statePath))
        if (QString error = sim.loadStateFile(statePath); !error.isEmpty())
            return fail(error);
    if (parser.isSet(baudOption)) {
        bool ok = false;
        const int baud = parser.value(baudOption).toInt(&ok);
        if (!ok || baud <= 0)
            return fail("--baud needs a positive number");
        sim.setBaudRate(baud);
    } else if (parser.isSet(paceOption)) {
        sim.setBaudRate(19200);
    }
    if (parser.isSet(guardOption)) {
        bool ok = false;
        const int guard = parser.value(guardOption).toInt(&ok);
        if (!ok || guard < 0)
            return fail("--escape-guard needs milliseconds");
        sim.setEscapeGuard(std::chrono::milliseconds(guard));
    }
    for (const QString& faultText : parser.values(faultOption)) {
        std::string error;
        const auto fault = parseFaultText(faultText.toStdString(), &error);
        if (!fault)
            return fail(QString::fromStdString(error));
        sim.addFault(*fault);
    }
    if (parser.isSet(transcriptOption) && !sim.transcript().setFile(parser.value(transcriptOption).toStdString()))
        return fail("cannot write the transcript to " + parser.value(transcriptOption));

    // The phone's thread must not take the end endSignals; the main thread waits for them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    std::string error;
    const std::string link = parser.value(linkOption).toStdString();
    if (!sim.start(link, &error))
        return fail(QString::fromStdString(error));
    std::fprintf(stderr, "phonesim: phone on %s, linked at %s; Ctrl-C ends it\n", sim.devicePath().c_str(),
                 link.c_str());

    int received = 0;
    sigwait(&endSignals, &received);
    sim.stop();
    if (!statePath.isEmpty())
        if (QString saveError = sim.saveStateFile(statePath); !saveError.isEmpty())
            return fail(saveError);
    return 0;
}
