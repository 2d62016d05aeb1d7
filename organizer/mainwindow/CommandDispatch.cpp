#include "organizer/mainwindow/CommandDispatch.h"

#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/EntryCommands.h"
#include "organizer/mainwindow/GridInteraction.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/mainwindow/PeriodFields.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/PhoneCalls.h"
#include "organizer/sync/TIVOutlook.h"

#include <functional>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

constexpr int TxtRemoveAllFromMobile = 121;
constexpr int TxtAreYouSure = 117;

// Runs `command` with the busy pointer and the link open, and closes the link afterwards; a link
// that does not open has said so itself.
void withLink(const std::function<void()>& command)
{
    MainForm().SetBusyPointer();
    if (Phone().InitComm()) {
        command();
        CloseComm();
    }
    MainForm().SetNormalPointer();
}

void deleteEntry()
{
    const int col = GridOf(CurrentGrid).col();
    if (col == ColPcText) {
        if (OrganizerEntryCount > 0)
            Menu_EintragLoeschen_Click();
    } else if (col == ColPhoneText && MobileEntryCount > 0) {
        withLink(Menu_EintragLoeschen_Click);
    }
}

void readOrganizer()
{
    MainForm().SetBusyPointer();
    ReadOutlook(false);
    MainForm().SetNormalPointer();
}

const std::vector<std::pair<QString, void (*)()>>& commandTable()
{
    static const std::vector<std::pair<QString, void (*)()>> table = {
        {tool::TessaroReadOrganizer, readOrganizer},
        {tool::TessaroReadMobile, [] { ReadMobile(false); }},
        {tool::TessaroClearGrid, ClearAppSingle_Click},
        {tool::TessaroClearBothCol, ClearBothCols},
        {tool::TessaroClear, ClearBothCols},
        {tool::TessaroClearMobileCol, ClearMobileCol_Click},
        {tool::TessaroClearOrgCol, ClearOutlookCol_Click},
        {tool::TessaroClearMobile,
         [] {
             if (MobileConnected && MobileEntryCount > 0)
                 withLink(ClearMobileEntries);
         }},
        {tool::TessaroCalendar, ShowStartCalendar},
        {tool::TessaroHelp, [] { Windows().ShowHelpContents(); }},
        {tool::TessaroAbout, [] { Windows().ShowAbout(); }},
        {tool::TessaroComSettings, [] { Windows().ShowComEigenschaften(); }},
        {tool::TessaroLanguage, [] { Windows().ShowLanguage(); }},
        {tool::TessaroTestMobile, TestMobile_Click},
        {tool::TessaroNewEntry, NewEntry},
        {tool::TessaroOpenEntry, OpenEntry},
        {tool::TessaroDeleteEntry, deleteEntry},
        {tool::TessaroEnd, [] { Windows().UnloadMainWindow(); }},
    };
    return table;
}

// A window event runs its handler; an error it raises is shown under the handler's name.
template <class Sender, class Signal, class F>
void on(Sender* sender, Signal signal, const QString& procName, F handler)
{
    QObject::connect(sender, signal, sender, [procName, handler](auto&&... args) {
        runCommand(procName, [&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

} // namespace

void ActiveBar1_ToolClick(const QString& toolName)
{
    if (!LinkBusy && !CommandBusy) {
        controls::CommandBar& bar = Main_Form().ActiveBar1;
        CommandBusy = true;
        OnOffActiveBar(bar);
        for (const auto& [name, command] : commandTable()) {
            if (name == toolName) {
                runCommand(QStringLiteral("ActiveBar1_ToolClick"), command);
                break;
            }
        }
        MainForm().TIVResize();
        OnOffActiveBar(bar);
        CommandBusy = false;
    }
    MainForm().SetMenus_Click();
}

void ActiveBar1_BandOpen(const QString& bandName)
{
    if (bandName != band::TessaroOrganizerMenu)
        return;
    const controls::Band menu = Main_Form().ActiveBar1.band(band::TessaroOrganizerMenu);
    menu.tool(tool::TessaroClearGrids).setVisible(OrganizerAvailable);
    menu.tool(tool::TessaroClearGrid).setVisible(!OrganizerAvailable);
    menu.tool(tool::TessaroReadOrganizer).setVisible(OrganizerAvailable);
    MainForm().SetMenus_Click();
}

void ActiveBar1_ToolNotify(const QString& toolName)
{
    if (toolName == tool::TessaroClearGrids)
        MainForm().SetMenus_Click();
}

void ClearMobileEntries()
{
    if (MsgBox(LangText(TxtRemoveAllFromMobile) + vbCrLf + LangText(TxtAreYouSure), vbExclamation | vbOKCancel,
               AppTitle) != vbOK)
        return;
    MainForm().SetBusyPointer();
    DeleteAllMobileEntries(PhoneEntryTable);
    MainForm().SetNormalPointer();
}

void ClearBothCols()
{
    ClearBothGrids();
}

void ConnectMainFormEvents()
{
    MainFormControls& f = Main_Form();
    controls::CommandBar* bar = &f.ActiveBar1;
    on(bar, &controls::CommandBar::toolClick, QStringLiteral("ActiveBar1_ToolClick"),
       [](controls::Tool tool) { ActiveBar1_ToolClick(tool.name()); });
    on(bar, &controls::CommandBar::bandOpen, QStringLiteral("ActiveBar1_BandOpen"),
       [](controls::Band band) { ActiveBar1_BandOpen(band.name()); });
    on(bar, &controls::CommandBar::toolNotify, QStringLiteral("ActiveBar1_ToolNotify"),
       [](controls::Tool tool) { ActiveBar1_ToolNotify(tool.name()); });

    for (int i = 0; i < 2; ++i) {
        controls::Grid* phone = &f.FG1[std::size_t(i)];
        controls::Grid* pc = &f.FG2[std::size_t(i)];
        on(phone, &controls::Grid::click, QStringLiteral("FG1_Click"), [i] { FG1_Click(i); });
        on(phone, &controls::Grid::dblClick, QStringLiteral("FG1_DblClick"), [i] { FG1_DblClick(i); });
        on(phone, &controls::Control::gotFocus, QStringLiteral("FG1_GotFocus"), [i] { FG1_GotFocus(i); });
        on(pc, &controls::Grid::click, QStringLiteral("FG2_Click"), [i] { FG2_Click(i); });
        on(pc, &controls::Grid::dblClick, QStringLiteral("FG2_DblClick"), [i] { FG2_DblClick(i); });
        on(pc, &controls::Control::gotFocus, QStringLiteral("FG2_GotFocus"), [i] { FG2_GotFocus(i); });
    }

    // Pressing OK or Cancel takes the focus from the picker: the buttons' own clicks decide, so
    // the picker's loss of the focus needs no rule of its own.
    on(&f.CalCommandOK, &controls::CommandButton::click, QStringLiteral("CalCommandOK_Click"), CalCommandOK_Click);
    on(&f.CalCommandCancel, &controls::CommandButton::click, QStringLiteral("CalCommandCancel_Click"),
       CalCommandCancel_Click);
    on(&f.TIVStartCalendar, &controls::MonthCalendar::click, QStringLiteral("TIVStartCalendar_Click"),
       TIVStartCalendar_Click);
    on(&f.TIVStartCalendar, &controls::MonthCalendar::keyPress, QStringLiteral("TIVStartCalendar_KeyPress"),
       TIVStartCalendar_KeyPress);
    on(&f.PeriodeCombo, &controls::ComboBox::click, QStringLiteral("PeriodeCombo_Click"), PeriodeCombo_Click);
    on(&f.PeriodeText, &controls::TextBox::change, QStringLiteral("PeriodeText_Change"), PeriodeText_Change);
    on(&f.PeriodeText, &controls::TextBox::keyPress, QStringLiteral("PeriodeText_KeyPress"), PeriodeText_KeyPress);
    on(&f.StartDateText, &controls::TextBox::keyPress, QStringLiteral("StartDateText_KeyPress"),
       StartDateText_KeyPress);
    on(&f.EndDateText, &controls::TextBox::keyPress, QStringLiteral("EndDateText_KeyPress"), EndDateText_KeyPress);
}

} // namespace tessaro
