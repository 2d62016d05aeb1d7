// Drives the running demo on an X display as a newcomer would and checks what each window shows:
// Corvant ready, then from its launcher the phonebook editor with both lists filled, the melody
// editor with its staff in view, and the organizer with both grids filled and their rows paired.
// Each window is read back from the screen (the root window, so what lies on top is what counts)
// and saved as a PNG into the folder given.
//
// It is another program of the suite: it finds the programs' windows by their titles through the
// messaging layer, posts Corvant the launcher's commands, registers with the engine as a status
// window, and clicks the editor's list rows the way the suite's end-to-end tests do. The X side
// (where a window lies) comes from the X server itself.
//   demo-windows SHOTS_DIR     drives and checks the demo, and saves the windows there
//   demo-windows --close       closes Corvant's window, which ends the programs it started
#include "engine/zeldll.h"
#include "mainprog/core/LauncherLayout.h"
#include "phonebook/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "tests/support/MessagesUntil.h"
#include "tests/support/XDisplay.h"

#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

using torvane::test::waitFor;

int failures = 0;

void fail(const std::string& what)
{
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    ++failures;
}

void pass(const std::string& what)
{
    std::printf("ok: %s\n", what.c_str());
    std::fflush(stdout);
}

// The last phone state the engine broadcast to this process's status window.
class StatusWindow : public messaging::MessageHandler {
public:
    int state = -1;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PHONE_STATE && wParam == 1)
            state = int(lParam);
        return 0;
    }
};

class Demo {
public:
    explicit Demo(std::string shots)
        : shots_(std::move(shots))
    {
    }

    QImage screen() const { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

    // What the window with the title shows once it has painted: its part of the screen differs
    // from what lay there before (a window is mapped a while before it paints) and stays the same
    // from one look to the next. A null image when that did not happen within the time.
    QImage settled(const char* title, const QImage& before, std::chrono::milliseconds within)
    {
        QImage last;
        QImage image;
        waitFor(
            [&] {
                const QRect where = x_.find(title);
                if (where.isEmpty())
                    return false;
                last = std::exchange(image, screen().copy(where));
                return image == last && image != before.copy(where);
            },
            within);
        return image == last ? image : QImage();
    }

    // Saves the image; false (and a failure) when there is none.
    bool save(const QImage& image, const char* name, const char* what)
    {
        if (image.isNull()) {
            fail(std::string(what) + " never showed on the screen");
            return false;
        }
        image.save(QString::fromStdString(shots_ + "/" + name));
        return true;
    }

    QRect where(const char* title) const { return x_.find(title); }
    void pressWithControl(QPoint at, xcb_keysym_t key) { x_.pressWithControl(at, key); }
    void click(QPoint at) { x_.click(at); }

private:
    std::string shots_;
    torvane::test::XDisplay x_;
};

// The organizer's first tool button, "Read mobile", in its window.
constexpr QPoint kReadMobileButton(15, 34);

// The marks of the organizer's "Synch" columns that were not in the first image, counted in
// pixels of the window's grids (below its menu and tool bands, above its status bar): a green
// check pairs a phone entry with an appointment, a red arrow stands beside a phone entry alone, a
// blue one beside an appointment alone.
struct Marks {
    int pairs = 0, phoneOnly = 0, calendarOnly = 0;
};

Marks newMarks(const QImage& first, const QImage& image)
{
    constexpr int kBands = 60, kStatusBar = 30;
    const auto green = [](QRgb c) { return qGreen(c) >= 120 && qGreen(c) - std::max(qRed(c), qBlue(c)) >= 60; };
    const auto red = [](QRgb c) { return qRed(c) >= 150 && std::max(qGreen(c), qBlue(c)) <= 80; };
    const auto blue = [](QRgb c) { return qBlue(c) >= 150 && std::max(qRed(c), qGreen(c)) <= 110; };
    Marks marks;
    for (int y = kBands; y < image.height() - kStatusBar; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb now = image.pixel(x, y);
            const QRgb was = first.valid(x, y) ? first.pixel(x, y) : 0;
            marks.pairs += green(now) && !green(was);
            marks.phoneOnly += red(now) && !red(was);
            marks.calendarOnly += blue(now) && !blue(was);
        }
    return marks;
}

// The share of the image in the grey the melody editor's frame shows where no melody window
// covers it.
double backdropShare(const QImage& image)
{
    int grey = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            grey += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) >= 150 && qRed(c) <= 175;
        }
    return image.isNull() ? 1.0 : double(grey) / (image.width() * image.height());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo-windows SHOTS_DIR | --close\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--close") == 0) {
        const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
        return frame != 0 && PostMessage(frame, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    QGuiApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "demo-windows needs an X display (QT_QPA_PLATFORM=xcb)\n");
        return 2;
    }
    Demo demo(argv[1]);

    // Corvant comes up and finds the phone ready.
    HWND frame = 0;
    if (!waitFor([&] { return (frame = FindWindowByTitlePrefix("Quorvane 3.0", 39)) != 0; }, 60s)) {
        fail("Corvant's window did not come up");
        return 1;
    }
    StatusWindow status;
    const HWND statusWindow = messaging::registerWindow(&status);
    int slot = -1;
    waitFor([&] { return (slot = ATStatusReg(statusWindow, WM_PHONE_STATE)) >= 0; }, 30s);
    if (slot < 0 || !waitFor([&] { return status.state == PHONESTATE_READY; }, 60s))
        fail("Corvant did not report the phone ready (state " + std::to_string(status.state) + ")");
    else
        pass("Corvant reports the phone ready");
    demo.save(demo.settled("Quorvane 3.0", QImage(), 30s), "corvant.png", "Corvant's window");

    // The launcher's "Phone Directory": the editor reads the phone's directories (it shows
    // the last one read, the phone's own of ten entries) and the address book (twelve cards).
    QImage before = demo.screen();
    PostMessage(frame, WM_COMMAND, corvant::ID_PHONEBOOK, 0);
    HWND editor = 0;
    if (!waitFor([&] { return (editor = FindWindowByTitlePrefix("Telefonbuch", 39)) != 0; }, 60s))
        fail("the launcher started no phonebook editor");
    const auto hasRow = [&](int list, int row) {
        LRESULT selected = -1;
        SendMessageTimeout(editor, brevik::WM_CLICK_LIST_ROW, WPARAM(list), row, 5000, &selected);
        return selected == 1;
    };
    if (editor != 0 && waitFor([&] { return hasRow(brevik::IDC_PHONE_LIST, 9) && hasRow(brevik::IDC_PAB_LIST, 11); }, 90s))
        pass("the phonebook editor shows the phone's directory and the address book");
    else if (editor != 0)
        fail("the phonebook editor's lists were not filled");
    // The first rows selected, as after a reading.
    hasRow(brevik::IDC_PHONE_LIST, 0);
    hasRow(brevik::IDC_PAB_LIST, 0);
    demo.save(demo.settled("Telefonbuch", before, 30s), "brevik.png", "the phonebook editor");

    // "Ring Tone Editor": the melody editor with its first melody window.
    before = demo.screen();
    PostMessage(frame, WM_COMMAND, corvant::ID_RINGTONE, 0);
    if (!waitFor([&] { return FindWindowByTitlePrefix("Ring Tone Editor", 39) != 0; }, 60s))
        fail("the launcher started no melody editor");
    const QImage melody = demo.settled("Ring Tone Editor", before, 30s);
    if (demo.save(melody, "melvio.png", "the melody editor")) {
        // Its first melody window, with the staff, covers most of the frame.
        const double share = backdropShare(melody);
        if (share < 0.15)
            pass("the melody editor's first window covers the frame (" + std::to_string(int(share * 100)) + "% backdrop)");
        else
            fail("the melody editor's first window leaves " + std::to_string(int(share * 100)) + "% of the frame empty");
    }

    // "Appointments": the organizer on Corvant's port.
    before = demo.screen();
    PostMessage(frame, WM_COMMAND, corvant::ID_APPOINTMENTS, 0);
    if (!waitFor([&] { return FindWindowByTitlePrefix("Torvane Appointments", 39) != 0; }, 60s))
        fail("the launcher started no organizer");
    const QImage unread = demo.settled("Torvane Appointments", before, 30s);
    // Its "Read mobile" button and "Read organizer" key (Ctrl+G) fill the two grids and pair
    // their rows. A command given while the window is busy (the start-up still asking the phone,
    // or the other read) is dropped, as for a user: each is given again until the marks show.
    QImage read;
    const auto paired = [&] {
        const QImage now = demo.settled("Torvane Appointments", QImage(), 5s);
        const Marks marks = newMarks(unread, now);
        if (marks.pairs < 20 || marks.phoneOnly < 20 || marks.calendarOnly < 20)
            return false;
        read = now;
        return true;
    };
    bool marked = false;
    for (int attempt = 0; attempt < 8 && !marked && !unread.isNull(); ++attempt) {
        const QRect where = demo.where("Torvane Appointments");
        if (attempt % 2 == 0)
            demo.click(where.topLeft() + kReadMobileButton);
        else
            demo.pressWithControl(where.center(), 'g');
        marked = waitFor(paired, 15s);
    }
    if (marked)
        pass("the organizer's grids show the phone's entries and the appointments, paired");
    else
        fail("the organizer's grids showed no paired rows");
    demo.save(marked ? read : demo.settled("Torvane Appointments", QImage(), 5s), "tessaro.png", "the organizer");

    if (slot >= 0)
        ATStatusDeReg(slot);
    messaging::unregisterWindow(statusWindow);

    // Closing Corvant's window ends the demo: the organizer by its end command, the editors by
    // their windows' close (the new melody's save question answered No).
    PostMessage(frame, WM_CLOSE, 0, 0);
    const char* const titles[] = {"Quorvane 3.0", "Telefonbuch", "Ring Tone Editor", "Torvane Appointments"};
    std::string open;
    const bool ended = waitFor(
        [&] {
            open.clear();
            for (const char* title : titles)
                if (FindWindowByTitlePrefix(title, 39) != 0)
                    open += std::string(open.empty() ? "" : ", ") + title;
            return open.empty();
        },
        60s);
    if (ended)
        pass("closing Corvant ended every program of the demo");
    else
        fail("still open after Corvant's window was closed: " + open);
    return failures == 0 ? 0 : 1;
}
