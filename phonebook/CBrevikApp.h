// The phonebook editor's application ("Telefonbuch"): one copy per user (a second start ends
// without a word), the busy flag that drops the user's input to the frame while a phone job
// runs, and the frame with the form, started with the settings the main program's settings page
// wrote.
#pragma once

#include "phonebook/model/PhoneEngine.h"
#include "phonebook/model/StartSettings.h"
#include "platform/mapi/AddressBook.h"

#include <functional>
#include <memory>

namespace torvane {
class NamedMutex;
}
namespace torvane::ui {
class BusyInputFilter;
}

namespace brevik {

class CMainFrame;

// The single-instance mutex, named after the program file.
constexpr char INSTANCE_MUTEX[] = "brevik";

class CBrevikApp {
public:
    // Needs a QApplication. settings gives the start-up settings (the product reads them from
    // the suite's section CfgPropPage2).
    CBrevikApp(PhoneEngine& engine, torvane::mapi::Mapi& mapi,
               std::function<StartSettings()> settings = ReadStartSettings);
    ~CBrevikApp();
    CBrevikApp(const CBrevikApp&) = delete;
    CBrevikApp& operator=(const CBrevikApp&) = delete;

    // False when the program ends at once: another copy runs, the runtime folder cannot be used
    // (told the user), or the address book failed.
    bool InitInstance();
    // 0; EXIT_FAILURE when the runtime folder cannot be used; -1 once a failure of the address
    // book has ended the program.
    int exitCode() const { return exitCode_; }

    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    PhoneEngine& engine_;
    torvane::mapi::Mapi& mapi_;
    std::function<StartSettings()> settings_;
    std::unique_ptr<torvane::NamedMutex> instanceMutex_;
    std::unique_ptr<torvane::ui::BusyInputFilter> inputFilter_;
    std::unique_ptr<CMainFrame> frame_;
    bool busy_ = false;
    int exitCode_ = 0;
};

} // namespace brevik
