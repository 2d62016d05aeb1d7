// The main frame of the melody editor: the melody windows in an MDI area, the menus for "no
// melody open" and "a melody open", the accelerators, the tool bar with the tempo, the status
// bar and the palette bar. It runs the commands on the active melody window.
#pragma once

#include "melody/editing/NotePalette.h"
#include "melody/editing/UserMessages.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class CChildFrame;
class CMelvioView;
class CNotePaletteBar;
class CTempoEdit;
class CTempoSpin;
class MelodyDocument;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
struct MelvioContext;
namespace torvane::midi {
class MidiOutputs;
}
namespace torvane::registry {
class AppProfile;
}

inline constexpr char MAIN_FRAME_TITLE[] = "Ring Tone Editor";
inline constexpr char APPLICATION_TITLE[] = "Ring tone editor";
inline constexpr char PROFILE_SECTION[] = "Settings";
inline constexpr char PROFILE_LAST_DEVICE[] = "LastMidiDev";

class CMainFrame : public QMainWindow, public ActiveMelody, public UserMessages {
    Q_OBJECT

public:
    // profile may be null (the device is then not stored).
    CMainFrame(MelvioContext& context, torvane::midi::MidiOutputs& outputs, torvane::registry::AppProfile* profile);
    ~CMainFrame() override;

    // ActiveMelody.
    CMelvioDoc* ActiveDocument() override;
    StaffEditor* ActiveView() override;
    CMelvioView* ActiveMelodyView() const;
    MelodyDocument* ActiveMelodyDocument() const;

    // UserMessages.
    void ShowExclamation(const std::string& text) override;
    void SetStatusText(const std::string& text) override;

    // The command's action (menu entry), null for an unknown id.
    QAction* Command(int id) const;
    // Runs the command as its menu entry would: only when it is enabled. False when it was not.
    bool RunCommand(int id);
    bool IsCommandEnabled(int id);
    void UpdateCommands();

    MelodyDocument* NewDocument();
    MelodyDocument* OpenDocument(const QString& path);
    CChildFrame* NewWindow(MelodyDocument& document);

    CTempoEdit* TempoEdit() const { return tempoEdit_; }
    CTempoSpin* TempoSpin() const { return tempoSpin_; }
    CNotePaletteBar* PaletteBar() const { return paletteBar_; }
    NotePalette& Palette() { return palette_; }
    QMdiArea* MdiArea() const { return mdi_; }
    const std::vector<std::unique_ptr<MelodyDocument>>& Documents() const { return documents_; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddCommand(int id, const QString& text, const QString& prompt);
    void CreateCommands();
    void CreateTempoToolBar();
    void CreateStatusBar();
    void CreatePaletteBar();
    void CreateAccelerators();
    void BuildMenus(bool melodyOpen);
    void OnCommand(int id);
    // One of the editor's dialogs is open: a command or close that reaches the frame then got
    // past it, and would free the melodies the dialog's caller still holds.
    static bool DialogOpen();
    void OnActivated(QMdiSubWindow* window);
    bool SaveDocument(MelodyDocument& document, bool askName);
    bool CanCloseDocument(MelodyDocument& document);
    bool CanCloseWindow(CChildFrame* frame);
    void CloseDocument(MelodyDocument& document);
    void ForgetClosedDocuments();
    void UpdateTitles();
    void ShowHelp();
    void ArrangeIcons();

    MelvioContext& context_;
    torvane::midi::MidiOutputs& outputs_;
    torvane::registry::AppProfile* profile_;
    NotePalette palette_;
    QMdiArea* mdi_ = nullptr;
    CTempoEdit* tempoEdit_ = nullptr;
    CTempoSpin* tempoSpin_ = nullptr;
    CNotePaletteBar* paletteBar_ = nullptr;
    std::map<int, QAction*> commands_;
    std::vector<std::unique_ptr<MelodyDocument>> documents_;
    int untitled_ = 0;
    int opened_ = 0; // melody windows opened so far: the next one's place in the cascade
    bool menusForMelody_ = false;
    bool menusBuilt_ = false;
    bool destroying_ = false;
};
