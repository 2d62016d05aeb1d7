#include "organizer/mainwindow/StartUp.h"

#include "organizer/entryeditor/CheckForm.h"
#include "organizer/entryeditor/MobileEntryForm.h"
#include "organizer/link/Allgemein.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/Frontend.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Settings.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/CommandLine.h"
#include "organizer/mainwindow/ErrorBox.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/mainwindow/MenuStates.h"
#include "organizer/mainwindow/Pictures.h"
#include "organizer/mainwindow/TextMeasure.h"

#include "platform/ui/controls/Twips.h"

namespace tessaro {

namespace controls = torvane::controls;

namespace {

constexpr int TxtPim = 101;
constexpr int TxtPimNotSupported = 102;
constexpr int kFirstTimerMs = 65000;
constexpr int kStartTimerMs = 1500;
constexpr int kLeastOrganizerVersion = 8;

bool g_formLoaded = false;

void trace(const QString& text)
{
    if (DebugFlag)
        MsgBox(text, vbOKOnly, AppTitle);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void ensureFormLoaded(StartupHost& host)
{
    if (!g_formLoaded)
        Form_Load(host);
}

void takeCommandLine(const QString& commandLine)
{
    const CommandLineOptions options = ParseCommandLine(commandLine);
    DumpFlag = options.dump;
    KillFlag = options.kill;
    DebugFlag = options.debug;
    NoOrganizerFlag = options.noOrganizer;
    if (options.noOrganizer)
        OrganizerAvailable = false;
    CallerFlag = options.caller;
    CallerName = options.callerName;
    TransferPause = options.transferPause;
    for (const QString& warning : options.warnings)
        MsgBox(warning, vbExclamation, AppTitle);
}

// The command line and the settings (the suite's port and language when it started us).
void readSettings(StartupHost& host, const QString& commandLine)
{
    takeCommandLine(commandLine);
    LanguageBase = LanguageGerman;
    RegValCreate();
    ComTimeout = 7500;
    RegSettingsLoad();
    if (ComTimeout < 1)
        ComTimeout = 1;
    if (StartedByQbr()) {
        QbrRegValGet();
        ensureFormLoaded(host);
        Main_Form().ActiveBar1.band(band::TessaroExtraMenu).tool(tool::TessaroLanguage).setVisible(false);
    }
}

enum class Instance { First, EndNow };

// A second copy ends the first (KILL) or wakes it, and ends itself; KILL with no copy running
// ends at once.
Instance singleInstance(StartupHost& host)
{
    bool running = false;
    try {
        running = host.otherCopyRunning(LangText(TxtAppCaption));
    } catch (...) {
        running = false;
    }
    if (!running)
        return KillFlag ? Instance::EndNow : Instance::First;
    try {
        trace(QStringLiteral("Debug: App.PrevInstance = ") + boolText(true) + QStringLiteral(" : ") + AppTitle);
        const QString runningTitle = AppTitle;
        AppTitle = SecondCopyTitle;
        if (KillFlag) {
            trace(QStringLiteral("Debug: GlobalCommandKill = ") + boolText(KillFlag));
            host.executeOnRunningCopy(runningTitle, QStringLiteral("KILL"));
        } else {
            host.activateRunningCopy(runningTitle);
        }
    } catch (...) {
        // The other copy's trouble is not ours: this one ends either way.
    }
    return Instance::EndNow;
}

// The desktop calendar: there, or not, or too old; false when the user would rather not start
// with a calendar this old.
bool probeOrganizer(StartupHost& host)
{
    if (NoOrganizerFlag) {
        trace(QStringLiteral("Debug: Organizer = ???????"));
        return true;
    }
    try {
        OrganizerAvailable = false;
        const std::optional<OrganizerProbe> probe = host.probeOrganizer();
        if (!probe || probe->name.isEmpty())
            return true;
        trace(QStringLiteral("Debug: Organizer = ") + probe->name + QStringLiteral(" Version: ") + probe->version);
        if (LeadingNumber(probe->version) >= kLeastOrganizerVersion) {
            OrganizerAvailable = true;
            OrganizerName = probe->name;
            return true;
        }
        const QString question = LangText(TxtPim) + QStringLiteral(": ") + probe->name + QLatin1Char(' ') +
                                 probe->version + vbCrLf + LangText(TxtPimNotSupported);
        if (MsgBox(question, vbYesNo | vbExclamation, AppTitle) == vbYes) {
            OrganizerAvailable = false;
            return true;
        }
        return false;
    } catch (...) {
        OrganizerAvailable = false;
        return true;
    }
}

// The window's set-up: date and time pictures, menu states, the bands' height, the grid font,
// the grids, the link's time-out and port, the help file.
void setUpWindow(StartupHost& host)
{
    trace(QStringLiteral("Debug: RegDateCall"));
    RegDateTimeFormatGet();
    trace(QStringLiteral("Debug: RegDateCall finnished"));

    host.startRangeNow();
    MobileEntriesRead = false;
    ActiveGridIndexFG1 = 0;
    ActiveGridIndexFG2 = 0;
    MainFormReady = false;

    ensureFormLoaded(host);
    trace(QStringLiteral("Debug: Main_Form.SetMenus_Click"));
    SetMenus_Click();
    trace(QStringLiteral("Debug: Main_Form.SetMenus_Click finnished"));

    MainFormControls& f = Main_Form();
    f.ActiveBar1.band(band::TessaroExtraMenu).tool(tool::TessaroComSettings).setVisible(!StartedByQbr());

    // The bands are measured in pixels and the layout counts them in twips.
    ResizeEnabled = false;
    const int bandPixels =
        f.ActiveBar1.band(band::MainMenu).height() + f.ActiveBar1.band(band::TessaroTools).height();
    f.FG1[0].setHeight(controls::pixelsToTwips(bandPixels));
    trace(QStringLiteral("Debug: Main_Form.FG"));
    ToolbarHeight = std::int32_t(f.FG1[0].height());
    trace(QStringLiteral("Debug: Main_Form.FG finnished"));

    GridFontName = FindCourierFont(ScreenFonts());
    HeaderFontSize = 10;
    GridFontSize = 8;
    DateColumnWidth = MeasureTextWidth(DateColumnSample());

    TIVInitForm(OrganizerAvailable);
    MainFormReady = true;
    ResizeEnabled = true;
    host.repaintMainWindow();

    ComDrv& link = ComDrvForm();
    link.Timer1.setInterval(ComTimeout, link.now());
    if (IrdaEffectiveDelay < 1)
        IrdaEffectiveDelay = 1;
    if (ComTimeout < 1)
        ComTimeout = 1;
    if (StartedByQbr())
        QbrRegValGet();
    link.MSComm1.setCommPort(ComPort);
    HelpFile = HelpFileName();
}

void setReadMobileEnabled(bool enabled)
{
    controls::CommandBar& bar = Main_Form().ActiveBar1;
    bar.band(band::TessaroOrganizerMenu).tool(tool::TessaroReadMobile).setEnabled(enabled);
    bar.band(band::TessaroTools).tool(tool::TessaroReadMobile).setEnabled(enabled);
}

// Marks the start-up's phone probe busy while it runs, whatever ends it.
class ProbeBusy {
public:
    ProbeBusy() { StartupProbeBusy = true; }
    ~ProbeBusy() { StartupProbeBusy = false; }
    ProbeBusy(const ProbeBusy&) = delete;
    ProbeBusy& operator=(const ProbeBusy&) = delete;
};

} // namespace

bool Main(StartupHost& host, const QString& commandLine)
{
    CommandBusy = false;
    EntryToolBusy = false;
    if (!runWithErrorBox(QStringLiteral("Main"), [&] { readSettings(host, commandLine); })) {
        host.endProgram();
        return false;
    }
    if (singleInstance(host) == Instance::EndNow) {
        host.endProgram();
        return false;
    }

    trace(QStringLiteral("Debug: NoPrevInstance"));
    host.armAppTimer(kFirstTimerMs);
    trace(QStringLiteral("Debug: AppTimer.Interval"));
    trace(QStringLiteral("Debug: AppTimer.Enabled"));
    if (CallerName.isEmpty()) {
        host.showSplash();
        trace(QStringLiteral("Debug: frmSplash-Aufruf"));
    }
    if (!probeOrganizer(host)) {
        host.disarmAppTimer();
        host.endProgram();
        return false;
    }

    if (!runWithErrorBox(QStringLiteral("Main"), [&] { setUpWindow(host); })) {
        // A window whose set-up broke off is of no use: it must not come up when the first,
        // long timer expires.
        host.disarmAppTimer();
        host.endProgram();
        return false;
    }
    host.disarmAppTimer();
    host.armAppTimer(kStartTimerMs);
    return true;
}

void Form_Load(StartupHost& host)
{
    g_formLoaded = true;
    runWithErrorBox(QStringLiteral("Form_Load"), [] {
        CategoryNames = {QStringLiteral("MISCELLANEOUS"), QStringLiteral("MEETING"), QStringLiteral("ANNIVERSARY"),
                         QStringLiteral("PHONE CALL")};
        RRuleValues = {QStringLiteral("D1"), QStringLiteral("W1"), QStringLiteral("Y1")};
        MainFormControls& f = Main_Form();
        f.ActiveBar1.load(TessaroBarLayout());
        f.ActiveBar1.setPictures(BarPictures());
        for (const char* key : {"m", "s", "w", "y", "j", "r", "l"})
            f.ImageList[0].add(QLatin1String(key), LoadResPicture(QLatin1String(key)));
        f.ImageMobile2PC.setPicture(LoadResPicture(QStringLiteral("ImageMobile2PC")));
        f.ImagePC2Mobile.setPicture(LoadResPicture(QStringLiteral("ImagePC2Mobile")));
        // The calendar's arrow shows once the layout places it beside the calendar's grid.
        f.ImagePC2Mobile.setVisible(false);
    });
    host.loadMainWindow();
}

bool MainFormLoaded()
{
    return g_formLoaded;
}

void AppTimer_Timer(StartupHost& host)
{
    host.disarmAppTimer();
    runWithErrorBox(QStringLiteral("AppTimer_Timer"), [&host] {
        setReadMobileEnabled(false);
        ShowMobileStatus();
        SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
        host.bringUpMainWindow();

        controls::Grid& phone = Main_Form().FG1[std::size_t(ActiveGridIndexFG1)];
        phone.setFocus();
        phone.setRow(FirstEntryRow);
        phone.setCol(ColPhoneText);
        PhoneEntryTable.Redim(DefaultFirstLocation, DefaultLastLocation);

        MainForm().SetBusyPointer();
        StatusDisplay& status = StatusWindow();
        {
            ProbeBusy busy;
            status.Start(LangText(TxtAppCaption), false);
            host.statusWindowForProbe(true);
            status.SetText(LangText(TxtReadingStatus));
            GetMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount);
            host.statusWindowForProbe(false);
            status.Quit();
        }
        MainForm().SetNormalPointer();

        ShowMobileStatus();
        SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
        setReadMobileEnabled(true);
        if (MobileConnected)
            PhoneEntryTable.Redim(FirstLocation, LastLocation);
    });
}

bool Form_LinkExecute(const QString& command)
{
    if (command.toUpper() != QLatin1String("KILL"))
        return false;
    // Taken now, carried out when no phone write or edit is under way (CarryOutPendingKill).
    KillPending = true;
    return true;
}

bool ProgramBusy(StartupHost& host)
{
    return LinkBusy || FrontendBusy || CommandBusy || EntryToolBusy || StartupProbeBusy || host.entryEditorOpen();
}

bool CarryOutPendingKill(StartupHost& host)
{
    if (!KillPending || ProgramBusy(host))
        return false;
    KillPending = false;
    Form_Unload(host);
    return true;
}

bool CloseMainWindow(StartupHost& host)
{
    // A phone write cut off half-way leaves the phone with half an entry: the busy work ends first.
    if (ProgramBusy(host)) {
        KillPending = true;
        return false;
    }
    Form_Unload(host);
    return true;
}

void Form_Unload(StartupHost& host)
{
    if (!KillFlag)
        RegValSet();
    host.endProgram();
}

void Form_Click()
{
    DateRange().CalendarFrameClear();
}

void ResetStartupState()
{
    g_formLoaded = false;
    KillFlag = DebugFlag = NoOrganizerFlag = false;
    CommandBusy = EntryToolBusy = StartupProbeBusy = false;
    MainFormReady = ResizeEnabled = false;
    KillPending = false;
    ToolbarHeight = 0;
    DateColumnWidth = 0;
    OrganizerAvailable = false;
    OrganizerName.clear();
    AppTitle = QStringLiteral("Tessaro");
}

} // namespace tessaro
